#include "core/forms/YamlScalar.h"

#include <QRegularExpression>
#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <array>

namespace {

// Words that YAML 1.1 reads as a boolean or null; compared in any case.
constexpr std::array<const char*, 9> BOOLEAN_OR_NULL = {"y",     "n",  "yes", "no",  "true",
                                                        "false", "on", "off", "null"};

// At most 15 digits, so that a reader that holds numbers as doubles (jq, JavaScript)
// keeps it exact; no shown value comes near.
bool IsPlainNumber(const QString& text) {
    static const QRegularExpression number(
        QRegularExpression::anchoredPattern(QStringLiteral("0|-?[1-9][0-9]{0,14}")));
    return number.match(text).hasMatch();
}

bool IsPlainWords(const QString& text) {
    static const QRegularExpression words(
        QRegularExpression::anchoredPattern(QStringLiteral("[A-Za-z][A-Za-z0-9 ()./_+-]*")));
    return words.match(text).hasMatch() && !text.endsWith(u' ') &&
           std::none_of(BOOLEAN_OR_NULL.begin(), BOOLEAN_OR_NULL.end(), [&](const char* word) {
               return text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
           });
}

} // namespace

std::string YamlScalar(const QString& text) {
    if (IsPlainNumber(text) || IsPlainWords(text))
        return text.toStdString();
    YAML::Emitter out;
    out << YAML::DoubleQuoted << text.toStdString();
    return out.c_str();
}

QJsonValue JsonScalar(const QString& text) {
    return IsPlainNumber(text) ? QJsonValue(text.toLongLong()) : QJsonValue(text);
}
