// CLanguageDlg: the "Languages supported" dialog, five radio buttons in one group whose
// value is the language index (0 English ... 4 Italian), OK and a Cancel button with its
// own identifier. It owns its widgets; it does not change the language itself, its opener
// does (see LanguageChange.h).
#pragma once

#include <QDialog>
#include <map>

class QButtonGroup;

class CLanguageDlg : public QDialog {
    Q_OBJECT
public:
    enum ControlId {
        IDD = 165,
        IDC_LANGUAGE_GROUP = 1185,
        IDC_ENGLISH = 1181,
        IDC_FRENCH = 1182,
        IDC_GERMAN = 1219,
        IDC_SPANISH = 1220,
        IDC_ITALIAN = 1221,
        IDC_OK = 1,
        IDC_CANCEL_BUTTON = 1223,
    };

    // preset is the language shown selected at first: 0 to 4, or -1 for none.
    explicit CLanguageDlg(int preset, QWidget* parent = nullptr);

    // The radio button that is checked (0 to 4), or -1 when none is. After OK, the
    // chosen language: English when OK was pressed with nothing selected.
    int SelectedIndex() const;

    // The control with a template identifier, or nullptr.
    QWidget* Control(int id) const;

    void accept() override;

private:
    void TranslateTexts();

    QButtonGroup* m_group = nullptr;
    std::map<int, QWidget*> m_controls;
    int m_chosen = -1;
    bool m_accepted = false;
};
