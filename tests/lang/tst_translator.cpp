// The translator: first match wins, exact comparison, language 0 and unknown languages
// leave texts alone, the end marker stops the scan; the rows given in full are exact.
#include "core/lang/CTranslator.h"
#include "core/lang/CurrentLanguage.h"
#include "core/lang/KarvoTexts.h"

#include <QSet>
#include <QtTest>

class TestTranslator : public QObject {
    Q_OBJECT
private slots:
    void fullRows_data();
    void fullRows();
    void untouchedLanguages_data();
    void untouchedLanguages();
    void firstMatchWins_data();
    void firstMatchWins();
    void noRow_data();
    void noRow();
    void keysAtTheirRows_data();
    void keysAtTheirRows();
    void tableShape();
    void karvoTexts_data();
    void karvoTexts();
    void karvoRowsApart();
};

void TestTranslator::fullRows_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("cells");
    const auto add = [](int row, QStringList cells) {
        QTest::newRow(qPrintable(QString::number(row))) << row << cells;
    };
    add(1, {"CANCEL", "ANNUL.", "ABBRUCH", "CANCEL", "ANNULL"});
    add(2, {"Cancel", "Annul.", "Abbruch", "Cancel", "Annull"});
    add(5, {"ERROR", "ERR.", "FEHLER", "ERROR", "ERROR"});
    add(103, {"Prolonged tone", "Ton Prolongé", "Verläng. Ton", "Tono prolong", "Tono prolung"});
    add(143, {"English", "Anglais", "Engl.", "Inglés", "Inglese"});
    add(173, {"NONE", "AUC.", "KEIN", "NING", "NESS"});
    add(176, {"Any tone", "Tte ton", "Beliebig", "Tono", "Qual ton"});
    add(227, {"YES", "OUI", "JA", "SÍ", "SÌ"});
    add(228, {"NO", "NON", "NEIN", "NO", "NO"});
    add(320, {"Error connecting to device", "Erreur connex. syst.", "Fehler b. Verb. mit Gerät",
              "Error conexión dispositivo", "Errore collegam a disposit"});
    add(322, {"User aborted", "Abandon", "Abbruch Ben.", "Us. cancel.", "Abort utente"});
    add(393,
        {"Are you sure?", "Etes-vous sûr?", "Sind Sie sicher?", "?Está segruo?", "Continuare?"});
    add(399,
        {"END OF MY DATA", "FIN DONNEES", "ENDE DER DATEN", "FINAL DE DATOS", "FINE DEI DATI"});
}

void TestTranslator::fullRows() {
    QFETCH(int, row);
    QFETCH(QStringList, cells);
    const CTranslator tr;
    for (int lang = 0; lang < 5; ++lang)
        QCOMPARE(tr.Cell(row, lang), cells[lang]);
    // Rows whose key occurs earlier translate through the earlier row; the others
    // translate to their own cells.
    if (row != 3 && row != 399 && row != 228)
        for (int lang = 1; lang < 5; ++lang)
            QCOMPARE(tr.Translated(lang, cells[0]), cells[lang]);
}

void TestTranslator::untouchedLanguages_data() {
    QTest::addColumn<int>("language");
    QTest::newRow("English") << 0;
    QTest::newRow("minus one") << -1;
    QTest::newRow("five") << 5;
    QTest::newRow("large") << 1000;
}

void TestTranslator::untouchedLanguages() {
    QFETCH(int, language);
    const CTranslator tr;
    for (const char* text : {"CANCEL", "Are you sure?", "DISABLED", "Prolonged tone"}) {
        QString t = QString::fromUtf8(text);
        tr.Translate(language, t);
        QCOMPARE(t, QString::fromUtf8(text));
    }
}

void TestTranslator::firstMatchWins_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("firstRow");
    QTest::addColumn<QList<int>>("laterRows");
    QTest::newRow("OK") << "OK" << 0 << QList<int>{3};
    QTest::newRow("Timers") << "Timers" << 31 << QList<int>{65};
    QTest::newRow("Repeater type") << "Repeater type" << 36 << QList<int>{49, 225};
    QTest::newRow("Prolonged tone") << "Prolonged tone" << 103 << QList<int>{124};
    QTest::newRow("NO") << "NO" << 204 << QList<int>{228, 245, 255, 294, 317, 318, 319};
    QTest::newRow("System Setup") << "System Setup" << 20 << QList<int>{200};
}

void TestTranslator::firstMatchWins() {
    QFETCH(QString, key);
    QFETCH(int, firstRow);
    QFETCH(QList<int>, laterRows);
    const CTranslator tr;
    QCOMPARE(tr.FindRow(key), firstRow);
    for (int row : laterRows)
        QCOMPARE(tr.Cell(row, 0), key);
    for (int lang = 1; lang < 5; ++lang)
        QCOMPARE(tr.Translated(lang, key), tr.Cell(firstRow, lang));
}

void TestTranslator::noRow_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("leading blank dropped") << "Device is not responding.";
    QTest::newRow("other case") << "cancel";
    QTest::newRow("trailing blank added") << "Cancel ";
    QTest::newRow("end marker") << "END OF MY DATA";
    QTest::newRow("empty") << "";
    QTest::newRow("unknown") << "Flux capacitor";
}

void TestTranslator::noRow() {
    QFETCH(QString, text);
    const CTranslator tr;
    for (int lang = 0; lang < 5; ++lang)
        QCOMPARE(tr.Translated(lang, text), text);
}

// Keys spread over every block of the table, at their row numbers.
void TestTranslator::keysAtTheirRows_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("key");
    const QList<QPair<int, QString>> keys = {
        {0, "OK"},
        {4, "Progress"},
        {10, "Radio Interface"},
        {17, "Start up channel"},
        {23, "Monitor power supply alarms"},
        {37, "Confidence beeps in hang time"},
        {44, "PL-tone detect action"},
        {56, "Equalizer (dB)"},
        {64, "Tone acknowledge on TRC commands"},
        {74, "Single tone D (Hz)"},
        {81, "Guard tone"},
        {105, "Preamble length (10ms)"},
        {119, "Tone 0"},
        {129, "No"},
        {141, "Languages supported"},
        {151, "Karvo Version 2.6"},
        {163, "GREAT_BRITAIN"},
        {176, "Any tone"},
        {189, "Repeater Set-Up"},
        {199, "RPT KNOCK DOWN"},
        {204, "NO"},
        {215, "Start up channel"},
        {228, "NO"},
        {239, "Nominal level from line (dBm)"},
        {245, "NO"},
        {258, "PTT block time (s)"},
        {264, "Single tone D (Hz)"},
        {282, "F12 950 Hz"},
        {286, "Guard tone"},
        {297, "Prolonged tone length (ms)"},
        {316, "Prolonged tone length (ms)"},
        {329, "Address error"},
        {337, "Free store exhasted."},
        {341, " Device is not responding."},
        {342, " Device is not connected."},
        {348, "A invalid value is set!"},
        {349, "A spinner does not contain a valid value!"},
        {362, "RPT ENABLE"},
        {376, "GM950 SEMI DUPLEX, SBEP, NO PTT UPDATE"},
        {391, "ID 11"},
        {392, "LINE TEST"},
    };
    for (const auto& [row, key] : keys)
        QTest::newRow(qPrintable(QString::number(row))) << row << key;
}

void TestTranslator::keysAtTheirRows() {
    QFETCH(int, row);
    QFETCH(QString, key);
    QCOMPARE(CTranslator().Cell(row, 0), key);
}

void TestTranslator::tableShape() {
    const CTranslator tr;
    int filled = 0;
    for (int row = 0; row < CTranslator::ROW_COUNT; ++row) {
        const QString english = tr.Cell(row, 0);
        if (english.isEmpty()) {
            for (int lang = 1; lang < 5; ++lang)
                QVERIFY2(tr.Cell(row, lang).isEmpty(), qPrintable(QString::number(row)));
            continue;
        }
        ++filled;
        for (int lang = 1; lang < 5; ++lang)
            QVERIFY2(!tr.Cell(row, lang).isEmpty(), qPrintable(QString::number(row)));
    }
    QCOMPARE(filled, 295);
    QCOMPARE(tr.Cell(6, 0), QString()); // the first unfilled row
    // Cells with meaningful blanks.
    QCOMPARE(tr.Cell(150, 1), QString(" A propos"));
    QCOMPARE(tr.Cell(145, 1), QString("Allem. "));
    QCOMPARE(tr.Cell(44, 2), QString("Aktion nach PL-Ausw. "));
    QCOMPARE(tr.Cell(234, 2), QString("Aktion nach PL-Ausw. "));
    for (int lang = 0; lang < 5; ++lang) {
        QVERIFY(tr.Cell(341, lang).startsWith(' '));
        QVERIFY(tr.Cell(342, lang).startsWith(' '));
    }
}

// Tr: the fixed table first; Karvo's own texts only for a text without a row there.
void TestTranslator::karvoTexts_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("shown");
    QTest::newRow("own text, French") << 1 << "Cannot open %1"
                                      << "Impossible d'ouvrir %1";
    QTest::newRow("own text, Italian") << 4 << "Untitled"
                                       << "Senza titolo";
    QTest::newRow("own text, English") << 0 << "Untitled"
                                       << "Untitled";
    QTest::newRow("own text, no such language") << 7 << "Untitled"
                                                << "Untitled";
    QTest::newRow("fixed row, German")
        << 2 << "Device information" << QString::fromUtf8("Gerätedaten");
    QTest::newRow("fixed row without own row") << 3 << "Cancel"
                                               << "Cancel";
    QTest::newRow("neither") << 1 << "Flux capacitor"
                             << "Flux capacitor";
}

void TestTranslator::karvoTexts() {
    QFETCH(int, language);
    QFETCH(QString, english);
    QFETCH(QString, shown);
    SetCurrentLanguage(language);
    QCOMPARE(Tr(english), shown);
    SetCurrentLanguage(0);
}

// No own text shadows or is shadowed by a fixed row, every language is filled, and the
// placeholders survive translation.
void TestTranslator::karvoRowsApart() {
    const CTranslator tr;
    QVERIFY(!KarvoTextRows().empty());
    for (const KARVO_TEXT& row : KarvoTextRows()) {
        const QString english = QString::fromUtf8(row.text[0]);
        QVERIFY2(tr.FindRow(english) < 0, qPrintable(english));
        for (int lang = 1; lang < 5; ++lang) {
            const QString text = QString::fromUtf8(row.text[lang]);
            QVERIFY2(!text.isEmpty(), qPrintable(english));
            for (const char* mark : {"%1", "%2"})
                QCOMPARE(text.contains(mark), english.contains(mark));
        }
    }
}

QTEST_APPLESS_MAIN(TestTranslator)
#include "tst_translator.moc"
