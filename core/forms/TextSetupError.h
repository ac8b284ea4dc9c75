// TEXT_SETUP_ERROR: why a text setup, or one setting in it, was refused: where it stands,
// which setting it names and what is wrong (with what would be legal). Thrown by value by
// CTextSetup and CSectionEntry; the command line prints it as "FILE:LINE: text".
#pragma once

#include <QString>

struct TEXT_SETUP_ERROR {
    int line = 0;     // line of the text, from 1; 0 when the value has no line (command line)
    int setting = -1; // index of the setting in its CTextSetup; -1 for none
    QString name;     // "Section/Label" of the setting, or empty
    QString message;  // what is wrong

    // "Section/Label: message", or the message alone.
    QString Text() const {
        return name.isEmpty() ? message : name + QStringLiteral(": ") + message;
    }
};
