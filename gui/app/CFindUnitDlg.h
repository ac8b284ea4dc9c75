// CFindUnitDlg: the "Find unit" dialog of the Configuration menu. It lists every serial
// port the system reports (with its description, as the Serial ports dialog shows it)
// and the devices of the four COM settings, tries the connection exchange on each in
// turn (CUnitFinder) with a progress bar and Cancel, and shows each port's unit identity
// (software name, version, date) or "no answer". "Use for COM n" stores the chosen
// port's device for the COM port selected in the main window and closes the dialog.
//
// The search starts when the dialog is shown; Cancel stops it after the port being
// tried (the ports not tried stay blank), and closes the dialog once nothing is searched.
#pragma once

#include "core/link/CUnitFinder.h"

#include <QDialog>
#include <QList>

class QDialogButtonBox;
class QProgressBar;
class QPushButton;
class QTreeWidget;

class CFindUnitDlg : public QDialog {
    Q_OBJECT
public:
    // Lists the ports the system reports; portIndex is the COM port a choice goes to.
    CFindUnitDlg(int portIndex, QWidget* parent = nullptr);
    // Lists the ports given (tests give their own).
    CFindUnitDlg(const QList<SERIAL_PORT_ENTRY>& listed, int portIndex, QWidget* parent);
    ~CFindUnitDlg() override;

    // Tries every port not yet tried, one after the other, until done or cancelled.
    void Search();
    bool Searching() const { return m_searching; }

    const QList<UNIT_PORT>& Ports() const { return m_ports; }
    QTreeWidget* Table() const { return m_table; }
    QPushButton* UseButton() const { return m_use; }
    QPushButton* CancelButton() const;

    // Stores the chosen port's device for the COM port, then closes the dialog.
    void accept() override;
    // Stops a search, or closes the dialog when none runs.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    class CProbeProgress;

    void ShowRow(int row);
    void UpdateUseButton();

    QList<UNIT_PORT> m_ports;
    int m_portIndex;
    bool m_searching = false;
    bool m_cancelled = false;
    bool m_started = false;
    QTreeWidget* m_table = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_use = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};
