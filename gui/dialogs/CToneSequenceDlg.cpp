#include "gui/dialogs/CToneSequenceDlg.h"

#include "gui/controls/CGenCombo.h"
#include "gui/dialogs/CTelegramSlider.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>

CToneSequenceDlg::CToneSequenceDlg(CE2prom* image, int index, QWidget* parent)
    : CToneSequenceDlg(ENCODER_TEMPLATE, EncoderForm(index), ENCODER_PROLONGED_ID, image, parent) {}

CToneSequenceDlg::CToneSequenceDlg(const DIALOG_TEMPLATE& dialogTemplate, const FORM_TABLE& form,
                                   int prolongedId, CE2prom* image, QWidget* parent)
    : CTemplateDialog(dialogTemplate, form, image, parent, DeferredBuild{}),
      m_prolongedId(prolongedId) {
    Build(dialogTemplate);
    InitToneRows();
}

QWidget* CToneSequenceDlg::CreateOwnControl(const CONTROL_TEMPLATE& control) {
    if (control.id != TELEGRAM_SLIDER_ID)
        return nullptr;
    m_slider = new CTelegramSlider(this);
    connect(m_slider, &CTelegramSlider::Handled, this, &CToneSequenceDlg::OnTelegramLengthChanged);
    return m_slider;
}

void CToneSequenceDlg::CollectToneWindows() {
    for (int tone = 1; tone <= MAX_TONES; ++tone) {
        m_labels[tone] = Control(TONE_LABEL_IDS[tone - 1]);
        m_combos[tone] = Control(TONE_COMBO_IDS[tone - 1]);
    }
    for (int k = 0; k <= MAX_TONES; ++k)
        m_radios[k] = qobject_cast<QAbstractButton*>(Control(PROLONGED_RADIO_IDS[k]));
    m_prolongedLabel = Control(PROLONGED_LABEL_ID);
    m_prolongedEdit = qobject_cast<QLineEdit*>(Control(PROLONGED_EDIT_ID));
    m_prolongedArrows = Control(m_prolongedId);
}

CComboLogic* CToneSequenceDlg::ToneLogic(int tone) const {
    auto* combo = dynamic_cast<CGenCombo*>(Binding(TONE_COMBO_IDS[tone - 1]));
    return combo ? &combo->ComboLogic() : nullptr;
}

int CToneSequenceDlg::CountTonesFromImage() const {
    return TelegramLength(*this);
}

void CToneSequenceDlg::InitToneRows() {
    CollectToneWindows();
    const int length = CountTonesFromImage();
    ShowToneRows(length);
    m_slider->setRange(1, MAX_TONES);
    m_slider->setSingleStep(1);
    m_slider->setPageStep(1);
    m_slider->setValue(length); // an empty telegram shows the slider at 1
    // "No" locks the prolonged length; a tone radio, or a stored index that checks no
    // button, leaves it open.
    if (m_radios[0]->isChecked())
        DisableProlongedLength();
    else
        EnableProlongedLength();
    for (int k = 0; k <= MAX_TONES; ++k)
        connect(m_radios[k], &QAbstractButton::clicked, this,
                [this, k] { k == 0 ? DisableProlongedLength() : EnableProlongedLength(); });
    m_prolongedEdit->installEventFilter(this);
}

void CToneSequenceDlg::ShowToneRows(int length) {
    m_displayedLength = length;
    for (int tone = 1; tone <= MAX_TONES; ++tone)
        SetToneEnabled(tone, tone <= length);
}

void CToneSequenceDlg::SetToneEnabled(int tone, bool enabled) {
    for (QWidget* window : {m_labels[tone], m_combos[tone], static_cast<QWidget*>(m_radios[tone])})
        window->setEnabled(enabled);
}

void CToneSequenceDlg::EnableTone(int tone) {
    SetToneEnabled(tone, true);
}

void CToneSequenceDlg::DisableTone(int tone) {
    SetToneEnabled(tone, false);
}

void CToneSequenceDlg::OnTelegramLengthChanged() {
    const int length = m_slider->value();
    if (length == m_displayedLength)
        return;
    ShowToneRows(length);
    int checked = 0;
    while (checked <= MAX_TONES && !m_radios[checked]->isChecked())
        ++checked;
    // A prolonged tone beyond the telegram gives way to "No"; the prolonged length
    // controls keep their state. No checked button counts as "No".
    if (ProlongedToneGivesWay(checked, length))
        m_radios[0]->setChecked(true);
}

void CToneSequenceDlg::EnableProlongedLength() {
    m_prolongedLabel->setEnabled(true);
    m_prolongedArrows->setEnabled(true);
    m_prolongedEdit->setReadOnly(false);
}

void CToneSequenceDlg::DisableProlongedLength() {
    m_prolongedLabel->setEnabled(false);
    m_prolongedArrows->setEnabled(false);
    m_prolongedEdit->setReadOnly(true);
}

// The arrow keys in the prolonged length edit step its value like the arrows beside it,
// and like them not while the length is locked.
bool CToneSequenceDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_prolongedEdit && event->type() == QEvent::KeyPress &&
        !m_prolongedArrows->isEnabled()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down)
            return true;
    }
    return CTemplateDialog::eventFilter(watched, event);
}

bool CToneSequenceDlg::OnOK() {
    if (!CTemplateDialog::OnOK())
        return false;
    // The combo boxes keep showing their rows; only the values to store change.
    std::array<CComboLogic*, MAX_TONES> tones{};
    for (int tone = 1; tone <= MAX_TONES; ++tone)
        tones[std::size_t(tone - 1)] = ToneLogic(tone);
    EndTelegram(tones, m_slider->value());
    return true;
}
