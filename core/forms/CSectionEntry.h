// CSectionEntry: values entered by their dialog labels into the settings of one setup
// dialog, without the dialog, as a user would type and click them; Finish then does what
// the dialog's OK and Commit do: the checks in the form's validate order, the telegram's
// end markers, and the stores in the form's commit order.
//
// Only the settings entered, and those an entry moves with it (the other buttons of a radio
// group, the tones after a telegram's length), are stored, so every other byte of the image
// keeps its value. The entry owns a CSettingForm attached to the image; the image is written
// only by Finish. Refusals are TEXT_SETUP_ERROR, naming the setting and what is legal.
#pragma once

#include "core/forms/CSettingForm.h"
#include "core/forms/TextSetupError.h"

#include <map>
#include <optional>
#include <set>
#include <vector>

class CSectionEntry {
public:
    // Attaches the form's settings to image (CCtrlErr as the dialog would raise it).
    CSectionEntry(const FORM_TABLE& form, CE2prom& image);

    // Enters value into the setting of line. origin is where the value came from: it goes
    // into the refusal, now or at Finish.
    void Enter(const SETTING_LINE& line, const QString& value, const TEXT_SETUP_ERROR& origin);

    // The dialog's OK and Commit for what was entered.
    void Finish();

private:
    struct PENDING {
        QString text;
        TEXT_SETUP_ERROR origin;
    };
    struct RADIO_ENTRY {
        int controlId;
        bool yes;
        TEXT_SETUP_ERROR origin;
    };

    void EnterSetting(int controlId, CSettingLogic& logic, const QString& value,
                      const TEXT_SETUP_ERROR& origin);
    void EnterComputed(const SETTING_LINE& line, const QString& value,
                       const TEXT_SETUP_ERROR& origin);
    void EnterChoice(const WINDOWLESS_BINDING& binding, const QString& value,
                     const TEXT_SETUP_ERROR& origin);
    void EnterProlongedTone(const QString& value, const TEXT_SETUP_ERROR& origin);
    void EnterTelegramLength(const QString& value, const TEXT_SETUP_ERROR& origin);
    void ResolveRadios();
    void ResolveTelegram();
    void CheckEnteredTexts();
    void Commit();
    void CheckProlongedTone(int tone);
    const WINDOWLESS_BINDING* FindWindowless(int controlId) const;
    bool IsTelegramLength(const SETTING_LINE& line) const;
    [[noreturn]] void Refuse(const TEXT_SETUP_ERROR& origin, const QString& value,
                             const QString& legal) const;

    const FORM_TABLE& m_form;
    CE2prom* m_image;
    CSettingForm m_settings;
    std::set<int> m_touched;
    std::map<int, PENDING> m_checkedTexts; // spinners: the texts OK's check takes
    std::vector<RADIO_ENTRY> m_radios;
    std::optional<std::pair<int, PENDING>> m_prolongedTone;
    std::optional<int> m_telegramLength;
    int m_imageLength = 0; // the telegram length the image held when the entry began
};
