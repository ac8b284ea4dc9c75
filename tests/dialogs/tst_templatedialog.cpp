// The template mechanism: dialog units, controls built from the template and found by
// ID, binding errors from the constructor, the consistency of every form with its
// template, table and translations, the factory, and the report text that the dialogs
// and the widget-free form share.
#include "DialogFixture.h"

#include "core/forms/CSettingForm.h"
#include "core/forms/ReportSections.h"
#include "core/forms/ToneSequenceForms.h"
#include "core/lang/CTranslator.h"
#include "core/link/CError.h"
#include "gui/controls/CCtrlBinding.h"
#include "gui/controls/CStandardSpinner.h"
#include "gui/dialogs/CDecoderDlg.h"
#include "gui/dialogs/CRepeaterDlg.h"
#include "gui/dialogs/CSingleTonesDlg.h"
#include "gui/dialogs/CSystemSetupDlg.h"
#include "gui/dialogs/CTrcSetupDlg.h"
#include "gui/dialogs/SetupDialogFactory.h"

#include "tests/common/CRecordingMessages.h"
#include "tests/common/RunsUnderWine.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QLineEdit>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolButton>
#include <algorithm>
#include <set>

namespace {

constexpr int SETUP_COMMANDS[] = {ID_SYSTEM_SETUP,   ID_RADIO_INTERFACE,    ID_REPEATER_OPERATION,
                                  ID_LINE_INTERFACE, ID_LINE_OPERATION,     ID_SINGLE_TONES,
                                  ID_TRC_SETUP,      ID_ENCODER_DISCONNECT, ID_ENCODER_ACKNOWLEDGE,
                                  ID_ENCODER_ALARM,  ID_DECODER_1,          ID_DECODER_2,
                                  ID_DECODER_3,      ID_DECODER_4};

// System setup's form with a table that lacks the options spinner.
const VARIABLE_STRUCT SHORT_TABLE[] = {
    {18, 1006, "slask", COUNTRY_LIST},
    {19, 1164, "", FALSE_TRUE_LIST},
    {0, 0, "", nullptr},
};

FORM_TABLE WithTable(const FORM_TABLE& form, const VARIABLE_STRUCT* table) {
    FORM_TABLE copy = form;
    copy.table = table;
    return copy;
}

// The control kinds a binding kind can sit on.
bool Fits(SettingKind binding, ControlKind control) {
    switch (binding) {
    case SettingKind::Spinner:
    case SettingKind::Spinner10:
    case SettingKind::WordSpinner:
        return control == ControlKind::UpDown;
    case SettingKind::Combo:
        return control == ControlKind::ComboBox;
    case SettingKind::CheckBox:
        return control == ControlKind::CheckBox;
    case SettingKind::RadioButton:
        return control == ControlKind::RadioButton;
    case SettingKind::Digit:
        return control == ControlKind::Edit;
    }
    return false;
}

const CONTROL_TEMPLATE* FindControl(const DIALOG_TEMPLATE& t, int id) {
    for (const CONTROL_TEMPLATE& c : t.controls)
        if (c.id == id)
            return &c;
    return nullptr;
}

int CountTableEntries(const VARIABLE_STRUCT* table) {
    int n = 0;
    while (table[n].controlId != 0)
        ++n;
    return n;
}

bool InTable(const VARIABLE_STRUCT* table, int id) {
    for (; table->controlId != 0; ++table)
        if (table->controlId == id)
            return true;
    return false;
}

template <class T> int CodeOf(T&& build, QByteArray* objectName = nullptr) {
    try {
        build();
    } catch (const CCtrlErr& e) {
        if (objectName)
            *objectName = e.ObjectName();
        return e.Code();
    }
    return -1;
}

// Two radio groups: the line connection pair bound to address 37, and a plain pair.
constexpr CONTROL_TEMPLATE RADIO_CONTROLS[] = {
    {1121, ControlKind::RadioButton, "Two wire", 5, 5, 60, 10, STYLE_GROUP},
    {1122, ControlKind::RadioButton, "Four wire", 5, 17, 60, 10, STYLE_NONE},
    {1123, ControlKind::RadioButton, "OFF", 80, 5, 60, 10, STYLE_GROUP},
    {1124, ControlKind::RadioButton, "RX audio inhibit", 80, 17, 60, 10, STYLE_NONE},
    {IDOK, ControlKind::DefPushButton, "OK", 150, 5, 50, 14, STYLE_NONE},
};
constexpr DIALOG_TEMPLATE RADIO_TEMPLATE = {
    9001, "Line Interface", 210, 40, "MS Sans Serif", 8, false, RADIO_CONTROLS,
};
constexpr BINDING_ENTRY RADIO_BINDINGS[] = {
    {1121, SettingKind::RadioButton, 0},
    {1122, SettingKind::RadioButton, 0},
};
constexpr int RADIO_COMMIT[] = {1121, 1122};
const FORM_TABLE RADIO_FORM = {
    9001,
    "Line Interface",
    LINE_INTERFACE_TABLE,
    RADIO_BINDINGS,
    {},
    {},
    RADIO_COMMIT,
    "Line interface",
    {},
    {},
};

// The role a screen reader must hear for an input widget; NoRole for any other widget.
// A combo box as a screen reader browses it: its list (one item per row, named by the
// row's text, the shown row selected) and its edit field; closed, it is not expanded.
bool ListedAsItems(QAccessibleInterface* face, const QComboBox* combo) {
    QAccessibleInterface* list = face->child(0);
    if (face->childCount() != 2 || !list || list->role() != QAccessible::List ||
        list->parent() != face || face->indexOfChild(list) != 0 || face->state().expanded ||
        list->childCount() != combo->count() || face->child(1)->object() != combo->lineEdit())
        return false;
    for (int row = 0; row < combo->count(); ++row)
        if (list->child(row)->text(QAccessible::Name) != combo->itemText(row) ||
            list->tableInterface()->isRowSelected(row) != (row == combo->currentIndex()))
            return false;
    return true;
}

QAccessible::Role InputRole(const QWidget* widget) {
    if (qobject_cast<const QRadioButton*>(widget))
        return QAccessible::RadioButton;
    if (qobject_cast<const QCheckBox*>(widget))
        return QAccessible::CheckBox;
    if (qobject_cast<const QComboBox*>(widget))
        return QAccessible::ComboBox;
    if (qobject_cast<const QSlider*>(widget))
        return QAccessible::Slider;
    if (qobject_cast<const QToolButton*>(widget)) // the arrows of a spinner
        return QAccessible::Button;
    if (qobject_cast<const QLineEdit*>(widget))
        return QAccessible::EditableText;
    return QAccessible::NoRole;
}

// A name is the text of one of the dialog's labels, or an arrow named after one.
bool NamedAfterLabel(const QString& name, const QWidget& dialog) {
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        for (const char* form : {"%1", "%1, up", "%1, down"})
            if (name == Tr(QString::fromLatin1(form)).arg(label->text()))
                return true;
    return false;
}

// The template control a focused widget belongs to: its index in the template.
qsizetype TemplateIndex(const CTemplateDialog& dialog, const DIALOG_TEMPLATE& t, QWidget* widget) {
    for (; widget; widget = widget->parentWidget())
        for (qsizetype i = 0; i < qsizetype(t.controls.size()); ++i)
            if (t.controls[i].id > 0 && dialog.Control(t.controls[i].id) == widget)
                return i;
    return -1;
}
} // namespace

class TestTemplateDialog : public QObject {
    Q_OBJECT
private slots:
    void dialogUnits_data();
    void dialogUnits();
    void controlsPlacedFromTemplate();
    void missingTableEntryRaisesFromConstructor();
    void missingImageOrTable();
    void radioGroups();
    void formsMatchTheirTemplates_data();
    void formsMatchTheirTemplates();
    void textsHaveTranslations_data();
    void textsHaveTranslations();
    void openingWritesNothing();
    void factory();
    void textsFit_data();
    void textsFit();
    void formAndDialogShowTheSame_data();
    void formAndDialogShowTheSame();
    void keyboardAndScreenReaders_data();
    void keyboardAndScreenReaders();
};

void TestTemplateDialog::dialogUnits_data() {
    QTest::addColumn<QRect>("units");
    QTest::addColumn<QRect>("pixels");
    // Base units 6 x 13, those of the classic 8-point dialog font.
    QTest::newRow("origin") << QRect(0, 0, 4, 8) << QRect(0, 0, 6, 13);
    QTest::newRow("ok button") << QRect(166, 7, 50, 14) << QRect(249, 11, 75, 23);
    QTest::newRow("check box") << QRect(5, 55, 156, 10) << QRect(8, 89, 234, 17);
    QTest::newRow("dialog") << QRect(0, 0, 224, 81) << QRect(0, 0, 336, 132);
}

void TestTemplateDialog::dialogUnits() {
    QFETCH(QRect, units);
    QFETCH(QRect, pixels);
    const CDialogUnits du(6, 13);
    QCOMPARE(du.ToPixels(units.x(), units.y(), units.width(), units.height()), pixels);
}

void TestTemplateDialog::controlsPlacedFromTemplate() {
    CE2prom image;
    CSystemSetupDlg dialog(&image);
    const CDialogUnits& du = dialog.Units();
    QVERIFY(du.BaseX() > 0 && du.BaseY() > 0);
    const QFont font = dialog.font();
    QCOMPARE(CDialogUnits(font).BaseX(), du.BaseX());
    QCOMPARE(dialog.size(), du.ToPixels(224, 81));
    for (const CONTROL_TEMPLATE& c : SYSTEM_SETUP_TEMPLATE.controls) {
        QWidget* widget = dialog.Control(c.id);
        QVERIFY2(widget, qPrintable(QString::number(c.id)));
        const QRect expected = du.ToPixels(c.x, c.y, c.width, c.height);
        if (c.kind == ControlKind::ComboBox)
            QCOMPARE(widget->geometry().topLeft(), expected.topLeft());
        else
            QCOMPARE(widget->geometry(), expected);
    }
    QVERIFY(dialog.Control(4711) == nullptr);
    QVERIFY(dialog.Binding(1215) == nullptr); // a label is no binding
    QCOMPARE(dialog.Binding(1145)->ControlId(), 1145);
    auto* ok = qobject_cast<QPushButton*>(dialog.Control(IDOK));
    QVERIFY(ok && ok->isDefault());
}

// An up-down control whose ID is not in the table ends the opening with code 1, naming
// the spinner; the exception leaves the constructor.
void TestTemplateDialog::missingTableEntryRaisesFromConstructor() {
    CE2prom image;
    const FORM_TABLE form = WithTable(SYSTEM_SETUP_FORM, SHORT_TABLE);
    QByteArray name;
    QCOMPARE(CodeOf([&] { CTemplateDialog dialog(SYSTEM_SETUP_TEMPLATE, form, &image); }, &name),
             1);
    QCOMPARE(name, QByteArray("CStandardSpinner"));
    QVERIFY(!image.IsModified());

    // A binding on a control the template lacks.
    const BINDING_ENTRY stray[] = {{4711, SettingKind::Combo, 0}};
    FORM_TABLE strayForm = SYSTEM_SETUP_FORM;
    strayForm.bindings = stray;
    QCOMPARE(CodeOf([&] { CTemplateDialog d(SYSTEM_SETUP_TEMPLATE, strayForm, &image); }, &name),
             1);
    QCOMPARE(name, QByteArray("CGenCombo"));
}

void TestTemplateDialog::missingImageOrTable() {
    CE2prom image;
    QByteArray name;
    QCOMPARE(CodeOf([&] { CSystemSetupDlg dialog(nullptr); }, &name), 2);
    QCOMPARE(name, QByteArray("CGenCombo")); // the first binding attached
    const FORM_TABLE noTable = WithTable(SINGLE_TONES_FORM, nullptr);
    QCOMPARE(CodeOf([&] { CTemplateDialog d(SINGLE_TONES_TEMPLATE, noTable, &image); }, &name), 3);
    QCOMPARE(name, QByteArray("CStandardSpinner"));
    CCtrlErr fatal("CStandardSpinner", 3);
    QVERIFY(fatal.IsFatal());
}

// Radio buttons exclude each other within their group only; the one checked at OK is the
// one that stores.
void TestTemplateDialog::radioGroups() {
    CE2prom image;
    Fill(image, {{37, 1}});
    CTemplateDialog dialog(RADIO_TEMPLATE, RADIO_FORM, &image);
    auto radio = [&](int id) { return qobject_cast<QAbstractButton*>(dialog.Control(id)); };
    QVERIFY(!radio(1121)->isChecked());
    QVERIFY(radio(1122)->isChecked());
    radio(1123)->click();
    QVERIFY(radio(1122)->isChecked()); // another group
    radio(1121)->click();
    QVERIFY(!radio(1122)->isChecked());
    radio(1124)->click();
    QVERIFY(!radio(1123)->isChecked());
    QVERIFY(radio(1121)->isChecked());
    dialog.show();
    Press(dialog, IDOK);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    dialog.Commit();
    QCOMPARE(int(image.GetByte(37)), 0);
}

void TestTemplateDialog::formsMatchTheirTemplates_data() {
    QTest::addColumn<const FORM_TABLE*>("form");
    for (const FORM_TABLE* form : ListedForms())
        QTest::newRow(form->caption) << form;
}

// Every binding sits on a control of a fitting kind that its table knows, spinners have
// an edit as buddy, every binding is stored exactly once, and the orders and lines name
// bindings only. A windowless binding takes a table entry that no binding of the form
// uses, and its radio buttons are radio buttons of the template with the same texts; a
// computed line may name no binding; the read-only controls are in the template.
void TestTemplateDialog::formsMatchTheirTemplates() {
    QFETCH(const FORM_TABLE*, form);
    const DIALOG_TEMPLATE* t = FindDialogTemplate(form->templateId);
    QVERIFY(t);
    std::set<int> bound;
    for (const BINDING_ENTRY& b : form->bindings) {
        const CONTROL_TEMPLATE* c = FindControl(*t, b.controlId);
        QVERIFY2(c && Fits(b.kind, c->kind), qPrintable(QString::number(b.controlId)));
        QVERIFY(InTable(form->table, b.controlId));
        const bool spinner = c->kind == ControlKind::UpDown;
        QCOMPARE(b.buddyId != 0, spinner);
        if (spinner) {
            const CONTROL_TEMPLATE* buddy = FindControl(*t, b.buddyId);
            QVERIFY(buddy && buddy->kind == ControlKind::Edit);
        }
        QVERIFY(bound.insert(b.controlId).second);
    }
    for (const WINDOWLESS_BINDING& w : form->windowless) {
        QVERIFY(w.tableEntry >= 0 && w.tableEntry < CountTableEntries(form->table));
        const int id = WindowlessId(*form, w);
        QVERIFY2(bound.insert(id).second, qPrintable(QString::number(id)));
        QCOMPARE(int(w.radios.size()), CountEntries(form->table[w.tableEntry].values));
        for (const RADIO_CHOICE& radio : w.radios) {
            const CONTROL_TEMPLATE* c = FindControl(*t, radio.controlId);
            QVERIFY(c && c->kind == ControlKind::RadioButton && !FindBinding(*form, c->id));
            QCOMPARE(QByteArray(c->text), QByteArray(radio.text));
        }
    }
    std::multiset<int> stored(form->commitOrder.begin(), form->commitOrder.end());
    for (const int id : bound)
        QCOMPARE(int(stored.count(id)), 1);
    QCOMPARE(stored.size(), bound.size());
    for (const int id : form->validateOrder)
        QVERIFY(bound.count(id));
    // OK checks every spinner: a typed value is never stored unchecked.
    for (const BINDING_ENTRY& b : form->bindings)
        if (b.buddyId != 0)
            QVERIFY(
                std::count(form->validateOrder.begin(), form->validateOrder.end(), b.controlId));
    for (const auto& ids : {form->translated, form->readOnlyControls})
        for (const int id : ids)
            QVERIFY2(FindControl(*t, id), qPrintable(QString::number(id)));
    // A computed line may stand for a whole radio group, or for no binding at all.
    std::set<int> listed;
    for (const auto& lines : {form->reportLines, form->listedLines})
        for (const SETTING_LINE& line : lines) {
            QVERIFY(bound.count(line.controlId) || (line.compute && line.controlId == 0));
            listed.insert(line.controlId);
        }
    for (const BINDING_ENTRY& b : form->bindings)
        QVERIFY(listed.count(b.controlId) || b.kind == SettingKind::RadioButton);
}

void TestTemplateDialog::textsHaveTranslations_data() {
    QTest::addColumn<QString>("text");
    for (const FORM_TABLE* form : ListedForms()) {
        const DIALOG_TEMPLATE* t = FindDialogTemplate(form->templateId);
        QTest::newRow(form->caption) << QString::fromLatin1(form->caption);
        QTest::newRow(form->reportTitle) << QString::fromLatin1(form->reportTitle);
        for (const int id : form->translated) {
            const QString text = QString::fromLatin1(FindControl(*t, id)->text);
            QTest::newRow(qPrintable(text)) << text;
        }
        for (const auto& lines : {form->reportLines, form->listedLines})
            for (const SETTING_LINE& line : lines)
                QTest::newRow(line.label) << QString::fromLatin1(line.label);
        for (const WINDOWLESS_BINDING& w : form->windowless)
            for (const RADIO_CHOICE& radio : w.radios)
                QTest::newRow(radio.text) << QString::fromLatin1(radio.text);
    }
}

// A typing error in a text would leave it English in every language.
void TestTemplateDialog::textsHaveTranslations() {
    QFETCH(QString, text);
    QVERIFY(CTranslator().FindRow(text) >= 0);
}

void TestTemplateDialog::openingWritesNothing() {
    CE2prom image;
    QByteArray bytes(int(CE2prom::IMAGE_SIZE), '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char((i * 37 + 11) & 0xFF);
    image.ReplaceBytes(bytes);
    for (const int command : SETUP_COMMANDS) {
        auto dialog = CreateSetupDialog(command, &image, command == ID_REPEATER_OPERATION);
        QVERIFY(dialog);
        dialog->show();
        dialog->reject();
    }
    QCOMPARE(image.Bytes(), bytes);
    QVERIFY(!image.IsModified());
}

void TestTemplateDialog::factory() {
    CE2prom image;
    for (const int command : SETUP_COMMANDS)
        QVERIFY(HasSetupDialog(command));
    QVERIFY(!HasSetupDialog(0));
    const auto caption = [&](int command) {
        return CreateSetupDialog(command, &image, false)->windowTitle();
    };
    QCOMPARE(caption(ID_ENCODER_ACKNOWLEDGE), QStringLiteral("Acknowledge"));
    QCOMPARE(caption(ID_DECODER_3), QStringLiteral("Decoder 3"));
    QVERIFY(dynamic_cast<CDecoderDlg*>(CreateSetupDialog(ID_DECODER_4, &image, false).get()));
    QVERIFY(!dynamic_cast<CDecoderDlg*>(CreateSetupDialog(ID_ENCODER_ALARM, &image, false).get()));
    QVERIFY(
        dynamic_cast<CToneSequenceDlg*>(CreateSetupDialog(ID_ENCODER_ALARM, &image, false).get()));
    QVERIFY(
        dynamic_cast<CSystemSetupDlg*>(CreateSetupDialog(ID_SYSTEM_SETUP, &image, false).get()));
    QVERIFY(dynamic_cast<CSingleTonesDlg*>(CreateSetupDialog(ID_SINGLE_TONES, &image, true).get()));
    QVERIFY(dynamic_cast<CTrcSetupDlg*>(CreateSetupDialog(ID_TRC_SETUP, &image, false).get()));
    QVERIFY(CreateSetupDialog(0, &image, false) == nullptr);
    // Only the repeater dialog takes the read-only flag.
    auto locked = CreateSetupDialog(ID_REPEATER_OPERATION, &image, true);
    QVERIFY(dynamic_cast<CRepeaterDlg*>(locked.get()));
    QVERIFY(!static_cast<CTemplateDialog*>(locked.get())->Control(1113)->isEnabled());
    auto open = CreateSetupDialog(ID_REPEATER_OPERATION, &image, false);
    QVERIFY(static_cast<CTemplateDialog*>(open.get())->Control(1113)->isEnabled());
    QWidget parent;
    auto child = CreateSetupDialog(ID_SYSTEM_SETUP, &image, false, &parent);
    QCOMPARE(child->parentWidget(), &parent);
}

namespace {

// Inner margin a line edit keeps on each side of its text, inside its frame (Qt's own).
constexpr int LINE_EDIT_MARGIN = 2;

// Every text a spinner's edit can show (each text entry, each range's highest number) fits
// inside the edit's frame and margins, so no value scrolls out of sight.
void CheckSpinnerTextsFit(const CStandardSpinner& spinner, const VARIABLE_STRUCT& variable,
                          const QString& dialog) {
    const QLineEdit* edit = spinner.Buddy();
    QStyleOptionFrame option;
    option.initFrom(edit);
    const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    const int room = edit->width() - 2 * frame - 2 * LINE_EDIT_MARGIN;
    for (const VALUE_STRUCT* e = variable.values; !IsEndEntry(*e); ++e) {
        const QString text = IsTextEntry(*e) ? Tr(e->text) : QString::number(e->high);
        const int needed = edit->fontMetrics().horizontalAdvance(text);
        QVERIFY2(needed <= room, qPrintable(QString("\"%1\" of %2 in %3: %4 > %5")
                                                .arg(text)
                                                .arg(variable.controlId)
                                                .arg(dialog)
                                                .arg(needed)
                                                .arg(room)));
    }
}

} // namespace

void TestTemplateDialog::textsFit_data() {
    QTest::addColumn<int>("language");
    for (int language = 0; language < 5; ++language)
        QTest::addRow("language %d", language) << language;
}

// In every language every text fits its control: the labels on one line, the buttons'
// texts beside their marks, every row of a combo box in its field, every value of a spinner
// in its edit.
void TestTemplateDialog::textsFit() {
    QFETCH(int, language);
    if (RunsUnderWine())
        QSKIP("under Wine the offscreen platform draws DejaVu Sans hinted otherwise than Linux "
              "and Windows do; the fit is checked on Linux");
    LanguageScope scope(language);
    CE2prom image;
    for (const int command : SETUP_COMMANDS) {
        const auto dialog = CreateSetupDialog(command, &image, false);
        for (QWidget* widget : dialog->findChildren<QWidget*>()) {
            int needed = 0;
            if (const auto* label = qobject_cast<QLabel*>(widget))
                needed = label->fontMetrics().horizontalAdvance(label->text());
            else if (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QComboBox*>(widget))
                needed = widget->sizeHint().width();
            QVERIFY2(needed <= widget->width(),
                     qPrintable(QString("%1 in %2: %3 > %4")
                                    .arg(widget->metaObject()->className(), dialog->windowTitle())
                                    .arg(needed)
                                    .arg(widget->width())));
        }
        const auto& form = dynamic_cast<const CTemplateDialog&>(*dialog);
        for (const VARIABLE_STRUCT* v = form.Form().table; v->controlId != 0; ++v)
            if (const auto* spinner = qobject_cast<CStandardSpinner*>(form.Control(v->controlId)))
                CheckSpinnerTextsFit(*spinner, *v, dialog->windowTitle());
    }
}

void TestTemplateDialog::formAndDialogShowTheSame_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<quint32>("seed");
    for (int language = 0; language < 5; ++language)
        for (quint32 seed : {1u, 2u, 3u})
            QTest::addRow("language %d seed %u", language, seed) << language << seed;
}

// The report drawn from the dialog's controls and the listing of the widget-free form
// come from the same logic: for any image they show the same texts.
void TestTemplateDialog::formAndDialogShowTheSame() {
    QFETCH(int, language);
    QFETCH(quint32, seed);
    LanguageScope scope(language);
    QRandomGenerator random(seed);
    CE2prom image;
    QByteArray bytes(int(CE2prom::IMAGE_SIZE), '\0');
    for (auto& b : bytes)
        b = char(random.bounded(seed == 1 ? 12 : 256)); // small values hit the lists
    if (seed == 3) // telegrams of every length: a third of the bytes end one
        for (auto& b : bytes)
            b = random.bounded(3) == 0 ? char(TONE_END) : b;
    if (seed == 2) { // plausible tones: 300..2800 and 0
        for (int a = 50; a < 58; a += 2) {
            const int hz = a == 50 ? 0 : 300 + int(random.bounded(2501));
            bytes[a] = char(hz >> 8);
            bytes[a + 1] = char(hz & 0xFF);
        }
    }
    image.ReplaceBytes(bytes);
    for (const int command : SETUP_COMMANDS) {
        const auto built = CreateSetupDialog(command, &image, command == ID_REPEATER_OPERATION);
        const auto* dialog = dynamic_cast<const CTemplateDialog*>(built.get());
        QVERIFY(dialog);
        const FORM_TABLE& form = dialog->Form();
        CSettingForm headless(form, GetCurrentLanguage());
        headless.Attach(&image);
        QCOMPARE(headless.ReportText(), dialog->SectionLines());
        for (const BINDING_ENTRY& b : form.bindings)
            QCOMPARE(headless.ValueText(b.controlId), dialog->Binding(b.controlId)->ShownText());
    }
}

void TestTemplateDialog::keyboardAndScreenReaders_data() {
    QTest::addColumn<int>("language");
    QTest::newRow("English") << 0;
    QTest::newRow("Italian") << 4;
}

// Through Qt's accessibility interface, as a screen reader sees them: every input control
// of every setup dialog is named after its label, in the interface language, never by its
// value, and has the role of its kind. Tab walks the controls in the rows' order, Escape
// cancels and Enter presses OK.
void TestTemplateDialog::keyboardAndScreenReaders() {
    QFETCH(int, language);
    LanguageScope scope(language);
    CRecordingMessages messages;
    CE2prom image;
    int controls = 0;
    for (const int command : SETUP_COMMANDS) {
        const auto built = CreateSetupDialog(command, &image, false);
        auto& dialog = static_cast<CTemplateDialog&>(*built);
        for (QWidget* widget : dialog.findChildren<QWidget*>()) {
            if (InputRole(widget) == QAccessible::NoRole)
                continue;
            // The controls of the templates; not the spinners' arrows or the combo boxes' fields.
            if (!qobject_cast<QToolButton*>(widget) &&
                !qobject_cast<QComboBox*>(widget->parentWidget()))
                ++controls;
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
            const QString name = face->text(QAccessible::Name);
            const QString where =
                QStringLiteral("%1 %2 \"%3\"")
                    .arg(dialog.windowTitle(), widget->metaObject()->className(), name);
            QVERIFY2(face->role() == InputRole(widget), qPrintable(where));
            QVERIFY2(!name.isEmpty() && name != face->text(QAccessible::Value), qPrintable(where));
            const auto* button = qobject_cast<const QAbstractButton*>(widget);
            QVERIFY2(NamedAfterLabel(name, dialog) || (button && name == button->text()),
                     qPrintable(where));
            if (auto* combo = qobject_cast<QComboBox*>(widget))
                QVERIFY2(ListedAsItems(face, combo), qPrintable(where));
        }

        const DIALOG_TEMPLATE& t = *FindDialogTemplate(dialog.Form().templateId);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QList<qsizetype> visited;
        for (QWidget* focus = QApplication::focusWidget();
             visited.size() < 2 ||
             (visited.front() != TemplateIndex(dialog, t, focus) && visited.size() < 100);
             focus = QApplication::focusWidget()) {
            visited.append(TemplateIndex(dialog, t, focus));
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QVERIFY2(std::is_sorted(visited.begin(), visited.end()), qPrintable(dialog.windowTitle()));
        QCOMPARE(visited.back(), qsizetype(t.controls.size()) - 1); // Cancel, last
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.Control(t.controls[visited.front()].id)->setFocus();
        QSignalSpy ok(qobject_cast<QPushButton*>(dialog.Control(IDOK)), &QPushButton::clicked);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(ok.count(), 1);
    }
    QCOMPARE(controls, 238);

    // The geometry finds each control's own label: beside it, or above a slider.
    // A radio button is described by the choice it belongs to.
    const struct {
        int command, id;
        const char* label;
        const char* description;
    } LABELS[] = {
        {ID_RADIO_INTERFACE, 1143, "Radio type", ""},
        {ID_RADIO_INTERFACE, 1163, "to radio (0.1 dB)", ""},
        {ID_ENCODER_ALARM, 2042, "No", "Prolonged tone"},
        {ID_DECODER_2, 2044, "Tone 2", "Prolonged tone"},
        {ID_DECODER_2, 1030, "Telegram length", ""},
        {ID_TRC_SETUP, 1115, "Guard tone", ""},
        {ID_TRC_SETUP, 1108, "F9 1250 Hz", ""},
        {ID_LINE_INTERFACE, 1218, "Send guard tone", "PL-tone detect action"},
    };
    for (const auto& row : LABELS) {
        const auto built = CreateSetupDialog(row.command, &image, false);
        QWidget* widget = static_cast<CTemplateDialog&>(*built).Control(row.id);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        QCOMPARE(face->text(QAccessible::Name), Tr(QString::fromLatin1(row.label)));
        QCOMPARE(face->text(QAccessible::Description),
                 *row.description ? Tr(QString::fromLatin1(row.description)) : QString());
    }

    // A combo box's action opens and closes its list, and says so; an item chosen by name
    // while the list is closed becomes the box's value.
    {
        const auto built = CreateSetupDialog(ID_RADIO_INTERFACE, &image, false);
        auto& radio = static_cast<CTemplateDialog&>(*built);
        radio.show();
        QVERIFY(QTest::qWaitForWindowActive(&radio));
        auto* combo = qobject_cast<QComboBox*>(radio.Control(1143));
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(combo);
        for (const bool open : {true, false}) {
            face->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
            QCOMPARE(combo->view()->isVisible(), open);
            QCOMPARE(face->state().expanded, open);
        }
        QAccessibleInterface* list = face->child(0);
        for (int row = 0; row < list->childCount(); ++row)
            if (list->child(row)->text(QAccessible::Name) == "GM350 SIMPLEX")
                list->child(row)->actionInterface()->doAction(
                    QAccessibleActionInterface::toggleAction());
        QCOMPARE(face->text(QAccessible::Value), QString("GM350 SIMPLEX"));
        QCOMPARE(radio.Binding(1143)->ShownText(), QString("GM350 SIMPLEX"));
    }

    // Tab reaches a radio group at its checked button, and follows the choice.
    image.SetByte(37, 1); // four wire
    const auto built = CreateSetupDialog(ID_LINE_INTERFACE, &image, false);
    auto& lineInterface = static_cast<CTemplateDialog&>(*built);
    auto* twoWire = qobject_cast<QRadioButton*>(lineInterface.Control(1121));
    QWidget* fourWire = lineInterface.Control(1122);
    QVERIFY((fourWire->focusPolicy() & Qt::TabFocus) && !(twoWire->focusPolicy() & Qt::TabFocus));
    twoWire->setChecked(true);
    QVERIFY(!(fourWire->focusPolicy() & Qt::TabFocus) && (twoWire->focusPolicy() & Qt::TabFocus));
}

QTEST_MAIN(TestTemplateDialog)
#include "tst_templatedialog.moc"
