// CAboutDlg: the "About Karvo" box: the program icon, the version line, a line saying
// what the program is for, and OK. It owns its widgets.
#pragma once

#include <QDialog>
#include <map>

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    enum ControlId {
        IDD = 100,
        IDC_ICON = 128,
        IDC_VERSION = 1192,
        IDC_PURPOSE = 1193,
        IDC_OK = 1,
    };

    explicit CAboutDlg(QWidget* parent = nullptr);

    // The control with a template identifier, or nullptr.
    QWidget* Control(int id) const;

private:
    std::map<int, QWidget*> m_controls;
};
