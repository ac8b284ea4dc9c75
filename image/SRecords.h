// Helpers of the S-record format shared by file saving and by writing to the unit.
#pragma once

#include <QByteArray>
#include <cstdint>

// True when word is an S-record: 'S' followed only by hexadecimal digits (either case);
// CR and LF are ignored. "S" alone passes.
bool IsSRecordLine(const QByteArray& word);

// One's complement of the 8-bit sum of count, address and data bytes.
std::uint8_t SRecordChecksum(const QByteArray& countAddressData);

// The S-record text of an image: addresses 1 to the end in S1 records of 16 bytes, each
// line ended by CR LF, then "S9030000FC" without a line end.
QByteArray SRecordLines(const QByteArray& image);
