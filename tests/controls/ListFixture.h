// Binds one value list of the unit to a one-entry variable table, so a test can load,
// step, validate and store any list at a known address.
#pragma once

#include "core/image/CE2prom.h"
#include "core/image/VariableTables.h"
#include "core/lang/CurrentLanguage.h"

#include <QMetaType>
#include <cstring>

inline constexpr int TEST_ADDRESS = 50;
inline constexpr int TEST_CONTROL = 100;

struct ListTable {
    VARIABLE_STRUCT entries[2];

    explicit ListTable(const VALUE_STRUCT* list, int address = TEST_ADDRESS,
                       int controlId = TEST_CONTROL) {
        std::memset(entries, 0, sizeof entries);
        entries[0].address = address;
        entries[0].controlId = controlId;
        entries[0].values = list;
    }
    operator const VARIABLE_STRUCT*() const { return entries; }
};

// Puts a byte into the image the way a read from the unit does: not marked modified.
inline void Fill(CE2prom& image, int address, int value) {
    QByteArray bytes = image.Bytes();
    bytes[address] = char(value);
    image.ReplaceBytes(bytes);
}

// Lists are passed through the data tables by pointer.
using ListPtr = const VALUE_STRUCT*;
Q_DECLARE_METATYPE(ListPtr)

// Sets the interface language for one test and restores English after it.
struct LanguageScope {
    explicit LanguageScope(int language) { SetCurrentLanguage(language); }
    ~LanguageScope() { SetCurrentLanguage(0); }
};
