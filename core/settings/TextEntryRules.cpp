#include "core/settings/TextEntryRules.h"

#include "core/settings/EntryRules.h"

#include <QStringList>
#include <algorithm>
#include <utility>

namespace {

bool IsPlainDecimal(const QString& value) {
    const QStringView digits = QStringView(value).mid(value.startsWith(u'-') ? 1 : 0);
    return !digits.isEmpty() &&
           std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit(); });
}

} // namespace

std::optional<bool> ReadYesNo(const QString& value) {
    for (const bool yes : {true, false})
        if (value.compare(QLatin1String(yes ? "YES" : "NO"), Qt::CaseInsensitive) == 0)
            return yes;
    return std::nullopt;
}

std::optional<int> ReadNumber(const QString& value, int from, int to) {
    bool ok = false;
    const int number = IsPlainDecimal(value) ? value.toInt(&ok) : 0;
    return ok && number >= from && number <= to ? std::optional<int>(number) : std::nullopt;
}

bool IsWrittenValue(const QString& value, const VALUE_STRUCT* list) {
    bool negative = false;
    for (int i = 0; list && !IsEndEntry(list[i]); ++i) {
        if (IsTextEntry(list[i]) && value == EnglishText(list[i]))
            return true;
        negative = negative ||
                   (IsTextEntry(list[i]) ? EnglishText(list[i]).startsWith(u'-') : list[i].low < 0);
    }
    return IsPlainDecimal(value) && (negative || !value.startsWith(u'-'));
}

QString RangeText(int from, int to) {
    return from == to ? QString::number(from) : QStringLiteral("%1 to %2").arg(from).arg(to);
}

QString LegalValues(const VALUE_STRUCT* list) {
    QStringList parts;
    std::optional<std::pair<int, int>> run; // consecutive numeric texts ("-30" ... "30")
    const auto flush = [&] {
        if (run)
            parts << RangeText(run->first, run->second);
        run.reset();
    };
    for (int i = 0; list && !IsEndEntry(list[i]); ++i) {
        const VALUE_STRUCT& entry = list[i];
        const int scale = entry.scale > 0 ? entry.scale : 1;
        bool numeric = false;
        const int number = EnglishText(entry).toInt(&numeric);
        if (IsTextEntry(entry) && numeric && run && number == run->second + 1) {
            run->second = number;
            continue;
        }
        flush();
        if (IsTextEntry(entry) && numeric)
            run = std::pair(number, number);
        else if (IsTextEntry(entry))
            parts << EnglishText(entry);
        else
            parts << RangeText(entry.low * scale, entry.high * scale) +
                         (entry.step > 1 ? QStringLiteral(" step %1").arg(entry.step * scale)
                                         : QString());
    }
    flush();
    return parts.join(QStringLiteral(", "));
}
