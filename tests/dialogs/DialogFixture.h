// Helpers for driving a setup dialog offscreen: its controls by ID, typing into an edit,
// pressing OK or Cancel as the user does.
#pragma once

#include "core/image/CE2prom.h"
#include "core/lang/CurrentLanguage.h"
#include "gui/dialogs/CTemplateDialog.h"
#include "gui/templates/DialogTemplate.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

inline QLineEdit* Edit(const CTemplateDialog& dialog, int id) {
    return qobject_cast<QLineEdit*>(dialog.Control(id));
}

inline QString TextOf(const CTemplateDialog& dialog, int id) {
    if (auto* edit = Edit(dialog, id))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(dialog.Control(id)))
        return combo->currentText();
    if (auto* button = qobject_cast<QAbstractButton*>(dialog.Control(id)))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(dialog.Control(id)))
        return label->text();
    return QString();
}

inline void Type(CTemplateDialog& dialog, int id, const QString& text) {
    QLineEdit* edit = Edit(dialog, id);
    QVERIFY(edit);
    edit->selectAll();
    edit->del();
    QTest::keyClicks(edit, text);
}

inline void Press(CTemplateDialog& dialog, int buttonId) {
    auto* button = qobject_cast<QPushButton*>(dialog.Control(buttonId));
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

// Puts bytes into the image the way a read from the unit does: not marked modified.
inline void Fill(CE2prom& image, std::initializer_list<std::pair<int, int>> bytes) {
    QByteArray data = image.Bytes();
    for (const auto& [address, value] : bytes)
        data[address] = char(value);
    image.ReplaceBytes(data);
}

struct LanguageScope {
    explicit LanguageScope(int language) { SetCurrentLanguage(language); }
    ~LanguageScope() { SetCurrentLanguage(0); }
};

inline QString Padded(const char* label, const char* value) {
    return QString::fromLatin1(label).leftJustified(30) + QString::fromLatin1(value);
}
