// CSerialPortsDlg: the modal "Serial ports" dialog of the Configuration menu. For each of
// COM 1 to COM 4 it offers an editable combo box that lists the serial ports the system
// reports and also takes a typed device name. It starts with the names the profile holds
// ("Communication"/"Port1" to "Port4"); OK stores the four choices there, a blank entry
// storing the built-in name of its port, and Cancel stores nothing.
//
// The lists show each port's system location with its description and manufacturer, but
// only the location is ever stored. The dialog owns its widgets; its texts come from a
// small table of its own in the five languages, chosen by the current language.
#pragma once

#include "core/link/SerialBackend.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <array>

class QComboBox;
class QDialogButtonBox;
class QLabel;

class CSerialPortsDlg : public QDialog {
    Q_OBJECT
public:
    // Lists the ports that the system reports.
    explicit CSerialPortsDlg(QWidget* parent = nullptr);
    // Lists the ports given (tests give their own).
    CSerialPortsDlg(const QList<SERIAL_PORT_ENTRY>& ports, QWidget* parent);

    // The serial ports the system reports now.
    static QList<SERIAL_PORT_ENTRY> AvailablePorts();
    // How a port is shown in the lists: "location — description (manufacturer)", leaving
    // out the parts the system does not report.
    static QString DisplayText(const SERIAL_PORT_ENTRY& port);

    // The combo box of a port index (0 for COM 1 ... 3 for COM 4), or nullptr.
    QComboBox* PortBox(int portIndex) const;
    QLabel* PortLabel(int portIndex) const;
    QDialogButtonBox* Buttons() const { return m_buttons; }

    // The device name a port's box stands for now: the location of a listed port whose
    // text it shows, else the typed text without surrounding blanks; the built-in name
    // when that is blank.
    QString DeviceName(int portIndex) const;

    // Stores the four device names in the profile, then closes the dialog.
    void accept() override;

private:
    void BuildWidgets(const QList<SERIAL_PORT_ENTRY>& ports);
    void TranslateTexts();

    std::array<QComboBox*, 4> m_boxes{};
    std::array<QLabel*, 4> m_labels{};
    QLabel* m_hint = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};
