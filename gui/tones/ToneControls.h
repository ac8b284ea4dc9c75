// The labelled controls of the Tones window, made as the setup dialogs make theirs: texts
// translated, mnemonics kept, and each control named for screen readers by its text.
#pragma once

class QLabel;
class QPushButton;
class QString;
class QWidget;

// A button with english (translated) as its text, named after it without the mnemonic.
QPushButton* ToneButton(const QString& english, QWidget* parent);
// A label for field with its mnemonic, the field named after it for screen readers.
QLabel* ToneBuddy(const QString& english, QWidget* field, QWidget* parent);
