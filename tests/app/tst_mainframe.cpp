// The main frame: its menus, toolbar and accelerators per language, the COM port choice
// and its profile value, the full-duplex rule, the setup command frame, and the default
// setup loaded when it is built.
#include "AppTestSupport.h"
#include "CRecordingMessages.h"

#include "core/image/CE2prom.h"
#include "core/lang/CProfile.h"
#include "core/lang/CTranslator.h"
#include "core/lang/CurrentLanguage.h"
#include "core/link/CError.h"
#include "gui/app/CKarvoDoc.h"
#include "gui/app/CMessageBoxService.h"
#include "gui/app/CWindowPlacement.h"
#include "gui/app/DeviceCommands.h"
#include "gui/app/LanguageChange.h"
#include "gui/dialogs/SetupDialogFactory.h"
#include "gui/shell/ShellResources.h"

#include <QAccessible>
#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

namespace {

// The menu bar as one line: popups as "title{...}", separators as "-", items by text.
QString Outline(const QList<QAction*>& actions) {
    QStringList parts;
    for (QAction* action : actions) {
        if (action->isSeparator())
            parts << QStringLiteral("-");
        else if (action->menu())
            parts << action->text() + '{' + Outline(action->menu()->actions()) + '}';
        else
            parts << action->text();
    }
    return parts.join('|');
}

const int FULL_DUPLEX_COMMANDS[] = {32813, 32817, 32819, 32820, 32821, 32826};

} // namespace

class TestMainFrame : public QObject {
    Q_OBJECT
private slots:
    void menusOfEachLanguage_data();
    void menusOfEachLanguage();
    void acceleratorsOnlyInEnglish_data();
    void acceleratorsOnlyInEnglish();
    void toolbarItemsInOrder();
    void storedPortIsRestored_data();
    void storedPortIsRestored();
    void windowPlacement_data();
    void windowPlacement();
    void placementStoredAndRestored();
    void choosingSelectedPortAgainLeavesNone();
    void choosingAnotherPortMovesTheSelection();
    void fullDuplexRule_data();
    void fullDuplexRule();
    void repeaterDialogReadOnlyInHalfDuplex();
    void dialogChangingRadioTypeUpdatesCommands();
    void setupCommandCommitsOnlyOnOk();
    void setupCommandErrors_data();
    void setupCommandErrors();
    void commandsWithoutDialogStayDisabled();
    void deviceAndPrintCommandsState();
    void missingDefaultSetup();
    void messageBoxesOverMainWindow();
    void damagedDefaultSetup_data();
    void damagedDefaultSetup();
    void defaultSetupLoaded();
    void viewCommands();
};

void TestMainFrame::menusOfEachLanguage_data() {
    QTest::addColumn<int>("resource");
    QTest::addColumn<QString>("outline");
    QTest::newRow("English")
        << 128
        << QString::fromUtf8(
               "&File{&Open...\tCtrl+O|&Save\tCtrl+S|Save &As...|-|Read device|Write device|"
               "Device information|-|Compare with file...|Compare with "
               "device|-|&Print...\tCtrl+P|Print Pre&view|P&rint Setup...|-|E&xit}|"
               "&Edit{&Undo\tCtrl+Z|&Redo\tCtrl+Y}|"
               "Setup{System Setup|Radio Interface|Repeater Operation|Line Interface|Line "
               "Operation|"
               "Single tones|-|TRC Setup|Encoders{Disconnect|Acknowledge|Alarm}|"
               "Decoders{Decoder 1|Decoder 2|Decoder 3|Decoder 4}}|"
               "Configuration{COM port 1|COM port 2|COM port 3|COM port 4|"
               "Serial ports...|Language|-|Find unit...|&Verify after writing|Read &twice to "
               "confirm}|"
               "&View{&Toolbar|&Status Bar|-|Communication log|T&ones...}|&About karvo");
    QTest::newRow("French")
        << 164
        << QString::fromUtf8(
               "&Fichier{&Ouvrir|&Enregistrer|En&registrer sous|-|Lire système|Ecrire système|"
               "Infos système|-|Comparer avec un fichier...|Comparer avec le "
               "système|-|&Imprimer|Aperçu a&vant impression|Configurer l'impression.|-|"
               "&Quitter}|"
               "&Edition{&Annuler\tCtrl+Z|&Rétablir\tCtrl+Y}|Configurer{Configurer le "
               "système|Interface radio|Fonction relais|"
               "Interface ligne| Fonction ligne|Tonalités simples|-|Configuration TRC|"
               "Encodeur{Déconnecter|Accuser réception.|Alarme}|"
               "Décodeur{Décodeur 1|Décodeur 2|Décodeur 3|Décodeur 4}}|"
               "Configuration{Port COM 1|Port COM 2|Port COM 3|Port COM 4|Ports série...|Langue |-|"
               "Rechercher le système...|&Vérifier après écriture|Lire deux &fois pour "
               "confirmer}|&Visualiser{&Barre d'outils|Barre d'état|-|"
               "Journal des communications|&Tonalités...}|&A propos de Karvo");
    QTest::newRow("German")
        << 172
        << QString::fromUtf8(
               "&Datei{Ö&ffnen...|&Speichern|Speichern &unter...|-|Gerät lesen|Gerät programmieren|"
               "Gerätedaten|-|Mit Datei vergleichen...|Mit Gerät "
               "vergleichen|-|&Drucken...|Seiten&ansicht|Drucker &einrichten...|-|&Beenden}|"
               "&Bearbeiten{&Rückgängig\tCtrl+Z|&Wiederholen\tCtrl+Y}|"
               "Einstellungen{Systemeinstellungen|Funkgeräteschnittstelle|Repeaterbetrieb|"
               "Leitungseinstellungen|Leitungsbetrieb|Einzeltöne|-|TRC-Einstellungen|"
               "Geber{Trennen|Quittung|Alarm}|Auswerter{Auswerter 1|Auswerter 2|Auswerter 3|"
               "Auswerter 4}}|Konfiguration{COM-Schnittstelle 1|COM-Schnittstelle 2|"
               "COM-Schnittstelle 3|COM-Schnittstelle 4|Serielle Schnittstellen...|Sprache|-|"
               "Gerät "
               "suchen...|Nach dem Schreiben &prüfen|Zur Bestätigung &zweimal "
               "lesen}|&Ansicht{S&ymbolleiste|&Statusleiste|-|Kommunikationsprotokoll|&Töne...}|&"
               "Info");
    QTest::newRow("Spanish")
        << 173
        << QString::fromUtf8(
               "&Archivo{&Abrir...|&Guardar|G&uardar como...|-|Leer dispositivo|"
               "Escribir en dispositivo|Información sobre dispositivo|-|Comparar con "
               "archivo...|Comparar con dispositivo|-|&Imprimir...|"
               "Pr&esentación preliminar|Con&figurar impresión...|-|&Salir}|"
               "&Edición{&Deshacer\tCtrl+Z|&Rehacer\tCtrl+Y}|"
               "Configurar{Configurar sistema|Interfaz de radio|Funcionamiento del repetidor|"
               "Interfaz de línea|Funcionamiento de línea|Tonos únicos|-|Configurar TRC|"
               "Codificadores{Desconectar|Confirmar|Alarma}|Decodificadores{Decodificador 1|"
               "Decodificador 2|Decodificador 3|Decodificador 4}}|Configurar{Puerto COM 1|"
               "Puerto COM 2|Puerto COM 3|Puerto COM 4|Puertos serie...|Idioma|-|Buscar "
               "dispositivo...|&Verificar tras escribir|Leer dos ve&ces para confirmar}|"
               "&Ver{Barra de &herramientas|Barra de &estado|-|Registro de "
               "comunicación|&Tonos...}|&Acerca "
               "de karvo");
    QTest::newRow("Italian")
        << 174
        << QString::fromUtf8(
               "&File{&Apri...|&Salva|Sa&lva con nome...|-|Leggi dispositivo|Scrivi dispositivo|"
               "Informazioni sul dispositivo|-|Confronta con file...|Confronta con "
               "dispositivo|-|Stam&pa...|Antepri&ma di stampa|"
               "&Imposta stampante...|-|E&sci}|"
               "&Modifica{&Annulla\tCtrl+Z|&Ripeti\tCtrl+Y}|Imposta{Imposta sistema|Interfaccia "
               "radio|"
               "Funzionamento ripetitore|Interfaccia linea|Funzionamento linea|Toni singoli|-|"
               "Imposta TRC|Codificatori{Scollega|Autorisposta|Allarme}|Decodificatori{"
               "Decodificatore 1|Decodificatore 2|Decodificatore 3|Decodificatore 4}}|"
               "Configurazione{Porta COM 1|Porta COM 2|Porta COM 3|Porta COM 4|"
               "Porte seriali...|Lingua|-|Cerca dispositivo...|&Verifica dopo la scrittura|Leggi "
               "due v&olte per conferma}|"
               "&Visualizza{&Barra degli strumenti|Ba&rra di stato|-|"
               "Registro delle comunicazioni|&Toni...}|Infor&mazioni su...");
}

void TestMainFrame::menusOfEachLanguage() {
    QFETCH(int, resource);
    QFETCH(QString, outline);
    CTestFolder folder;
    CRecordingMessages messages;
    CMainFrame frame(resource);
    QCOMPARE(Outline(frame.menuBar()->actions()), outline);
    // The top-level About item shows its text, not the toolbar's picture.
    QVERIFY(frame.menuBar()->actions().last()->icon().isNull());
}

void TestMainFrame::acceleratorsOnlyInEnglish_data() {
    QTest::addColumn<int>("resource");
    QTest::addColumn<int>("count");
    QTest::newRow("English") << 128 << 16;
    QTest::newRow("French") << 164 << 0;
    QTest::newRow("German") << 172 << 0;
    QTest::newRow("Spanish") << 173 << 0;
    QTest::newRow("Italian") << 174 << 0;
}

void TestMainFrame::acceleratorsOnlyInEnglish() {
    QFETCH(int, resource);
    QFETCH(int, count);
    CTestFolder folder;
    CRecordingMessages messages;
    CMainFrame frame(resource);
    const QList<QShortcut*> shortcuts = frame.findChildren<QShortcut*>();
    QCOMPARE(shortcuts.size(), count);
    QStringList keys;
    for (QShortcut* shortcut : shortcuts)
        keys << shortcut->key().toString(QKeySequence::PortableText);
    for (const char* expected : {"Ctrl+N", "Ctrl+O", "Ctrl+S", "Ctrl+P", "F1", "Shift+F1"})
        QCOMPARE(keys.contains(QString::fromLatin1(expected)), count > 0);
}

void TestMainFrame::toolbarItemsInOrder() {
    CTestFolder folder;
    CRecordingMessages messages;
    CMainFrame frame;
    const QList<QAction*> items = frame.ToolBar()->actions();
    QCOMPARE(items.size(), 13);
    const QStringList expected = {"Open",      "Save",         "-",           "Print",
                                  "About",     "Write device", "Read device", "Device information",
                                  "-",         "COM port 1",   "COM port 2",  "COM port 3",
                                  "COM port 4"};
    for (int i = 0; i < items.size(); ++i) {
        if (expected[i] == "-") {
            QVERIFY(items[i]->isSeparator());
            continue;
        }
        QCOMPARE(items[i]->toolTip(), expected[i]);
        const QPixmap icon = items[i]->icon().pixmap(QSize(16, 15));
        QVERIFY2(!icon.isNull(), qPrintable(expected[i]));
        QCOMPARE(icon.size(), QSize(16, 15));
        QWidget* button = frame.ToolBar()->widgetForAction(items[i]);
        QCOMPARE(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name),
                 expected[i]);
        // On a screen scaled by 2 or 3 every pixel of the image is a sharp square.
        const QImage image = icon.toImage();
        for (const int scale : {2, 3}) {
            const QImage big = items[i]->icon().pixmap(QSize(16, 15), scale).toImage();
            QCOMPARE(big.size(), QSize(16, 15) * scale);
            for (int y = 0; y < big.height(); ++y)
                for (int x = 0; x < big.width(); ++x)
                    QCOMPARE(big.pixel(x, y), image.pixel(x / scale, y / scale));
        }
    }
    // The toolbar shares its commands with the menus.
    QCOMPARE(items[0], frame.CommandAction(ID_FILE_OPEN));
    QCOMPARE(items[12], frame.CommandAction(ID_COM_PORT_4));
}

void TestMainFrame::storedPortIsRestored_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("port");
    QTest::newRow("none stored") << QString() << 1;
    QTest::newRow("0") << "0" << 1;
    QTest::newRow("1") << "1" << 2;
    QTest::newRow("2") << "2" << 3;
    QTest::newRow("3") << "3" << 4;
    QTest::newRow("4 is out of range") << "4" << 1;
    QTest::newRow("-1 is out of range") << "-1" << 1;
    QTest::newRow("not a number") << "COM3" << 1;
}

void TestMainFrame::storedPortIsRestored() {
    QFETCH(QString, stored);
    QFETCH(int, port);
    CTestFolder folder;
    CRecordingMessages messages;
    if (!stored.isNull())
        CProfile::WriteString("Communication", "Comport", stored);
    CMainFrame frame;
    const int commands[] = {ID_COM_PORT_1, ID_COM_PORT_2, ID_COM_PORT_3, ID_COM_PORT_4};
    for (int k = 1; k <= 4; ++k) {
        QAction* action = frame.CommandAction(commands[k - 1]);
        auto* button = qobject_cast<QToolButton*>(frame.ToolBar()->widgetForAction(action));
        QVERIFY(button);
        QCOMPARE(frame.IsPortSelected(k), k == port);
        QCOMPARE(action->isChecked(), k == port);
        QCOMPARE(button->isChecked(), k == port);
    }
    QCOMPARE(frame.SelectedPortIndex(), port - 1);
}

void TestMainFrame::windowPlacement_data() {
    QTest::addColumn<QRect>("stored"); // empty: none stored
    QTest::addColumn<QList<QRect>>("screens");
    QTest::addColumn<QRect>("placed");
    const QRect laptop(0, 0, 1366, 736); // 1366 x 768 less a panel
    const QRect second(1366, 0, 1920, 1050);
    const QRect away(1500, 100, 1200, 800);
    QTest::newRow("first start, laptop") << QRect() << QList{laptop} << QRect(183, 20, 1000, 696);
    QTest::newRow("first start, large screen")
        << QRect() << QList{second, laptop} << QRect(1826, 165, 1000, 720);
    QTest::newRow("stored") << QRect(50, 40, 900, 600) << QList{laptop} << QRect(50, 40, 900, 600);
    QTest::newRow("on the second screen") << away << QList{laptop, second} << away;
    QTest::newRow("second screen gone") << away << QList{laptop} << QRect(183, 20, 1000, 696);
    QTest::newRow("a corner on screen")
        << QRect(1300, 700, 800, 600) << QList{laptop} << QRect(183, 20, 1000, 696);
    QTest::newRow("half off the left edge")
        << QRect(-500, 600, 800, 600) << QList{laptop} << QRect(-500, 600, 800, 600);
}

void TestMainFrame::windowPlacement() {
    QFETCH(QRect, stored);
    QFETCH(QList<QRect>, screens);
    QTEST(CWindowPlacement::Place(stored, screens), "placed");
}

// The window comes back where it was closed.
void TestMainFrame::placementStoredAndRestored() {
    CTestFolder folder;
    CRecordingMessages messages;
    CProfile::WriteString("Window", "Placement", "50,40,700,500,0");
    {
        CMainFrame frame;
        QCOMPARE(frame.geometry(), QRect(50, 40, 700, 500));
        frame.setGeometry(60, 30, 640, 480);
    }
    QCOMPARE(ProfileString("Window", "Placement"), QString("60,30,640,480,0"));
}

void TestMainFrame::choosingSelectedPortAgainLeavesNone() {
    CTestFolder folder;
    CRecordingMessages messages;
    CProfile::WriteInt("Communication", "Comport", 2);
    {
        CMainFrame frame;
        QVERIFY(frame.IsPortSelected(3));
        frame.CommandAction(ID_COM_PORT_3)->trigger();
        for (int k = 1; k <= 4; ++k)
            QVERIFY(!frame.IsPortSelected(k));
        QVERIFY(!frame.CommandAction(ID_COM_PORT_3)->isChecked());
        QCOMPARE(frame.SelectedPortIndex(), 0); // the device commands then use COM1
        QCOMPARE(ProfileString("Communication", "Comport"), QString("2"));
    }
    QCOMPARE(ProfileString("Communication", "Comport"), QString("0"));
}

void TestMainFrame::choosingAnotherPortMovesTheSelection() {
    CTestFolder folder;
    CRecordingMessages messages;
    {
        CMainFrame frame;
        frame.CommandAction(ID_COM_PORT_2)->trigger();
        frame.CommandAction(ID_COM_PORT_4)->trigger();
        QVERIFY(!frame.IsPortSelected(1));
        QVERIFY(!frame.IsPortSelected(2));
        QVERIFY(frame.IsPortSelected(4));
        QVERIFY(!frame.CommandAction(ID_COM_PORT_2)->isChecked());
        QVERIFY(frame.CommandAction(ID_COM_PORT_4)->isChecked());
        QCOMPARE(frame.SelectedPortIndex(), 3);
    }
    QCOMPARE(ProfileString("Communication", "Comport"), QString("3"));
}

void TestMainFrame::fullDuplexRule_data() {
    QTest::addColumn<int>("radioType");
    QTest::addColumn<bool>("fullDuplex");
    for (int type = 0; type <= 17; ++type)
        QTest::addRow("type %d", type) << type << (type % 3 == 2);
    QTest::newRow("type 18") << 18 << true;
    QTest::newRow("type 200") << 200 << true;
    QTest::newRow("type 255") << 255 << true;
}

void TestMainFrame::fullDuplexRule() {
    QFETCH(int, radioType);
    QFETCH(bool, fullDuplex);
    CTestFolder folder;
    CRecordingMessages messages;
    CFakeDialogs dialogs;
    CMainFrame frame(128, nullptr, dialogs.Source());
    frame.Image()->SetByte(CMainFrame::RADIO_TYPE_ADDRESS, std::uint8_t(radioType));
    frame.UpdateCommandUI();
    QCOMPARE(frame.FullDuplex(), fullDuplex ? 1 : 0);
    for (int id : FULL_DUPLEX_COMMANDS) {
        QCOMPARE(frame.CommandAction(id)->isEnabled(), fullDuplex);
        frame.ExecuteCommand(id);
    }
    // A disabled command never opens its dialog, however it is sent.
    QCOMPARE(dialogs.built.size(), fullDuplex ? 6 : 0);
    QVERIFY(frame.CommandAction(ID_ENCODER_ALARM)->isEnabled());
    QVERIFY(frame.CommandAction(ID_REPEATER_OPERATION)->isEnabled());
}

void TestMainFrame::repeaterDialogReadOnlyInHalfDuplex() {
    CTestFolder folder;
    CRecordingMessages messages;
    CFakeDialogs dialogs;
    CMainFrame frame(128, nullptr, dialogs.Source());
    for (int type : {1, 2, 0, 200}) {
        frame.Image()->SetByte(CMainFrame::RADIO_TYPE_ADDRESS, std::uint8_t(type));
        frame.ExecuteCommand(ID_REPEATER_OPERATION);
    }
    QCOMPARE(dialogs.built.size(), 4);
    QCOMPARE(dialogs.built[0].readOnly, true);
    QCOMPARE(dialogs.built[1].readOnly, false);
    QCOMPARE(dialogs.built[2].readOnly, true);
    QCOMPARE(dialogs.built[3].readOnly, false);
    // Other dialogs are never read-only; every dialog has the main window as parent.
    frame.ExecuteCommand(ID_SYSTEM_SETUP);
    QCOMPARE(dialogs.built.last().readOnly, false);
    QCOMPARE(dialogs.built.last().parent, &frame);
}

void TestMainFrame::dialogChangingRadioTypeUpdatesCommands() {
    CTestFolder folder;
    CRecordingMessages messages;
    CFakeDialogs dialogs;
    dialogs.plans[ID_RADIO_INTERFACE].commitAddress = CMainFrame::RADIO_TYPE_ADDRESS;
    dialogs.plans[ID_RADIO_INTERFACE].commitValue = 2; // GM300 RPT
    CMainFrame frame(128, nullptr, dialogs.Source());
    QVERIFY(!frame.CommandAction(ID_DECODER_1)->isEnabled());
    frame.CommandAction(ID_RADIO_INTERFACE)->trigger();
    QVERIFY(frame.CommandAction(ID_DECODER_1)->isEnabled());
    QVERIFY(frame.CommandAction(ID_ENCODER_DISCONNECT)->isEnabled());
}

void TestMainFrame::setupCommandCommitsOnlyOnOk() {
    CTestFolder folder;
    folder.AddDefaultSetup();
    CRecordingMessages messages;
    CFakeDialogs dialogs;
    dialogs.plans[ID_SINGLE_TONES].result = QDialog::Rejected;
    CMainFrame frame(128, nullptr, dialogs.Source());
    QVERIFY(!frame.Image()->IsModified());
    const QByteArray before = frame.Image()->Bytes();

    frame.ExecuteCommand(ID_SINGLE_TONES);
    QCOMPARE(dialogs.built.size(), 1);
    QVERIFY(!frame.Image()->IsModified());
    QCOMPARE(frame.Image()->Bytes(), before);

    frame.ExecuteCommand(ID_SYSTEM_SETUP);
    QVERIFY(frame.Image()->IsModified());
    QCOMPARE(frame.Image()->GetByte(100), std::uint8_t(7));
    QVERIFY(messages.boxes.isEmpty());
}

void TestMainFrame::setupCommandErrors_data() {
    QTest::addColumn<bool>("inCommit");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ends");
    QTest::newRow("fatal binding error while building")
        << false << 1 << "CStandardSpinner : Object ID not found in VARIABLE_STRUCT contents."
        << true;
    QTest::newRow("non-fatal binding error while building")
        << false << 4 << "CStandardSpinner : CString contained no valid number." << false;
    QTest::newRow("fatal error while storing")
        << true << 2 << "CStandardSpinner : E2Prom class not initialized." << true;
    QTest::newRow("non-fatal error while storing")
        << true << 5 << "CStandardSpinner : Value_struct incorrect." << false;
}

void TestMainFrame::setupCommandErrors() {
    QFETCH(bool, inCommit);
    QFETCH(int, code);
    QFETCH(QString, text);
    QFETCH(bool, ends);
    CTestFolder folder;
    folder.AddDefaultSetup();
    CRecordingMessages messages;
    CRecordingProcess process;
    CFakeDialogs dialogs;
    const auto raise = [code] { throw CCtrlErr("CStandardSpinner", code); };
    if (inCommit)
        dialogs.plans[ID_LINE_INTERFACE].throwInCommit = raise;
    else
        dialogs.plans[ID_LINE_INTERFACE].throwInConstructor = raise;
    CMainFrame frame(128, nullptr, dialogs.Source());

    frame.ExecuteCommand(ID_LINE_INTERFACE);
    QCOMPARE(messages.boxes.size(), 1);
    QCOMPARE(messages.boxes[0].text, text);
    QCOMPARE(messages.boxes[0].caption, QString("ERROR"));
    QCOMPARE(messages.boxes[0].icon, MsgIcon::Stop);
    QCOMPARE(process.ends, ends ? QList<int>{0} : QList<int>{});
    QCOMPARE(process.starts, 0);
    QVERIFY(!frame.Image()->IsModified());
}

void TestMainFrame::commandsWithoutDialogStayDisabled() {
    CTestFolder folder;
    CRecordingMessages messages;
    CFakeDialogs dialogs;
    dialogs.available = QList<int>{ID_SYSTEM_SETUP, ID_SINGLE_TONES};
    CMainFrame frame(128, nullptr, dialogs.Source());
    frame.Image()->SetByte(CMainFrame::RADIO_TYPE_ADDRESS, 2);
    frame.UpdateCommandUI();
    for (int id : {ID_SYSTEM_SETUP, ID_RADIO_INTERFACE, ID_REPEATER_OPERATION, ID_LINE_INTERFACE,
                   ID_LINE_OPERATION, ID_SINGLE_TONES, ID_TRC_SETUP, ID_ENCODER_DISCONNECT,
                   ID_ENCODER_ACKNOWLEDGE, ID_ENCODER_ALARM, ID_DECODER_1, ID_DECODER_2,
                   ID_DECODER_3, ID_DECODER_4}) {
        const bool exists = id == ID_SYSTEM_SETUP || id == ID_SINGLE_TONES;
        QCOMPARE(frame.CommandAction(id)->isEnabled(), exists);
        frame.ExecuteCommand(id);
    }
    QCOMPARE(dialogs.built.size(), 2);

    // The real factory decides for the program's own frame.
    CMainFrame real;
    QCOMPARE(real.CommandAction(ID_SYSTEM_SETUP)->isEnabled(), HasSetupDialog(ID_SYSTEM_SETUP));
    QCOMPARE(real.CommandAction(ID_TRC_SETUP)->isEnabled(), HasSetupDialog(ID_TRC_SETUP));
}

void TestMainFrame::deviceAndPrintCommandsState() {
    CTestFolder folder;
    CRecordingMessages messages;
    CMainFrame frame;
    for (int id : {ID_WRITE_DEVICE, ID_READ_DEVICE, ID_DEVICE_INFORMATION})
        QVERIFY(frame.CommandAction(id)->isEnabled());
    for (int id : {ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_OPEN, ID_FILE_SAVE,
                   ID_FILE_SAVE_AS, ID_FILE_PRINT_SETUP, ID_APP_EXIT, ID_LANGUAGE, ID_APP_ABOUT,
                   ID_VIEW_TOOLBAR, ID_COM_PORT_1})
        QVERIFY(frame.CommandAction(id)->isEnabled());
}

void TestMainFrame::missingDefaultSetup() {
    for (int language : {0, 2}) {
        CTestFolder folder;
        SetCurrentLanguage(language);
        CRecordingMessages messages;
        CMainFrame frame(LanguageResourceId(language));
        QCOMPARE(messages.boxes.size(), 1);
        const CTranslator translator;
        QCOMPARE(messages.boxes[0].text,
                 translator.Translated(language, "Cannot load default setup"));
        QCOMPARE(messages.boxes[0].caption, translator.Translated(language, "Uncritcal error"));
        QCOMPARE(messages.boxes[0].icon, MsgIcon::Information);
        QCOMPARE(messages.boxes[0].buttons, MsgButtons::Ok);
        QCOMPARE(frame.Image()->Bytes(), QByteArray(211, '\0'));
        QVERIFY(!frame.Image()->IsModified());
        QCOMPARE(frame.windowTitle(), Tr("Untitled") + " - Karvo");
    }
}

void TestMainFrame::messageBoxesOverMainWindow() {
    CTestFolder folder;
    CRecordingMessages messages;
    CMainFrame frame;
    frame.show();
    QWidget* owner = nullptr;
    const CModalWatcher watcher([&](QWidget* modal) {
        owner = modal->parentWidget();
        static_cast<QDialog*>(modal)->done(0);
    });
    CMessageBoxService().Show("Port in use", "ERROR", MsgIcon::Stop, MsgButtons::Ok);
    QCOMPARE(owner, &frame);
}

void TestMainFrame::damagedDefaultSetup_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("caption");
    QTest::newRow("checksum") << QByteArray(
                                     "S1130001FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF00\r\nS9030000FC")
                              << "E2prom : Checksum in Motorola file incorrect."
                              << "ERROR";
    QTest::newRow("unsupported record type")
        << QByteArray("S104000100FA\r\nS3030000FC")
        << "%1 holds an S3 record, which Karvo does not read. Nothing was loaded."
        << "Karvo";
}

void TestMainFrame::damagedDefaultSetup() {
    QFETCH(QByteArray, content);
    CTestFolder folder;
    folder.Write("karvo.def", content);
    CRecordingMessages messages;
    CRecordingProcess process;
    CMainFrame frame;
    QCOMPARE(messages.boxes.size(), 1);
    QFETCH(QString, text); // the box names the file it read, by its full path
    QCOMPARE(messages.boxes[0].text,
             text.replace("%1", QDir::toNativeSeparators(folder.Path("karvo.def"))));
    QTEST(messages.boxes[0].caption, "caption");
    QVERIFY(process.ends.isEmpty()); // start-up goes on
    QCOMPARE(frame.Image()->Bytes(), QByteArray(211, '\0'));
    QVERIFY(frame.isWindow());
}

void TestMainFrame::defaultSetupLoaded() {
    CTestFolder folder;
    folder.AddDefaultSetup();
    CRecordingMessages messages;
    CMainFrame frame;
    QVERIFY(messages.boxes.isEmpty());
    // A few bytes of the shipped setup: GM350 RPT radio type, the 0x05B4 word at 31.
    QCOMPARE(frame.Image()->GetByte(21), std::uint8_t(5));
    QCOMPARE(frame.Image()->GetWord(31), std::int16_t(0x05B4));
    QCOMPARE(frame.Image()->GetByte(0), std::uint8_t(0));
    QVERIFY(!frame.Image()->IsModified());
    QCOMPARE(frame.FullDuplex(), 1);
    const CLinkSettings& link = frame.Image()->LinkSettings();
    QCOMPARE(link.lineTerminator, 13);
    QCOMPARE(link.portIndex, 0);
    QCOMPARE(link.baudRate, 9600);
    QCOMPARE(link.parity, 'N');
    QCOMPARE(link.dataBits, 8);
    QCOMPARE(link.stopBits, 1);
    QCOMPARE(link.attemptLimit, 4);
}

void TestMainFrame::viewCommands() {
    CTestFolder folder;
    CRecordingMessages messages;
    CMainFrame frame;
    QAction* toolbar = frame.CommandAction(ID_VIEW_TOOLBAR);
    QVERIFY(toolbar->isChecked());
    toolbar->trigger();
    QVERIFY(frame.ToolBar()->isHidden());
    QVERIFY(!toolbar->isChecked());
    toolbar->trigger();
    QVERIFY(!frame.ToolBar()->isHidden());
    QVERIFY(toolbar->isChecked());

    QAction* statusBar = frame.CommandAction(ID_VIEW_STATUS_BAR);
    statusBar->trigger();
    QVERIFY(!statusBar->isChecked());
    QVERIFY(frame.findChildren<QStatusBar*>().isEmpty());
}

QTEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
