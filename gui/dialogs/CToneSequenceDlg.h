// CToneSequenceDlg: the encoder dialog (template 135), and the base of the decoder dialog
// (CDecoderDlg). It edits one tone telegram: eleven tone combo boxes, the telegram-length
// slider, the radio group that chooses the prolonged tone, and the prolonged tone length.
// Rows beyond the telegram length are disabled but keep their values; OK marks every tone
// after the slider's length as "End" (in the bindings only; Commit stores them).
//
// One class serves every index: the index selects the form, and with it the descriptor
// table (the image bytes) and the caption.
#pragma once

#include "core/forms/ToneSequenceForms.h"
#include "gui/dialogs/CTemplateDialog.h"

#include <array>

class CComboLogic;
class CTelegramSlider;
class QAbstractButton;
class QLineEdit;

class CToneSequenceDlg : public CTemplateDialog {
    Q_OBJECT
public:
    // Encoder index 0 Disconnect, 1 Acknowledge, 2 Alarm.
    CToneSequenceDlg(CE2prom* image, int index, QWidget* parent = nullptr);

    // The length the rows show: set when the dialog opens, and by each slider change.
    int DisplayedLength() const { return m_displayedLength; }
    CTelegramSlider* Slider() const { return m_slider; }

    void EnableTone(int tone);  // tone 1 to 11
    void DisableTone(int tone); // tone 1 to 11
    void EnableProlongedLength();
    void DisableProlongedLength();
    // Follows the slider: rows 1 to its position enabled, the rest disabled; a prolonged
    // tone beyond the new length gives way to "No".
    void OnTelegramLengthChanged();

protected:
    // For the decoder: the template, its form and the up-down control of its prolonged
    // tone length.
    CToneSequenceDlg(const DIALOG_TEMPLATE& dialogTemplate, const FORM_TABLE& form, int prolongedId,
                     CE2prom* image, QWidget* parent);

    QWidget* CreateOwnControl(const CONTROL_TEMPLATE& control) override;
    // The form's validations; then the tones after the slider's length become "End".
    bool OnOK() override;
    // The tones the bindings hold, before the first "End" (11 when there is none).
    int CountTonesFromImage() const;
    // Keeps the arrow keys in the prolonged length edit from stepping a locked length.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CollectToneWindows();
    void InitToneRows();
    void SetToneEnabled(int tone, bool enabled);
    void ShowToneRows(int length);
    CComboLogic* ToneLogic(int tone) const;

    // Indexed by tone 1 to 11; index 0 of the radios is "No".
    std::array<QWidget*, MAX_TONES + 1> m_labels{};
    std::array<QWidget*, MAX_TONES + 1> m_combos{};
    std::array<QAbstractButton*, MAX_TONES + 1> m_radios{};
    QWidget* m_prolongedLabel = nullptr;
    QLineEdit* m_prolongedEdit = nullptr;
    QWidget* m_prolongedArrows = nullptr;
    CTelegramSlider* m_slider = nullptr;
    int m_prolongedId;
    int m_displayedLength = 0;
};
