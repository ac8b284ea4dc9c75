// How addresses and byte values are written by hand, in karvo-cli's poke and in a text
// setup's bytes: decimal, or hexadecimal after a 0x (or 0X) prefix. One reader for both,
// so a number one of them takes is never refused by the other.
#pragma once

#include <QString>
#include <optional>

// The number text stands for, or nothing when it is neither decimal nor 0x hexadecimal.
// The range is the caller's: an address and a byte value are refused with different words.
std::optional<int> ParseByteNumber(const QString& text);
