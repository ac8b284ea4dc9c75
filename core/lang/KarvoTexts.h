// Karvo's own texts: the messages and labels this program shows beyond the fixed
// five-language table (boxes about files it cannot open or write, the port permission
// hint, the serial ports dialog, the file dialogs' captions, the About box's second line). They get
// their French, German, Spanish and Italian here, so that a technician working in one of
// those languages does not meet English in the middle of a session.
//
// The fixed table always wins: Tr() looks here only for a text that has no row there, and
// none of these English texts has one (a test keeps it so).
#pragma once

#include <QString>
#include <span>

struct KARVO_TEXT {
    const char* text[5]; // English, French, German, Spanish, Italian (UTF-8)
};

// Every row, for the test that keeps them apart from the fixed table.
std::span<const KARVO_TEXT> KarvoTextRows();

// The text in the given language (0 English ... 4 Italian); English itself for language 0,
// a language outside 0 to 4 and a text with no row here.
QString KarvoText(int language, const QString& english);
