// The language dialog, the copies of a language's help files, the per-language resource
// numbers, and the help folders shipped next to the program.
#include "AppTestSupport.h"

#include "core/lang/CProfile.h"
#include "core/lang/CTranslator.h"
#include "core/lang/CurrentLanguage.h"
#include "core/lang/FrameworkTranslation.h"
#include "gui/app/CLanguageDlg.h"
#include "gui/app/LanguageChange.h"

#include <QDir>
#include <QGroupBox>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QtTest>

class TestLanguage : public QObject {
    Q_OBJECT
private slots:
    void dialogTextsTranslated_data();
    void dialogTextsTranslated();
    void dialogPreset_data();
    void dialogPreset();
    void okWithNothingSelectedChoosesEnglish();
    void commandOpensOnCurrentLanguage();
    void cancelButtonHasItsOwnIdentifier();
    void resourcesOfEachLanguage_data();
    void resourcesOfEachLanguage();
    void copiesReplaceTargets_data();
    void copiesReplaceTargets();
    void missingSourcesAreSkipped();
    void storedLanguageNames_data();
    void storedLanguageNames();
    void shippedHelpFolders_data();
    void shippedHelpFolders();
    void frameworkTexts_data();
    void frameworkTexts();
};

void TestLanguage::dialogTextsTranslated_data() {
    QTest::addColumn<int>("language");
    for (int language = 0; language < 5; ++language)
        QTest::addRow("%s", qPrintable(LanguageProfileName(language))) << language;
}

void TestLanguage::dialogTextsTranslated() {
    QFETCH(int, language);
    CTestFolder folder;
    SetCurrentLanguage(language);
    const CTranslator t;
    CLanguageDlg dialog(-1);
    QCOMPARE(dialog.windowTitle(), t.Translated(language, "Languages supported"));
    QCOMPARE(static_cast<QGroupBox*>(dialog.Control(CLanguageDlg::IDC_LANGUAGE_GROUP))->title(),
             t.Translated(language, "Languages"));
    const std::pair<int, const char*> radios[] = {{CLanguageDlg::IDC_ENGLISH, "English"},
                                                  {CLanguageDlg::IDC_FRENCH, "French"},
                                                  {CLanguageDlg::IDC_GERMAN, "German"},
                                                  {CLanguageDlg::IDC_SPANISH, "Spanish"},
                                                  {CLanguageDlg::IDC_ITALIAN, "Italian"}};
    for (const auto& [id, english] : radios)
        QCOMPARE(static_cast<QRadioButton*>(dialog.Control(id))->text(),
                 t.Translated(language, english));
    QCOMPARE(static_cast<QPushButton*>(dialog.Control(CLanguageDlg::IDC_OK))->text(),
             t.Translated(language, "OK"));
    QCOMPARE(static_cast<QPushButton*>(dialog.Control(CLanguageDlg::IDC_CANCEL_BUTTON))->text(),
             t.Translated(language, "Cancel"));
    if (language == 1) // a row given in full
        QCOMPARE(static_cast<QRadioButton*>(dialog.Control(CLanguageDlg::IDC_ENGLISH))->text(),
                 QString("Anglais"));
}

void TestLanguage::dialogPreset_data() {
    QTest::addColumn<int>("preset");
    QTest::addColumn<int>("checkedId");
    QTest::newRow("none") << -1 << 0;
    QTest::newRow("English") << 0 << int(CLanguageDlg::IDC_ENGLISH);
    QTest::newRow("Spanish") << 3 << int(CLanguageDlg::IDC_SPANISH);
    QTest::newRow("Italian") << 4 << int(CLanguageDlg::IDC_ITALIAN);
    QTest::newRow("out of range") << 5 << 0;
}

void TestLanguage::dialogPreset() {
    QFETCH(int, preset);
    QFETCH(int, checkedId);
    CLanguageDlg dialog(preset);
    for (int id : {CLanguageDlg::IDC_ENGLISH, CLanguageDlg::IDC_FRENCH, CLanguageDlg::IDC_GERMAN,
                   CLanguageDlg::IDC_SPANISH, CLanguageDlg::IDC_ITALIAN})
        QCOMPARE(static_cast<QRadioButton*>(dialog.Control(id))->isChecked(), id == checkedId);
    QCOMPARE(dialog.SelectedIndex(), preset >= 0 && preset <= 4 ? preset : -1);
}

// The Language command opens the dialog with the language of this run checked.
void TestLanguage::commandOpensOnCurrentLanguage() {
    SetCurrentLanguage(4);
    bool italian = false;
    const CModalWatcher watcher([&](QWidget* modal) {
        auto* dialog = static_cast<CLanguageDlg*>(modal);
        italian =
            static_cast<QRadioButton*>(dialog->Control(CLanguageDlg::IDC_ITALIAN))->isChecked();
        dialog->reject();
    });
    const bool changed = RunLanguageChange(nullptr, {});
    SetCurrentLanguage(0);
    QVERIFY(watcher.Fired() && italian && !changed);
}

void TestLanguage::okWithNothingSelectedChoosesEnglish() {
    CLanguageDlg dialog(-1);
    dialog.show();
    QTest::mouseClick(dialog.Control(CLanguageDlg::IDC_OK), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.SelectedIndex(), 0);

    CLanguageDlg chosen(-1);
    chosen.show();
    QTest::mouseClick(chosen.Control(CLanguageDlg::IDC_GERMAN), Qt::LeftButton);
    QTest::mouseClick(chosen.Control(CLanguageDlg::IDC_OK), Qt::LeftButton);
    QCOMPARE(chosen.SelectedIndex(), 2);
}

void TestLanguage::cancelButtonHasItsOwnIdentifier() {
    CLanguageDlg dialog(1);
    QVERIFY(dialog.Control(CLanguageDlg::IDC_CANCEL_BUTTON));
    QCOMPARE(dialog.Control(CLanguageDlg::IDC_CANCEL_BUTTON)->objectName(), QString("1223"));
    QVERIFY(!dialog.Control(2)); // not the standard cancel identifier
    dialog.show();
    QTest::mouseClick(dialog.Control(CLanguageDlg::IDC_GERMAN), Qt::LeftButton);
    QTest::mouseClick(dialog.Control(CLanguageDlg::IDC_CANCEL_BUTTON), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void TestLanguage::resourcesOfEachLanguage_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("resource");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("uninstall");
    QTest::newRow("English") << 0 << 128 << "eng"
                             << "Unwise.eng";
    QTest::newRow("French") << 1 << 164 << "fra"
                            << "Unwise.fre";
    QTest::newRow("German") << 2 << 172 << "ger"
                            << "Unwise.ger";
    QTest::newRow("Spanish") << 3 << 173 << "spa"
                             << "Unwise.spa";
    QTest::newRow("Italian") << 4 << 174 << "ita"
                             << "Unwise.ita";
    QTest::newRow("index 5") << 5 << 128 << "eng"
                             << "Unwise.eng";
    QTest::newRow("index -1") << -1 << 128 << "eng"
                              << "Unwise.eng";
}

void TestLanguage::resourcesOfEachLanguage() {
    QFETCH(int, language);
    QFETCH(int, resource);
    QFETCH(QString, folder);
    QFETCH(QString, uninstall);
    QCOMPARE(LanguageResourceId(language), resource);
    QCOMPARE(LanguageFolder(language), folder);
    QCOMPARE(LanguageUninstallFile(language), uninstall);
}

void TestLanguage::copiesReplaceTargets_data() {
    resourcesOfEachLanguage_data();
}

void TestLanguage::copiesReplaceTargets() {
    QFETCH(int, language);
    QFETCH(QString, folder);
    QFETCH(QString, uninstall);
    CTestFolder work;
    QDir().mkpath(work.Path(folder));
    work.Write(folder + "/Karvo.hlp", "help of " + folder.toLatin1());
    work.Write(folder + "/Karvo.cnt", "contents of " + folder.toLatin1());
    work.Write(folder + '/' + uninstall, "notes of " + folder.toLatin1());
    for (const char* target : {"Karvo.hlp", "Karvo.cnt", "Unwise.ini"})
        work.Write(target, "old");
    CopyLanguageFiles(language);
    QCOMPARE(work.Read("Karvo.hlp"), "help of " + folder.toLatin1());
    QCOMPARE(work.Read("Karvo.cnt"), "contents of " + folder.toLatin1());
    QCOMPARE(work.Read("Unwise.ini"), "notes of " + folder.toLatin1());
}

void TestLanguage::missingSourcesAreSkipped() {
    CTestFolder work;
    QDir().mkpath(work.Path("fra"));
    work.Write("fra/Karvo.cnt", "contents");
    work.Write("Karvo.hlp", "old help");
    CopyLanguageFiles(1);
    QCOMPARE(work.Read("Karvo.cnt"), QByteArray("contents"));
    QCOMPARE(work.Read("Karvo.hlp"), QByteArray("old help"));
    QVERIFY(!QFile::exists(work.Path("Unwise.ini")));
}

void TestLanguage::storedLanguageNames_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("present");
    QTest::addColumn<int>("language");
    QTest::newRow("absent") << QString() << false << 3; // left as it was
    QTest::newRow("empty") << "" << false << 3;
    QTest::newRow("U.S English") << "U.S English" << true << 0;
    QTest::newRow("French") << "French" << true << 1;
    QTest::newRow("Italian") << "Italian" << true << 4;
    QTest::newRow("FRENCH") << "FRENCH" << true << 0;
    QTest::newRow("English") << "English" << true << 0;
}

void TestLanguage::storedLanguageNames() {
    QFETCH(QString, stored);
    QFETCH(bool, present);
    QFETCH(int, language);
    CTestFolder work;
    if (!stored.isNull())
        CProfile::WriteString("language", "language", stored);
    SetCurrentLanguage(3);
    QCOMPARE(LoadStoredLanguage(), present);
    QCOMPARE(GetCurrentLanguage(), language);
    StoreCurrentLanguage();
    QCOMPARE(ProfileString("language", "language"), LanguageProfileName(language));
}

void TestLanguage::shippedHelpFolders_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("uninstall");
    QTest::addColumn<QString>("lang");
    QTest::newRow("eng") << "eng"
                         << "Unwise.eng"
                         << "en";
    QTest::newRow("fra") << "fra"
                         << "Unwise.fre"
                         << "fr";
    QTest::newRow("ger") << "ger"
                         << "Unwise.ger"
                         << "de";
    QTest::newRow("spa") << "spa"
                         << "Unwise.spa"
                         << "es";
    QTest::newRow("ita") << "ita"
                         << "Unwise.ita"
                         << "it";
}

void TestLanguage::shippedHelpFolders() {
    QFETCH(QString, folder);
    QFETCH(QString, uninstall);
    QFETCH(QString, lang);
    // The folders as the build puts them next to the program.
    const QDir dir(QStringLiteral(KARVO_OUTPUT_DIR "/") + folder);
    QFile page(dir.filePath("Karvo.hlp"));
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    QVERIFY(html.contains(QStringLiteral("<html lang=\"%1\">").arg(lang)));
    QFile contents(dir.filePath("Karvo.cnt"));
    QVERIFY(contents.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(contents.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.value(0), QString(":Base Karvo.hlp"));
    int topics = 0;
    static const QRegularExpression topic(QStringLiteral("^\\d+ [^=]+=(\\w+)$"));
    for (const QString& line : lines) {
        const QRegularExpressionMatch m = topic.match(line);
        if (!m.hasMatch())
            continue;
        ++topics;
        QVERIFY2(html.contains(QStringLiteral("id=\"%1\"").arg(m.captured(1))), qPrintable(line));
    }
    QCOMPARE(topics, 11);
    QFile notes(dir.filePath(uninstall));
    QVERIFY(notes.open(QIODevice::ReadOnly));
    QVERIFY(notes.readAll().startsWith("[Uninstall]"));
}

// Message box buttons follow the interface language, through Qt's own translations.
void TestLanguage::frameworkTexts_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("yes");
    QTest::newRow("English") << 0 << "&Yes";
    QTest::newRow("French") << 1 << "&Oui";
    QTest::newRow("German") << 2 << "&Ja";
    QTest::newRow("Spanish") << 3 << QString::fromUtf8("&Sí");
    QTest::newRow("Italian") << 4 << QString::fromUtf8("&Sì");
}

void TestLanguage::frameworkTexts() {
    QFETCH(int, language);
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_de.qm"))
        QSKIP("Qt's translations (qt6-translations-l10n) are not installed");
    QCOMPARE(InstallFrameworkTranslation(language), language != 0);
    QMessageBox box(QMessageBox::Question, "Karvo", "?", QMessageBox::Yes | QMessageBox::No);
    QTEST(box.button(QMessageBox::Yes)->text(), "yes");
    InstallFrameworkTranslation(0);
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
