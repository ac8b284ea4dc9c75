// Helpers of the S-record format shared by file saving, file loading and the device link:
// building S1 and S9 records, their checksum, and the character tests of the readers.
#pragma once

#include <QByteArray>
#include <QList>
#include <cstdint>

// The end record that closes every S-record text the program writes.
inline constexpr char S9_RECORD[] = "S9030000FC";

// Data bytes carried by one S1 record that the program writes.
constexpr int RECORD_BYTES = 16;

// The character tests run once per character of every file and dump, so they are inline.

// White space as the record readers see it: blank, tab, LF, VT, FF, CR.
inline bool IsBlankChar(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The value of a hexadecimal digit (either case); -1 for any other character.
inline int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

inline bool IsHexDigit(char c) {
    return HexDigitValue(c) >= 0;
}

// The value of the leading hexadecimal digits of field; 0 without any.
inline int LeadingHexValue(QByteArrayView field) {
    int value = 0;
    for (char c : field) {
        const int digit = HexDigitValue(c);
        if (digit < 0)
            break;
        value = value * 16 + digit;
    }
    return value;
}

// True when word is an S-record: 'S' followed only by hexadecimal digits (either case);
// CR and LF are ignored. "S" alone passes.
bool IsSRecordLine(const QByteArray& word);

// One's complement of the 8-bit sum of count, address and data bytes.
std::uint8_t SRecordChecksum(QByteArrayView countAddressData);

// The S1 record of data at address, without a line end: "S1", count, address, data and
// checksum in uppercase hexadecimal.
QByteArray SRecordLine(int address, const QByteArray& data);

// One S1 record's share of an image: its address and its data bytes.
struct CRecordSlice {
    int address;
    QByteArray data;
};

// How an image is cut into S1 records: addresses 1 to the end (address 0 is never
// written), RECORD_BYTES a record, the last one shorter when the size asks for it.
QList<CRecordSlice> RecordSlices(const QByteArray& image);

// The S-record text of an image: its RecordSlices as S1 records, each line ended by
// CR LF, then S9_RECORD without a line end.
QByteArray SRecordLines(const QByteArray& image);
