#include "CFakeUnit.h"

#include "image/SRecords.h"

#include <algorithm>

CFakeUnit::CFakeUnit(CScriptedPort& port) : m_port(port) {
    m_port.OnWrite([this](const QByteArray& text) { OnLine(text); });
}

QList<QByteArray> CFakeUnit::DumpOf(const QByteArray& image) {
    QList<QByteArray> lines = {"S00600004844521B\r"};
    for (const QByteArray& line : SRecordLines(image).split('\n')) {
        const QByteArray record = line.trimmed();
        if (!record.isEmpty())
            lines.append(record + '\r');
    }
    return lines;
}

void CFakeUnit::OnLine(const QByteArray& text) {
    ++m_lines;
    const bool answering = answerLines && (silentAfter < 0 || m_lines <= silentAfter);
    if (answering)
        m_port.Receive(answer, answerDelay);
    if (!answering && silentAfter >= 0)
        return;
    if (text == "\nVERIFY") {
        ++verifies;
        const QByteArray reply =
            replies.isEmpty() ? QByteArray() : replies[std::min(verifies, int(replies.size())) - 1];
        if (!reply.isEmpty())
            m_port.Receive(reply, replyDelay);
    } else if (text == "DUMPING") {
        SendLines(dumpLines, answerDelay);
    } else if (text.startsWith("PROGRAMMING")) {
        SendLines(promptLines, answerDelay);
    } else if (text.startsWith("S1")) {
        records.append(text);
    } else if (text.startsWith("S9")) {
        gotEndRecord = true;
        if (storesWrites) {
            dumpLines = {"S00600004844521B\r"};
            for (const QByteArray& record : records)
                dumpLines.append(record + '\r');
            dumpLines.append("S9030000FC\r");
        }
        for (const auto& [delay, line] : verdicts)
            m_port.Receive(line, answerDelay + delay);
    }
}

void CFakeUnit::SendLines(const QList<QByteArray>& lines, int firstDelay) {
    for (int i = 0; i < lines.size(); ++i)
        m_port.Receive(lines[i], firstDelay + (i + 1) * lineGap);
}
