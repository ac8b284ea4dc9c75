#include "core/settings/EntryRules.h"

#include "core/lang/CurrentLanguage.h"

#include <climits>
#include <cstdint>

bool Covers(const VALUE_STRUCT& entry, int value) {
    const auto v = std::uint32_t(value);
    return std::uint32_t(entry.low) <= v && v <= std::uint32_t(entry.high);
}

std::optional<int> LeadingNumber(const QString& text) {
    int i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i >= text.size() || text[i] < u'0' || text[i] > u'9')
        return std::nullopt;
    long long n = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        n = std::min<long long>(n * 10 + (text[i].unicode() - u'0'), 1LL + INT_MAX);
    if (negative)
        return int(std::max<long long>(-n, INT_MIN));
    return int(std::min<long long>(n, INT_MAX));
}

std::optional<int> AllDigits(const QString& text) {
    bool any = false;
    long long n = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            continue;
        any = true;
        n = std::min<long long>(n * 10 + (c.unicode() - u'0'), INT_MAX);
    }
    if (!any)
        return std::nullopt;
    return int(n);
}

QString EnglishText(const VALUE_STRUCT& entry) {
    return entry.text ? QString::fromLatin1(entry.text) : QString();
}

QString YesNoText(bool yes, int language) {
    return Tr(yes ? QStringLiteral("YES") : QStringLiteral("NO"), language);
}

QString TranslatedText(const VALUE_STRUCT& entry, int language) {
    return Tr(EnglishText(entry), language);
}
