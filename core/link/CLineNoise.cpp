#include "core/link/CLineNoise.h"

#include <QList>
#include <QStringList>
#include <array>
#include <utility>

namespace {

constexpr char CR = '\r';

} // namespace

CLineNoise::CLineNoise(LINE_NOISE_RATES rates, unsigned seed) : m_rates(rates), m_random(seed) {}

std::optional<LINE_NOISE_RATES> CLineNoise::ParseRates(const QString& text, QString* error) {
    LINE_NOISE_RATES rates;
    const std::array<std::pair<const char*, double LINE_NOISE_RATES::*>, 6> names = {{
        {"flip", &LINE_NOISE_RATES::bitFlip},
        {"lose", &LINE_NOISE_RATES::lostByte},
        {"double", &LINE_NOISE_RATES::doubledByte},
        {"cr", &LINE_NOISE_RATES::lostCR},
        {"line", &LINE_NOISE_RATES::lostLine},
        {"pair", &LINE_NOISE_RATES::cancellingPair},
    }};
    for (const QString& part : text.split(u',', Qt::SkipEmptyParts)) {
        const QString name = part.section(u'=', 0, 0).trimmed();
        bool number = false;
        const double rate = part.section(u'=', 1).trimmed().toDouble(&number);
        double LINE_NOISE_RATES::*field = nullptr;
        for (const auto& [known, member] : names)
            if (name == QLatin1String(known))
                field = member;
        if (!field || !number || rate < 0 || rate > 1 || !part.contains(u'=')) {
            if (error)
                *error = QStringLiteral("noise: '%1' is not KIND=RATE with KIND one of flip, "
                                        "lose, double, cr, line, pair and RATE from 0 to 1")
                             .arg(part);
            return std::nullopt;
        }
        rates.*field = rate;
    }
    return rates;
}

bool CLineNoise::Chance(double rate) {
    return rate > 0 && std::uniform_real_distribution<double>(0, 1)(m_random) < rate;
}

QByteArray CLineNoise::CancellingPair(QByteArray line) {
    // Low-nibble digits of the data bytes (between the address and the checksum) whose
    // lowest bit can be flipped into another hexadecimal digit: even ones go one up, odd
    // ones one down.
    static const QByteArray UP = "02468BD";
    static const QByteArray DOWN = "13579CE";
    QList<int> ups, downs;
    for (int i = 9; i < line.size() - 2; i += 2) {
        if (UP.contains(line[i]))
            ups.append(i);
        else if (DOWN.contains(line[i]))
            downs.append(i);
    }
    if (!line.startsWith("S1") || ups.isEmpty() || downs.isEmpty())
        return line;
    const auto pick = [this](const QList<int>& from) {
        return from[std::uniform_int_distribution<int>(0, int(from.size()) - 1)(m_random)];
    };
    for (const int i : {pick(ups), pick(downs)})
        line[i] = char(line[i] ^ 1);
    return line;
}

QByteArray CLineNoise::Apply(const QByteArray& input) {
    if (m_rates.IsQuiet())
        return input;
    // Whole lines of the piece may first get a cancelling pair.
    QByteArray bytes = input;
    qsizetype start = 0;
    if (!m_atLineStart) { // the piece starts inside a line: its end is left alone
        const qsizetype cr = bytes.indexOf(CR);
        start = cr < 0 ? bytes.size() : cr + 1;
    }
    for (qsizetype end; (end = bytes.indexOf(CR, start)) >= 0; start = end + 1)
        if (Chance(m_rates.cancellingPair))
            bytes.replace(start, end - start, CancellingPair(bytes.mid(start, end - start)));
    QByteArray out;
    out.reserve(bytes.size() + 8);
    for (const char original : bytes) {
        if (m_atLineStart)
            m_droppingLine = Chance(m_rates.lostLine);
        m_atLineStart = original == CR;
        if (m_droppingLine)
            continue;
        if (original == CR && Chance(m_rates.lostCR))
            continue;
        if (Chance(m_rates.lostByte))
            continue;
        char c = original;
        if (Chance(m_rates.bitFlip))
            c = char(c ^ (1 << std::uniform_int_distribution<int>(0, 7)(m_random)));
        out.append(c);
        if (Chance(m_rates.doubledByte))
            out.append(c);
    }
    return out;
}
