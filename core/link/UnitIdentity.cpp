#include "core/link/UnitIdentity.h"

#include "core/image/SRecords.h"

#include <QList>
#include <algorithm>
#include <climits>

namespace {

// Identity fields: the name, version and date words keep at most this many characters.
constexpr int NAME_CHARS = 19;
constexpr int VERSION_CHARS = 51;
constexpr int DATE_WORD_CHARS = 11;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The words of text, separated by white space.
QList<QByteArray> Words(const QByteArray& text) {
    QList<QByteArray> words;
    int i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsBlankChar(text[i]))
            ++i;
        const int start = i;
        while (i < text.size() && !IsBlankChar(text[i]))
            ++i;
        if (i > start)
            words.append(text.mid(start, i - start));
    }
    return words;
}

// An optionally signed decimal number at pos, clamped to int; false when there is none.
bool ReadNumber(const QByteArray& text, int& pos, int& value) {
    int p = pos;
    bool negative = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-'))
        negative = text[p++] == '-';
    if (p >= text.size() || !IsDigit(text[p]))
        return false;
    long long number = 0;
    for (; p < text.size() && IsDigit(text[p]); ++p)
        number = std::min<long long>(number * 10 + (text[p] - '0'), INT_MAX);
    value = int(negative ? -number : number);
    pos = p;
    return true;
}

// Version token: any character, the major number, any character, the minor number.
// Numbers the token does not supply leave the values as they were.
void ParseVersion(const QByteArray& token, int& major, int& minor) {
    int pos = 1;
    if (token.isEmpty() || !ReadNumber(token, pos, major) || pos >= token.size())
        return;
    ++pos;
    ReadNumber(token, pos, minor);
}

} // namespace

UNIT_IDENTITY ParseUnitIdentity(const QByteArray& afterMarker, int major, int minor) {
    QList<QByteArray> words = Words(afterMarker);
    while (words.size() < 6)
        words.append(QByteArray());
    UNIT_IDENTITY identity;
    identity.major = major;
    identity.minor = minor;
    ParseVersion(words[1].left(VERSION_CHARS), identity.major, identity.minor);
    identity.name = words[0].left(NAME_CHARS);
    identity.date = words[2].left(DATE_WORD_CHARS);
    for (int i = 3; i < 6; ++i)
        identity.date += ' ' + words[i].left(DATE_WORD_CHARS);
    return identity;
}
