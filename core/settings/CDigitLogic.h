// CDigitLogic: the setting logic of a plain edit box holding a number (CGenDigit), also
// used without any window (the line interface's PL-tone action). The legal range runs
// from entry 0's low to the high of the last entry before the end.
#pragma once

#include "core/settings/CSettingLogic.h"

class CDigitLogic : public CSettingLogic {
public:
    CDigitLogic();

    // A stored byte outside the range loads as entry 0's low.
    void Load() override;
    void Store() override;
    // The value in decimal ("%d").
    QString ShownText() const override { return QString::number(m_value); }

    // The translated text of the first entry whose low is the value (the report's reading
    // of a value named by a list); the value in decimal when no such entry has a text.
    QString EntryText() const;

    // A plain decimal number that reads as itself (inside the range) becomes the value.
    bool EnterText(const QString& text) override;
    QString LegalText() const override;

    int Value() const { return m_value; }
    void SetValue(int value) { m_value = value; }
    // The value a typed text stands for: its leading number when inside the range, else
    // entry 0's low.
    int ReadShownValue(const QString& text) const;

private:
    bool InRange(int value) const;

    int m_value = 0;
};
