// CComboLogic: the setting logic of a drop-down combo box with an edit field (CGenCombo).
// Row i of the box is entry i of the value list, its text translated; the kept value is
// the selected entry's value, so Store never needs the box.
#pragma once

#include "core/settings/CSettingLogic.h"

#include <QStringList>

class CComboLogic : public CSettingLogic {
public:
    CComboLogic();

    void Load() override;
    void Store() override;
    // The row text at the current selection.
    QString ShownText() const override;

    // The rows in entry order, translated; filled by Attach.
    const QStringList& Rows() const { return m_rows; }
    int CurrentRow() const { return m_current; }
    int Value() const { return m_value; }

    // The value Store will write becomes value while the selection, and so the shown
    // text, stays as it is: a tone sequence dialog ends its telegram this way on OK.
    void TakeValue(int value) { m_value = value; }
    // The user picked a row from the list.
    void SelectRow(int row);
    // The user typed text into the edit field and left it: the first entry whose text
    // matches, ignoring case, in English or translated, becomes the selection. Returns
    // false and changes nothing when no entry matches.
    bool MatchTyped(const QString& text);
    // Entering a value as text selects the row MatchTyped finds.
    bool EnterText(const QString& text) override { return MatchTyped(text); }
    // The rows, translated.
    QString LegalText() const override;
    // The OK check: the edit field's text must be the current row's text (ignoring case).
    // Otherwise shows "A invalid value is set!" (translated) and returns false.
    bool Validate(const QString& text) const;

protected:
    void Prepare() override;

private:
    void Select(int row, int value);

    QStringList m_rows;
    int m_value = 0;
};
