// A menu or label text without its mnemonic marks, as a screen reader, an undo step or a
// window title names it: "&Read device" is "Read device", and "&&" stands for one '&'.
#pragma once

#include <QString>

// text with each '&' that marks the next character dropped; "&&" gives '&', and a '&' at
// the very end is kept, as Qt shows them.
QString WithoutMnemonic(const QString& text);
