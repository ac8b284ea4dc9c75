// Error objects: composed texts, fatal rules, the report box, the serial-layer tables.
#include "core/lang/CTranslator.h"
#include "core/lang/CurrentLanguage.h"
#include "core/link/CError.h"
#include "tests/common/CRecordingMessages.h"

#include <QtTest>
#include <memory>

namespace {
enum Kind { COM, E2, CTRL };

std::unique_ptr<CError> Make(Kind kind, int code) {
    switch (kind) {
    case COM:
        return std::make_unique<CComErr>(code);
    case E2:
        return std::make_unique<CE2Error>(code);
    default:
        return std::make_unique<CCtrlErr>("CGenCombo", code);
    }
}
} // namespace

class TestErrors : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { SetCurrentLanguage(0); }
    void texts_data();
    void texts();
    void libraryCodeName_data();
    void libraryCodeName();
    void comErrTranslated();
    void e2AndCtrlNotTranslated();
    void reportBox_data();
    void reportBox();
    void libraryTexts_data();
    void libraryTexts();
    void longestTextFitsOldBox();
    void catchByBase();
};

void TestErrors::texts_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("fatal");
    const auto add = [](const char* name, Kind k, int code, const char* text, bool fatal) {
        QTest::newRow(name) << int(k) << code << QString(text) << fatal;
    };
    add("com 0", COM, 0, "CComProm : Free store exhasted.", true);
    add("com 1", COM, 1, "CComProm : File not found.", false);
    add("com 2", COM, 2, "CComProm : Timeout, device not responding.", false);
    add("com 3", COM, 3, "CComProm : Checksum not correct.", false);
    add("com 5", COM, 5, "CComProm :  Device is not responding.", false);
    add("com 6", COM, 6, "CComProm :  Device is not connected.", false);
    add("com 7", COM, 7, "CComProm : Unknown error.", false);
    add("com -1", COM, -1, "CComProm : Unknown error.", false);
    add("e2 0", E2, 0, "E2prom : Free store exhasted.", true);
    add("e2 1", E2, 1, "E2prom : File not found.", false);
    add("e2 2", E2, 2, "E2prom : No address file.", false);
    add("e2 3", E2, 3, "E2prom : E2prom memmory not initiated.", false);
    add("e2 4", E2, 4, "E2prom : File not in the right format or damage.", true);
    add("e2 5", E2, 5, "E2prom : Checksum in Motorola file incorrect.", true);
    add("e2 6", E2, 6, "E2prom : Unknown error.", false);
    add("e2 9", E2, 9, "E2prom : Unknown error.", false);
    add("e2 -3", E2, -3, "E2prom : Unknown error.", false);
    add("ctrl 0", CTRL, 0, "CGenCombo : Free store exhasted.", true);
    add("ctrl 1", CTRL, 1, "CGenCombo : Object ID not found in VARIABLE_STRUCT contents.", true);
    add("ctrl 2", CTRL, 2, "CGenCombo : E2Prom class not initialized.", true);
    add("ctrl 3", CTRL, 3, "CGenCombo : Variable_struct not initiated.", true);
    add("ctrl 4", CTRL, 4, "CGenCombo : CString contained no valid number.", false);
    add("ctrl 5", CTRL, 5, "CGenCombo : Value_struct incorrect.", false);
    add("ctrl 6", CTRL, 6, "CGenCombo : Unknown error.", false);
    add("ctrl -1", CTRL, -1, "CGenCombo : Unknown error.", false);
    add("ctrl 40", CTRL, 40, "CGenCombo : Unknown error.", false);
}

void TestErrors::texts() {
    QFETCH(int, kind);
    QFETCH(int, code);
    QFETCH(QString, text);
    QFETCH(bool, fatal);
    const auto error = Make(Kind(kind), code);
    QCOMPARE(error->ComposeText(), text);
    QCOMPARE(error->IsFatal(), fatal);
}

void TestErrors::libraryCodeName_data() {
    QTest::addColumn<int>("libraryCode");
    QTest::addColumn<QString>("name");
    QTest::newRow("-1") << -1 << " AS GENERAL ERROR";
    QTest::newRow("-2") << -2 << " AS INV PORT";
    QTest::newRow("-3") << -3 << " AS IN USE";
    QTest::newRow("-8") << -8 << " AS BUFR EMPTY";
    QTest::newRow("-10") << -10 << " AS TIMEOUT";
    QTest::newRow("-29") << -29 << " AS NO COPYRIGHT NOTICE";
    QTest::newRow("-42") << -42 << " AS PACKING ERROR";
    QTest::newRow("-43") << -43 << " UNKNOWN";
    QTest::newRow("-50") << -50 << " UNKNOWN";
    QTest::newRow("-74") << -74 << " UNKNOWN";
    QTest::newRow("-75") << -75 << " AS USER DEFINED ERROR";
    QTest::newRow("-76, a device without permission") << -76 << " AS NO PERMISSION";
    QTest::newRow("-77, a port that went away") << -77 << " AS PORT LOST";
    QTest::newRow("-78, a malformed network address") << -78 << " AS BAD ADDRESS";
    QTest::newRow("-81, a server refusing COM port control") << -81 << " AS COM CONTROL REFUSED";
    QTest::newRow("-83") << -83 << " UNKNOWN";
    QTest::newRow("0") << 0 << " UNKNOWN";
    QTest::newRow("5") << 5 << " UNKNOWN";
}

// Code 4 names the serial layer's return code, untranslated, in every language.
void TestErrors::libraryCodeName() {
    QFETCH(int, libraryCode);
    QFETCH(QString, name);
    for (int lang = 0; lang < 5; ++lang) {
        SetCurrentLanguage(lang);
        const CComErr error(4, libraryCode);
        QCOMPARE(error.ComposeText(), "CComProm :" + QString(" ") + name);
        QVERIFY(!error.IsFatal());
    }
}

void TestErrors::comErrTranslated() {
    SetCurrentLanguage(2);
    const CTranslator tr;
    const QString german = tr.Cell(342, 2);
    QVERIFY(german != tr.Cell(342, 0));
    QCOMPARE(CComErr(6).ComposeText(), "CComProm : " + german);
    SetCurrentLanguage(1);
    QCOMPARE(CComErr(0).ComposeText(), "CComProm : " + tr.Cell(337, 1));
    QCOMPARE(CComErr(99).ComposeText(), "CComProm : " + tr.Cell(343, 1));
}

void TestErrors::e2AndCtrlNotTranslated() {
    SetCurrentLanguage(3);
    QCOMPARE(CE2Error(1).ComposeText(), QString("E2prom : File not found."));
    QCOMPARE(CCtrlErr("CSpinner10", 0).ComposeText(), QString("CSpinner10 : Free store exhasted."));
}

void TestErrors::reportBox_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("caption");
    QTest::newRow("English") << 0 << "ERROR";
    QTest::newRow("French") << 1 << "ERR.";
    QTest::newRow("German") << 2 << "FEHLER";
    QTest::newRow("Spanish") << 3 << "ERROR";
    QTest::newRow("Italian") << 4 << "ERROR";
}

void TestErrors::reportBox() {
    QFETCH(int, language);
    QFETCH(QString, caption);
    SetCurrentLanguage(language);
    CRecordingMessages messages;
    QCOMPARE(CE2Error(4).ReportError(), 1);
    QCOMPARE(CE2Error(1).ReportError(), 0);
    QCOMPARE(CComErr(0).ReportError(), 1);
    QCOMPARE(messages.boxes.size(), 3);
    const RecordedBox& box = messages.boxes[0];
    QCOMPARE(box.text, QString("E2prom : File not in the right format or damage."));
    QCOMPARE(box.caption, caption);
    QCOMPARE(box.icon, MsgIcon::Stop);
    QCOMPARE(box.buttons, MsgButtons::Ok);
}

void TestErrors::libraryTexts_data() {
    QTest::addColumn<int>("libraryCode");
    QTest::addColumn<QString>("text");
    QTest::newRow("-3") << -3 << "Port in use";
    QTest::newRow("-8") << -8 << "Buffer empty";
    QTest::newRow("-29") << -29 << "No copyrith notice";
    QTest::newRow("-37") << -37 << "Maximum ports exceeded";
    QTest::newRow("-75") << -75 << "User defined error";
    QTest::newRow("-60") << -60 << "Unknown";
    QTest::newRow("1") << 1 << "Unknown";
}

void TestErrors::libraryTexts() {
    QFETCH(int, libraryCode);
    QFETCH(QString, text);
    QString buffer = "Error writing device ";
    AppendLibraryErrorText(libraryCode, buffer);
    QCOMPARE(buffer, "Error writing device " + text);
    QString empty;
    AppendLibraryErrorText(libraryCode, empty);
    QCOMPARE(empty, text);
}

// The old report box held 79 characters; every text of the program still fits that.
void TestErrors::longestTextFitsOldBox() {
    const QString longest = CCtrlErr("CStandardSpinner", 1).ComposeText();
    QCOMPARE(longest.size(), 67);
    for (int code = -45; code < 0; ++code)
        QVERIFY(CComErr(4, code).ComposeText().size() <= 79);
}

void TestErrors::catchByBase() {
    try {
        throw CCtrlErr("CRadioButton", 3);
    } catch (const CError& e) {
        QCOMPARE(QString(e.ObjectName()), QString("CRadioButton"));
        QVERIFY(e.IsFatal());
        return;
    }
    QFAIL("not caught as CError");
}

QTEST_APPLESS_MAIN(TestErrors)
#include "tst_errors.moc"
