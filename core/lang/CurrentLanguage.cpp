#include "core/lang/CurrentLanguage.h"

#include "core/lang/CTranslator.h"
#include "core/lang/KarvoTexts.h"

#include <array>

namespace {
int g_language = 0;
const std::array<const char*, 5> PROFILE_NAMES = {"U.S English", "French", "German", "Spanish",
                                                  "Italian"};
} // namespace

int GetCurrentLanguage() {
    return g_language;
}

void SetCurrentLanguage(int language) {
    g_language = language;
}

QString LanguageProfileName(int language) {
    if (language < 1 || language > 4)
        language = 0;
    return QString::fromLatin1(PROFILE_NAMES[language]);
}

int LanguageFromProfileName(const QString& name) {
    for (int i = 0; i < int(PROFILE_NAMES.size()); ++i)
        if (name == QLatin1String(PROFILE_NAMES[i]))
            return i;
    return -1;
}

QString Tr(const QString& english) {
    return Tr(english, g_language);
}

QString Tr(const QString& english, int language) {
    static const CTranslator translator;
    if (translator.FindRow(english) < 0)
        return KarvoText(language, english);
    return translator.Translated(language, english);
}
