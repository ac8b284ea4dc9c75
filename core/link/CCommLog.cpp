#include "core/link/CCommLog.h"

namespace {

const char* DirectionMark(CCommLog::Direction direction) {
    switch (direction) {
    case CCommLog::Direction::Sent:
        return "->";
    case CCommLog::Direction::Received:
        return "<-";
    default:
        return "--";
    }
}

} // namespace

void CCommLog::Record(qint64 ms, Direction direction, const QByteArray& bytes) {
    ++m_revision;
    if (m_lines.size() > MAX_LINES)
        return;
    if (m_lines.size() == MAX_LINES) {
        m_lines.append({ms, Direction::Note, "log full: later lines are left out"});
        return;
    }
    m_lines.append({ms, direction, bytes});
}

QStringList CCommLog::TextLines() const {
    QStringList lines;
    for (const LINE& line : m_lines) {
        const QString text =
            line.direction == Direction::Note ? QString::fromUtf8(line.bytes) : Escaped(line.bytes);
        lines << QStringLiteral("%1 ms  %2  %3")
                     .arg(line.ms, 6)
                     .arg(QLatin1String(DirectionMark(line.direction)), text);
    }
    return lines;
}

QString CCommLog::Text() const {
    QString text;
    for (const QString& line : TextLines())
        text += line + u'\n';
    return text;
}

QString CCommLog::Escaped(const QByteArray& bytes) {
    QString text;
    for (const char c : bytes) {
        switch (c) {
        case '\r':
            text += QLatin1String("\\r");
            break;
        case '\n':
            text += QLatin1String("\\n");
            break;
        case '\t':
            text += QLatin1String("\\t");
            break;
        case '\\':
            text += QLatin1String("\\\\");
            break;
        default:
            if (c >= ' ' && c < 127)
                text += QLatin1Char(c);
            else
                text += QStringLiteral("\\x%1").arg(uint(quint8(c)), 2, 16, QLatin1Char('0'));
        }
    }
    return text;
}

CCommLog& CommandLog() {
    static CCommLog log;
    return log;
}
