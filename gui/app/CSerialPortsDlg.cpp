#include "gui/app/CSerialPortsDlg.h"

#include "core/lang/CurrentLanguage.h"
#include "core/link/ComPortNames.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

CSerialPortsDlg::CSerialPortsDlg(QWidget* parent) : CSerialPortsDlg(AvailablePorts(), parent) {}

CSerialPortsDlg::CSerialPortsDlg(const QList<SERIAL_PORT_ENTRY>& ports, QWidget* parent)
    : QDialog(parent) {
    BuildWidgets(ports);
    TranslateTexts();
    // The stored names, without writing the built-in ones to the profile: the dialog
    // leaves the profile alone until OK.
    for (int k = 0; k < COM_PORT_COUNT; ++k) {
        const QString stored = StoredComPortDeviceName(k);
        m_boxes[k]->setEditText(stored.isEmpty() ? DefaultComPortDeviceName(k) : stored);
    }
}

QList<SERIAL_PORT_ENTRY> CSerialPortsDlg::AvailablePorts() {
    return ListSerialPorts();
}

QString CSerialPortsDlg::DisplayText(const SERIAL_PORT_ENTRY& port) {
    QString details = port.description.trimmed();
    const QString manufacturer = port.manufacturer.trimmed();
    if (!manufacturer.isEmpty())
        details += (details.isEmpty() ? QString() : QStringLiteral(" ")) + '(' + manufacturer + ')';
    if (details.isEmpty())
        return port.location;
    return port.location + QStringLiteral(" \u2014 ") + details;
}

void CSerialPortsDlg::BuildWidgets(const QList<SERIAL_PORT_ENTRY>& ports) {
    auto* layout = new QGridLayout(this);
    m_hint = new QLabel(this);
    layout->addWidget(m_hint, 0, 0, 1, 2);
    for (int k = 0; k < COM_PORT_COUNT; ++k) {
        auto* box = new QComboBox(this);
        box->setEditable(true);
        // A typed name is a choice for this port only, not a new entry of the list.
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(32);
        for (const SERIAL_PORT_ENTRY& port : ports)
            box->addItem(DisplayText(port), port.location);
        // Picking a listed port leaves only its device name in the field.
        connect(box, &QComboBox::activated, box,
                [box](int index) { box->setEditText(box->itemData(index).toString()); });
        auto* label = new QLabel(this);
        label->setBuddy(box);
        layout->addWidget(label, k + 1, 0);
        layout->addWidget(box, k + 1, 1);
        m_boxes[k] = box;
        m_labels[k] = label;
    }
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &CSerialPortsDlg::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &CSerialPortsDlg::reject);
    layout->addWidget(m_buttons, COM_PORT_COUNT + 1, 0, 1, 2);
}

void CSerialPortsDlg::TranslateTexts() {
    setWindowTitle(Tr(QStringLiteral("Serial ports")));
    m_hint->setText(Tr(QStringLiteral("Device of each COM port (blank: the built-in name)")));
    for (int k = 0; k < COM_PORT_COUNT; ++k)
        m_labels[k]->setText(Tr(QStringLiteral("COM port %1")).arg(k + 1));
    m_buttons->button(QDialogButtonBox::Ok)->setText(Tr("OK"));
    m_buttons->button(QDialogButtonBox::Cancel)->setText(Tr("Cancel"));
}

QComboBox* CSerialPortsDlg::PortBox(int portIndex) const {
    return portIndex >= 0 && portIndex < COM_PORT_COUNT ? m_boxes[portIndex] : nullptr;
}

QLabel* CSerialPortsDlg::PortLabel(int portIndex) const {
    return portIndex >= 0 && portIndex < COM_PORT_COUNT ? m_labels[portIndex] : nullptr;
}

QString CSerialPortsDlg::DeviceName(int portIndex) const {
    const QComboBox* box = PortBox(portIndex);
    if (!box)
        return QString();
    const QString text = box->currentText().trimmed();
    // The field shows a listed port's full text when the list's completion filled it in.
    const int listed = box->findText(text, Qt::MatchExactly);
    if (listed >= 0)
        return box->itemData(listed).toString();
    return text.isEmpty() ? DefaultComPortDeviceName(portIndex) : text;
}

void CSerialPortsDlg::accept() {
    for (int k = 0; k < COM_PORT_COUNT; ++k)
        StoreComPortDeviceName(k, DeviceName(k));
    QDialog::accept();
}
