// The rows of the translation table as static data: row number and the five cells
// (English, French, German, Spanish, Italian) as UTF-8 text. Rows not listed are empty.
#pragma once

struct TRANSLATION_ROW {
    int row;
    const char* text[5];
};

extern const TRANSLATION_ROW TRANSLATION_ROWS[];
extern const int TRANSLATION_ROW_COUNT;
