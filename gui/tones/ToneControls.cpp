#include "gui/tones/ToneControls.h"

#include "core/lang/CurrentLanguage.h"
#include "core/settings/Mnemonic.h"

#include <QLabel>
#include <QPushButton>

QPushButton* ToneButton(const QString& english, QWidget* parent) {
    auto* button = new QPushButton(Tr(english), parent);
    button->setAccessibleName(WithoutMnemonic(button->text()));
    button->setAutoDefault(false);
    return button;
}

QLabel* ToneBuddy(const QString& english, QWidget* field, QWidget* parent) {
    auto* label = new QLabel(Tr(english), parent);
    label->setBuddy(field);
    field->setAccessibleName(WithoutMnemonic(label->text()).remove(QLatin1Char(':')).trimmed());
    return label;
}
