// The main window's overview and undo history: the overview's rows against the dialogs'
// listing after the image changed under it, the sections greyed by the radio type, and a
// sequence of dialog OKs, undo, redo, save and open with the modified flag and the change
// marks. Setup dialogs are fakes that write one byte on OK.
#include "AppTestSupport.h"
#include "CRecordingMessages.h"

#include "core/forms/CSettingForm.h"
#include "core/forms/ReportSections.h"
#include "core/forms/SectionText.h"
#include "core/image/CE2prom.h"
#include "core/lang/CurrentLanguage.h"
#include "gui/app/AddedMenus.h"
#include "gui/app/CKarvoDoc.h"
#include "gui/app/CKarvoView.h"
#include "gui/app/CSetupHistory.h"
#include "gui/app/CSetupOverviewModel.h"
#include "gui/dialogs/SetupDialogFactory.h"
#include "gui/shell/ShellResources.h"

#include <QAction>
#include <QTreeView>
#include <QtTest>

namespace {

using Model = CSetupOverviewModel;

// The section row of a setup command.
QModelIndex SectionOf(const Model& model, int command) {
    const std::span<const int> commands = CMainFrame::SetupCommands();
    for (int s = 0; s < int(commands.size()); ++s)
        if (commands[s] == command)
            return model.index(s, 0);
    return {};
}

// The setting row of a section by its label.
QModelIndex SettingOf(const Model& model, int command, const QString& label) {
    const QModelIndex section = SectionOf(model, command);
    for (int r = 0; r < model.rowCount(section); ++r)
        if (model.index(r, 0, section).data(Model::LabelRole).toString() == label)
            return model.index(r, 0, section);
    return {};
}

QString Plain(QAction* action) {
    return PlainMenuText(action->text());
}

const int FULL_DUPLEX_ONLY[] = {ID_ENCODER_DISCONNECT, ID_ENCODER_ACKNOWLEDGE, ID_DECODER_1,
                                ID_DECODER_2,          ID_DECODER_3,           ID_DECODER_4};

} // namespace

class TestOverview : public QObject {
    Q_OBJECT
private slots:
    void rowsFollowTheListing_data();
    void rowsFollowTheListing();
    void greyedSections_data();
    void greyedSections();
    void undoRedoOfDialogOk();
};

void TestOverview::rowsFollowTheListing_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QByteArray>("bytes"); // replaces the default setup; empty keeps it
    QByteArray pattern(int(CE2prom::IMAGE_SIZE), '\0');
    for (int a = 1; a < pattern.size(); ++a)
        pattern[a] = char((a * 7 + 3) & 0xFF);
    CE2prom simplex;
    simplex.LoadSRecords(QStringLiteral(KARVO_DEFAULT_SETUP));
    simplex.SetByte(CMainFrame::RADIO_TYPE_ADDRESS, 0);
    // A word's low byte alone (Single tone A's frequency at 50 and 51) is seen as well.
    CE2prom lowByte;
    lowByte.LoadSRecords(QStringLiteral(KARVO_DEFAULT_SETUP));
    lowByte.SetByte(51, lowByte.GetByte(51) ^ 1);
    QTest::newRow("default setup") << 0 << QByteArray();
    QTest::newRow("a word's low byte") << 0 << lowByte.Bytes();
    QTest::newRow("radio type changed, German") << 2 << simplex.Bytes();
    QTest::newRow("every byte changed") << 0 << pattern;
    QTest::newRow("every byte changed, Italian") << 4 << pattern;
}

void TestOverview::rowsFollowTheListing() {
    QFETCH(int, language);
    QFETCH(QByteArray, bytes);
    SetCurrentLanguage(language);
    CE2prom image;
    QCOMPARE(image.LoadSRecords(QStringLiteral(KARVO_DEFAULT_SETUP)), 1);
    std::vector<QStringList> before;
    for (const FORM_TABLE* table : ListedForms()) {
        CSettingForm form(*table, language);
        form.Attach(&image);
        before.push_back(form.ListedText());
    }
    Model model(image, CMainFrame::SetupCommands(), nullptr);
    if (!bytes.isEmpty())
        image.ReplaceBytes(bytes);
    model.Refresh();

    // Each section reads as the listing does: caption, then label and value per setting;
    // a setting is marked exactly when its listed line differs from the default setup's.
    int changed = 0;
    QCOMPARE(model.rowCount(), int(ListedForms().size()));
    for (int s = 0; s < model.rowCount(); ++s) {
        CSettingForm form(*ListedForms()[s], language);
        form.Attach(&image);
        const QStringList listed = form.ListedText();
        const QModelIndex section = model.index(s, 0);
        QCOMPARE(section.data().toString(), listed[0]);
        QCOMPARE(model.rowCount(section), listed.size() - 1);
        for (int r = 0; r < model.rowCount(section); ++r) {
            const QModelIndex row = model.index(r, 0, section);
            const QString value = model.index(r, Model::VALUE_COLUMN, section).data().toString();
            QCOMPARE(FormatSettingLine(row.data(Model::LabelRole).toString(), value),
                     listed[r + 1]);
            const bool differs = listed[r + 1] != before[s][r + 1];
            QCOMPARE(row.data(Model::ChangedRole).toBool(), differs);
            QCOMPARE(row.data().toString().startsWith(QStringLiteral("* ")), differs);
            QCOMPARE(row.data(Qt::FontRole).value<QFont>().bold(), differs);
            // Before shows the default setup's value of a changed setting only.
            const QString was = model.index(r, Model::BEFORE_COLUMN, section).data().toString();
            if (differs)
                QCOMPARE(FormatSettingLine(row.data(Model::LabelRole).toString(), was),
                         before[s][r + 1]);
            else
                QVERIFY(was.isEmpty());
            changed += differs ? 1 : 0;
        }
    }
    QCOMPARE(model.ChangedCount(), changed);
    QCOMPARE(changed > 0, !bytes.isEmpty());
    if (bytes.isEmpty()) {
        const QModelIndex radioType = SettingOf(model, ID_RADIO_INTERFACE, "Radio type");
        QCOMPARE(radioType.data(Qt::AccessibleTextRole), QVariant("Radio type: GM350 RPT"));
        QCOMPARE(radioType.siblingAtColumn(Model::VALUE_COLUMN).data(Qt::AccessibleTextRole),
                 QVariant("GM350 RPT"));
    }
    SetCurrentLanguage(0);
}

void TestOverview::greyedSections_data() {
    QTest::addColumn<int>("radioType");
    QTest::addColumn<bool>("fullDuplex");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("reason"); // of the full duplex sections, in the language
    const QString english = "Not available: the radio type is not full duplex (RPT)";
    QTest::newRow("simplex") << 0 << false << 0 << english;
    QTest::newRow("semi-duplex, German")
        << 16 << false << 2 << "Nicht verfügbar: der Funkgerätetyp ist nicht vollduplex (RPT)";
    QTest::newRow("repeater") << 5 << true << 0 << english;
    QTest::newRow("beyond the list") << 18 << true << 0 << english;
}

// A greyed section and each of its settings say why, in the tooltip and the accessible
// text; the others say nothing of it.
void TestOverview::greyedSections() {
    QFETCH(int, radioType);
    QFETCH(bool, fullDuplex);
    QFETCH(int, language);
    QFETCH(QString, reason);
    CTestFolder folder;
    folder.AddDefaultSetup();
    SetCurrentLanguage(language);
    CRecordingMessages messages;
    CFakeDialogs dialogs;
    CMainFrame frame(128, nullptr, dialogs.Source());
    frame.Image()->SetByte(CMainFrame::RADIO_TYPE_ADDRESS, std::uint8_t(radioType));
    frame.UpdateCommandUI();
    const Model& model = frame.View()->Overview();
    for (const int command : CMainFrame::SetupCommands()) {
        const bool greyed = !fullDuplex && std::ranges::count(FULL_DUPLEX_ONLY, command) > 0;
        const QModelIndex section = SectionOf(model, command);
        const QString caption = section.data(Model::LabelRole).toString();
        QCOMPARE(section.data(Model::EnabledRole).toBool(), !greyed);
        QCOMPARE(section.data(Qt::ToolTipRole).toString(), greyed ? reason : QString());
        QCOMPARE(section.data(Qt::AccessibleTextRole).toString(),
                 greyed ? caption + ", " + reason : caption);
        const QModelIndex setting = model.index(0, 0, section);
        QCOMPARE(setting.data(Qt::ToolTipRole).toString(), greyed ? reason : QString());
        QCOMPARE(setting.data(Qt::AccessibleTextRole).toString().endsWith(", " + reason), greyed);
    }

    // Enter on a section, or on one of its settings, runs its command as the menu would;
    // on a greyed one a box says why.
    QTreeView& tree = frame.View()->Tree();
    const QModelIndex decoder = SectionOf(model, ID_DECODER_1);
    for (const QModelIndex& row : {decoder, model.index(1, 0, decoder)}) {
        tree.setCurrentIndex(row);
        QTest::keyClick(&tree, Qt::Key_Return);
    }
    QCOMPARE(dialogs.built.size(), fullDuplex ? 2 : 0);
    QCOMPARE(messages.boxes.size(), fullDuplex ? 0 : 2);
    for (const RecordedBox& box : messages.boxes) {
        QCOMPARE(box.text, reason);
        QCOMPARE(box.caption, decoder.data(Model::LabelRole).toString());
        QCOMPARE(box.icon, MsgIcon::Information);
    }
}

void TestOverview::undoRedoOfDialogOk() {
    CTestFolder folder;
    folder.AddDefaultSetup();
    CRecordingMessages messages;
    CFakeDialogs dialogs;
    dialogs.plans[ID_RADIO_INTERFACE].commitAddress = CMainFrame::RADIO_TYPE_ADDRESS;
    dialogs.plans[ID_RADIO_INTERFACE].commitValue = 0;
    dialogs.plans[ID_SYSTEM_SETUP] = dialogs.plans[ID_RADIO_INTERFACE]; // then changes nothing
    CMainFrame frame(128, nullptr, dialogs.Source());
    frame.show();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    CE2prom* image = frame.Image();
    const QByteArray original = image->Bytes();
    const Model& model = frame.View()->Overview();
    QAction* undo = frame.CommandAction(ID_EDIT_UNDO);
    QAction* redo = frame.CommandAction(ID_EDIT_REDO);
    QVERIFY(!undo->isEnabled() && !redo->isEnabled());
    QCOMPARE(redo->shortcuts(), QKeySequence::listFromString("Ctrl+Y; Ctrl+Shift+Z"));

    // A double-click on a setting of the section opens its dialog; OK changes the radio type.
    QTreeView& tree = frame.View()->Tree();
    const QModelIndex radioType = SettingOf(model, ID_RADIO_INTERFACE, "Radio type");
    const QRect cell = tree.visualRect(radioType);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(dialogs.built.size(), 1);
    QCOMPARE(image->GetByte(CMainFrame::RADIO_TYPE_ADDRESS), 0);
    QVERIFY(image->IsModified());
    QVERIFY(radioType.data(Model::ChangedRole).toBool());
    QCOMPARE(model.ChangedCount(), 1);
    QVERIFY(frame.View()->Summary().endsWith(": 1"));
    QVERIFY(!SectionOf(model, ID_DECODER_1).data(Model::EnabledRole).toBool());
    QCOMPARE(Plain(undo), QString("Undo Radio Interface"));

    // An OK that leaves the bytes as they are is no step.
    frame.ExecuteCommand(ID_SYSTEM_SETUP);
    QCOMPARE(frame.History().Count(), 1);

    QTest::keyClick(&frame, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(image->Bytes(), original);
    QVERIFY(!image->IsModified());
    QCOMPARE(model.ChangedCount(), 0);
    QVERIFY(SectionOf(model, ID_DECODER_1).data(Model::EnabledRole).toBool());
    QVERIFY(!undo->isEnabled());
    QCOMPARE(Plain(redo), QString("Redo Radio Interface"));

    QTest::keyClick(&frame, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(image->GetByte(CMainFrame::RADIO_TYPE_ADDRESS), 0);
    QVERIFY(image->IsModified());
    QCOMPARE(model.ChangedCount(), 1);

    // Saving makes the saved setup the one changes are counted from; a step back from it
    // is modified (so closing asks to save it), and the step forward again is not.
    QVERIFY(frame.Document()->DoSave(folder.Path("saved.s19")));
    QCOMPARE(model.ChangedCount(), 0);
    frame.ExecuteCommand(ID_EDIT_UNDO);
    QVERIFY(image->IsModified());
    QCOMPARE(model.ChangedCount(), 1);
    QVERIFY(!radioType.data(Qt::FontRole).isNull());
    frame.ExecuteCommand(ID_EDIT_REDO);
    QVERIFY(!image->IsModified());
    frame.ExecuteCommand(ID_EDIT_UNDO);

    // Open asks to save the step back from the saved setup, and starts a new history.
    messages.answers << MsgAnswer::No;
    QVERIFY(frame.Document()->OpenDocumentFile(folder.Path("saved.s19")));
    QCOMPARE(messages.boxes.size(), 1);
    QCOMPARE(messages.boxes[0].buttons, MsgButtons::YesNo);
    QCOMPARE(frame.History().Count(), 0);
    QCOMPARE(model.ChangedCount(), 0);
    QVERIFY(!undo->isEnabled() && !redo->isEnabled());
}

QTEST_MAIN(TestOverview)
#include "tst_overview.moc"
