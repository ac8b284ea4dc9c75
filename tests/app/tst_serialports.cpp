// The "Serial ports..." item of the Configuration menu and its dialog: where the item sits
// in each language, the dialog's texts, what it starts with, and what OK, Cancel and a
// blank entry leave in the profile.
#include "AppTestSupport.h"
#include "CRecordingMessages.h"

#include "core/lang/CProfile.h"
#include "core/lang/CurrentLanguage.h"
#include "core/link/ComPortNames.h"
#include "gui/app/CFindUnitDlg.h"
#include "gui/app/CSerialPortsDlg.h"
#include "gui/app/LanguageChange.h"
#include "gui/shell/ShellResources.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QList<SERIAL_PORT_ENTRY> LISTED_PORTS = {
    {"/dev/ttyUSB0", "FT232R USB UART", "FTDI"},
    {"/dev/ttyACM0", "", ""},
};

QString StoredPort(int port) {
    return CProfile::GetString("Communication", QStringLiteral("Port%1").arg(port));
}

void ClickButton(CSerialPortsDlg& dialog, QDialogButtonBox::StandardButton which) {
    QTest::mouseClick(dialog.Buttons()->button(which), Qt::LeftButton);
}

// Replaces the text of a port's box as a user would: select all, delete, type. Key
// events carry Latin-1 only, so other text is put in as the list's completion puts it.
void TypeInto(CSerialPortsDlg& dialog, int portIndex, const QString& text) {
    QLineEdit* edit = dialog.PortBox(portIndex)->lineEdit();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QVERIFY(edit->text().isEmpty());
    if (text.toLatin1() == text.toUtf8())
        QTest::keyClicks(edit, text);
    else
        edit->insert(text);
    QCOMPARE(dialog.PortBox(portIndex)->currentText(), text);
}

} // namespace

class TestSerialPorts : public QObject {
    Q_OBJECT
private slots:
    void menuItemFollowsComPort4_data();
    void menuItemFollowsComPort4();
    void dialogTexts_data();
    void dialogTexts();
    void displayText_data();
    void displayText();
    void menuOpensDialogWithProfileNames();
    void okStores_data();
    void okStores();
    void cancelStoresNothing();
    void okThroughTheMenuReachesThePortLayer();
    void findUnitCancelStopsTheSearch();
};

void TestSerialPorts::menuItemFollowsComPort4_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("English") << 0 << "Serial ports..."
                             << "COM port 4"
                             << "Language";
    QTest::newRow("French") << 1 << QString::fromUtf8("Ports série...") << "Port COM 4"
                            << "Langue ";
    QTest::newRow("German") << 2 << "Serielle Schnittstellen..."
                            << "COM-Schnittstelle 4"
                            << "Sprache";
    QTest::newRow("Spanish") << 3 << "Puertos serie..."
                             << "Puerto COM 4"
                             << "Idioma";
    QTest::newRow("Italian") << 4 << "Porte seriali..."
                             << "Porta COM 4"
                             << "Lingua";
}

void TestSerialPorts::menuItemFollowsComPort4() {
    QFETCH(int, language);
    QFETCH(QString, text);
    QFETCH(QString, before);
    QFETCH(QString, after);
    CTestFolder folder;
    CRecordingMessages messages;
    CMainFrame frame(LanguageResourceId(language));
    // The Configuration popup is the fourth on the menu bar, after File, Edit and Setup.
    const QList<QAction*> popups = frame.menuBar()->actions();
    QVERIFY(popups.size() > 3 && popups[3]->menu());
    const QList<QAction*> items = popups[3]->menu()->actions();
    QAction* item = frame.CommandAction(ID_SERIAL_PORTS);
    QVERIFY(item);
    const int at = int(items.indexOf(item));
    QVERIFY(at > 0 && at + 1 < items.size());
    QCOMPARE(item->text(), text);
    QCOMPARE(items[at - 1]->text(), before);
    QCOMPARE(items[at + 1]->text(), after);
    QVERIFY(item->isEnabled());
    QVERIFY(!item->isCheckable());
    QCOMPARE(item->toolTip(), QString("Serial ports"));
    // No two menu items share a command identifier, so the item runs its own command.
    QList<int> commands;
    for (int i = 0; i < MENU_STRUCTURE_COUNT; ++i)
        if (MENU_STRUCTURE[i].kind == MenuEntryKind::Command)
            commands.append(MENU_STRUCTURE[i].id);
    for (int id : commands)
        QCOMPARE(commands.count(id), 1);
}

void TestSerialPorts::dialogTexts_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("label1");
    QTest::addColumn<QString>("label4");
    QTest::addColumn<QString>("ok");
    QTest::addColumn<QString>("cancel");
    QTest::newRow("English") << 0 << "Serial ports"
                             << "COM port 1"
                             << "COM port 4"
                             << "OK"
                             << "Cancel";
    QTest::newRow("French") << 1 << QString::fromUtf8("Ports série") << "Port COM 1"
                            << "Port COM 4"
                            << "OK"
                            << "Annul.";
    QTest::newRow("German") << 2 << "Serielle Schnittstellen"
                            << "COM-Schnittstelle 1"
                            << "COM-Schnittstelle 4"
                            << "OK"
                            << "Abbruch";
    QTest::newRow("Spanish") << 3 << "Puertos serie"
                             << "Puerto COM 1"
                             << "Puerto COM 4"
                             << "OK"
                             << "Cancel";
    QTest::newRow("Italian") << 4 << "Porte seriali"
                             << "Porta COM 1"
                             << "Porta COM 4"
                             << "OK"
                             << "Annull";
}

void TestSerialPorts::dialogTexts() {
    QFETCH(int, language);
    QFETCH(QString, caption);
    QFETCH(QString, label1);
    QFETCH(QString, label4);
    QFETCH(QString, ok);
    QFETCH(QString, cancel);
    CTestFolder folder;
    SetCurrentLanguage(language);
    CSerialPortsDlg dialog(LISTED_PORTS, nullptr);
    QCOMPARE(dialog.windowTitle(), caption);
    QCOMPARE(dialog.PortLabel(0)->text(), label1);
    QCOMPARE(dialog.PortLabel(3)->text(), label4);
    QCOMPARE(dialog.PortLabel(0)->buddy(), dialog.PortBox(0));
    QCOMPARE(dialog.Buttons()->button(QDialogButtonBox::Ok)->text(), ok);
    QCOMPARE(dialog.Buttons()->button(QDialogButtonBox::Cancel)->text(), cancel);
    QVERIFY(dialog.PortBox(4) == nullptr);
    QVERIFY(dialog.PortBox(-1) == nullptr);
}

void TestSerialPorts::displayText_data() {
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("manufacturer");
    QTest::addColumn<QString>("shown");
    QTest::newRow("all parts") << "/dev/ttyUSB0"
                               << "FT232R USB UART"
                               << "FTDI"
                               << QString::fromUtf8("/dev/ttyUSB0 — FT232R USB UART (FTDI)");
    QTest::newRow("no manufacturer") << "/dev/ttyS0"
                                     << "16550A"
                                     << "" << QString::fromUtf8("/dev/ttyS0 — 16550A");
    QTest::newRow("no description") << "/dev/ttyACM0"
                                    << ""
                                    << "Acme" << QString::fromUtf8("/dev/ttyACM0 — (Acme)");
    QTest::newRow("location only") << "/dev/ttyS1"
                                   << ""
                                   << ""
                                   << "/dev/ttyS1";
}

void TestSerialPorts::displayText() {
    QFETCH(QString, location);
    QFETCH(QString, description);
    QFETCH(QString, manufacturer);
    QFETCH(QString, shown);
    QCOMPARE(CSerialPortsDlg::DisplayText({location, description, manufacturer}), shown);
}

void TestSerialPorts::menuOpensDialogWithProfileNames() {
    CTestFolder folder;
    CRecordingMessages messages;
    CProfile::WriteString("Communication", "Port1", "/tmp/adapter");
    CProfile::WriteString("Communication", "Port3", "   ");
    CMainFrame frame;
    const QByteArray profileBefore = folder.Read("karvo.ini");

    QStringList shown;
    QString caption;
    QWidget* parent = nullptr;
    int listed = -1;
    CModalWatcher watcher([&](QWidget* modal) {
        auto* dialog = qobject_cast<CSerialPortsDlg*>(modal);
        QVERIFY(dialog);
        caption = dialog->windowTitle();
        parent = dialog->parentWidget();
        listed = dialog->PortBox(0)->count();
        for (int k = 0; k < 4; ++k)
            shown << dialog->PortBox(k)->currentText();
        ClickButton(*dialog, QDialogButtonBox::Cancel);
    });
    frame.CommandAction(ID_SERIAL_PORTS)->trigger();
    QVERIFY(watcher.Fired());
    QCOMPARE(caption, QString("Serial ports"));
    QCOMPARE(parent, &frame);
    // What the system reports is listed; the box starts with the profile's name.
    QCOMPARE(listed, int(CSerialPortsDlg::AvailablePorts().size()));
    // A missing or blank entry shows the built-in name.
    QCOMPARE(shown, QStringList({"/tmp/adapter", DefaultComPortDeviceName(1),
                                 DefaultComPortDeviceName(2), DefaultComPortDeviceName(3)}));
    // Opening and cancelling writes nothing, not even the built-in names.
    QCOMPARE(folder.Read("karvo.ini"), profileBefore);
    QVERIFY(frame.isEnabled());
}

void TestSerialPorts::okStores_data() {
    QTest::addColumn<QString>("typed");  // typed into COM 2's box; "<down>" picks from the list
    QTest::addColumn<QString>("stored"); // what Port2 then holds
    QTest::newRow("typed name") << "/dev/ttyUSB7"
                                << "/dev/ttyUSB7";
    QTest::newRow("blanks around a name") << "  /dev/pts/4 "
                                          << "/dev/pts/4";
    QTest::newRow("blank restores the built-in name") << "" << DefaultComPortDeviceName(1);
    QTest::newRow("only blanks restore the built-in name") << "    " << DefaultComPortDeviceName(1);
    QTest::newRow("a listed port's full text stores its location")
        << QString::fromUtf8("/dev/ttyUSB0 — FT232R USB UART (FTDI)") << "/dev/ttyUSB0";
    QTest::newRow("picked from the list") << "<down>"
                                          << "/dev/ttyUSB0";
    QTest::newRow("name with a comma") << "/tmp/a,b"
                                       << "/tmp/a,b";
}

void TestSerialPorts::okStores() {
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    CTestFolder folder;
    CProfile::WriteString("Communication", "Port2", "/dev/old");
    CProfile::WriteString("Communication", "Port4", "/dev/ttyACM3");
    CSerialPortsDlg dialog(LISTED_PORTS, nullptr);
    QCOMPARE(dialog.PortBox(1)->count(), 2);
    QCOMPARE(dialog.PortBox(1)->itemText(0),
             QString::fromUtf8("/dev/ttyUSB0 — FT232R USB UART (FTDI)"));
    if (typed == "<down>") {
        dialog.PortBox(1)->setCurrentIndex(-1);
        QTest::keyClick(dialog.PortBox(1), Qt::Key_Down);
        // The field then holds the device name alone.
        QCOMPARE(dialog.PortBox(1)->currentText(), QString("/dev/ttyUSB0"));
    } else {
        TypeInto(dialog, 1, typed);
    }
    ClickButton(dialog, QDialogButtonBox::Ok);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(StoredPort(2), stored);
    // OK stores all four; the others keep what they showed.
    QCOMPARE(StoredPort(1), DefaultComPortDeviceName(0));
    QCOMPARE(StoredPort(3), DefaultComPortDeviceName(2));
    QCOMPARE(StoredPort(4), QString("/dev/ttyACM3"));
    QCOMPARE(ComPortDeviceName(1), stored);
}

void TestSerialPorts::cancelStoresNothing() {
    for (const bool escape : {false, true}) {
        CTestFolder folder;
        CProfile::WriteString("Communication", "Port1", "/dev/ttyUSB1");
        const QByteArray profileBefore = folder.Read("karvo.ini");
        CSerialPortsDlg dialog(LISTED_PORTS, nullptr);
        dialog.show();
        for (int k = 0; k < 4; ++k)
            TypeInto(dialog, k, QStringLiteral("/dev/changed%1").arg(k));
        TypeInto(dialog, 2, QString()); // a blank would restore a name on OK
        if (escape)
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            ClickButton(dialog, QDialogButtonBox::Cancel);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(folder.Read("karvo.ini"), profileBefore);
        QCOMPARE(StoredPort(1), QString("/dev/ttyUSB1"));
        QVERIFY(StoredPort(2).isNull());
        QVERIFY(StoredPort(3).isNull());
    }
}

void TestSerialPorts::okThroughTheMenuReachesThePortLayer() {
    CTestFolder folder;
    folder.AddDefaultSetup();
    CRecordingMessages messages;
    CMainFrame frame(LanguageResourceId(2));
    SetCurrentLanguage(2);
    QString okText;
    CModalWatcher watcher([&](QWidget* modal) {
        auto* dialog = qobject_cast<CSerialPortsDlg*>(modal);
        QVERIFY(dialog);
        TypeInto(*dialog, 0, "/dev/ttyUSB3");
        TypeInto(*dialog, 3, "");
        okText = dialog->Buttons()->button(QDialogButtonBox::Ok)->text();
        ClickButton(*dialog, QDialogButtonBox::Ok);
    });
    frame.CommandAction(ID_SERIAL_PORTS)->trigger();
    QVERIFY(watcher.Fired());
    QCOMPARE(okText, QString("OK"));
    QCOMPARE(StoredPort(1), QString("/dev/ttyUSB3"));
    QCOMPARE(StoredPort(4), DefaultComPortDeviceName(3));
    QCOMPARE(ComPortDeviceName(0), QString("/dev/ttyUSB3"));
    QVERIFY(messages.boxes.isEmpty());
    // The COM port choice itself is a separate matter and stays as it was.
    QVERIFY(frame.IsPortSelected(1));
}

// Cancel during Find unit's search stops it after the port being tried and keeps the
// dialog open; without a unit found nothing can be used, neither by the button nor by
// activating a "no answer" row; Cancel then closes it.
void TestSerialPorts::findUnitCancelStopsTheSearch() {
    CTestFolder folder;
    for (int k = 0; k < COM_PORT_COUNT; ++k)
        StoreComPortDeviceName(k, folder.Path(QStringLiteral("absent%1").arg(k)));
    CFindUnitDlg dialog(LISTED_PORTS, 2, nullptr);
    QCOMPARE(dialog.Table()->topLevelItemCount(), LISTED_PORTS.size() + COM_PORT_COUNT);
    QCOMPARE(dialog.UseButton()->text(), QString("Use for COM 3"));
    dialog.show();
    QTimer::singleShot(0, dialog.CancelButton(), &QPushButton::click);
    dialog.Search();
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.Ports().first().probed);
    QVERIFY(!dialog.Ports().last().probed);
    QCOMPARE(dialog.Table()->topLevelItem(0)->text(3), QString("no answer"));
    QCOMPARE(dialog.Table()->topLevelItem(5)->text(3), QString());
    QTreeWidget* table = dialog.Table();
    table->setCurrentItem(table->topLevelItem(0));
    QVERIFY(!dialog.UseButton()->isEnabled());
    QTest::keyClick(table, Qt::Key_Return); // activates the row, as a double click does
    QVERIFY(dialog.isVisible());
    dialog.CancelButton()->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(StoredComPortDeviceName(2), folder.Path("absent2"));
}

QTEST_MAIN(TestSerialPorts)
#include "tst_serialports.moc"
