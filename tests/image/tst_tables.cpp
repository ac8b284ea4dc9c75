// The variable tables: lookups by control ID, the image map they cover, the shape of the
// value lists, long-time bytes, and the shipped default setup against the lists.
#include "core/image/CE2prom.h"
#include "core/image/VariableTables.h"
#include "core/lang/CTranslator.h"
#include "core/link/CError.h"

#include <QSet>
#include <QtTest>

namespace {

struct NamedTable {
    const char* name;
    const VARIABLE_STRUCT* table;
};

QList<NamedTable> AllTables() {
    QList<NamedTable> tables = {
        {"system", SYSTEM_SETUP_TABLE},
        {"radio", RADIO_INTERFACE_TABLE},
        {"repeater", REPEATER_TABLE},
        {"single tones", SINGLE_TONES_TABLE},
        {"line interface", LINE_INTERFACE_TABLE},
        {"line operation", LINE_OPERATION_TABLE},
        {"trc", TRC_SETUP_TABLE},
    };
    static const char* const encoderNames[] = {"disconnect", "acknowledge", "alarm"};
    static const char* const decoderNames[] = {"decoder 1", "decoder 2", "decoder 3", "decoder 4"};
    for (int i = 0; i < 3; ++i)
        tables.append({encoderNames[i], EncoderTable(i)});
    for (int i = 0; i < 4; ++i)
        tables.append({decoderNames[i], DecoderTable(i)});
    return tables;
}

int EntryCount(const VARIABLE_STRUCT* table) {
    int n = 0;
    while (table[n].controlId != 0)
        ++n;
    return n;
}

bool IsWordList(const VALUE_STRUCT* list) {
    return list == SINGLE_TONE_LIST;
}
bool IsLongTimeList(const VALUE_STRUCT* list) {
    return list == PROLONGED_LENGTH_LIST || list == LINE_LONG_TIME_LIST;
}

// True when v is one of the values the list offers: a single value, or a number of a
// range that the arrows reach (a multiple of the step, or the range's low end).
bool Covers(const VALUE_STRUCT* list, int v) {
    for (int i = 0; !IsEndEntry(list[i]); ++i) {
        const VALUE_STRUCT& e = list[i];
        if (e.low == e.high ? v == e.low
                            : (v >= e.low && v <= e.high && (v % e.step == 0 || v == e.low)))
            return true;
    }
    return false;
}

} // namespace

class TestTables : public QObject {
    Q_OBJECT
private slots:
    void lookup_data();
    void lookup();
    void lookupErrors();
    void entryCounts();
    void imageMap();
    void listShapes();
    void signedLevels();
    void radioGroups();
    void longTime_data();
    void longTime();
    void comboTextsStayDistinct();
    void defaultSetupIsLegal();
};

void TestTables::lookup_data() {
    QTest::addColumn<int>("table");
    QTest::addColumn<int>("control");
    QTest::addColumn<int>("address");
    QTest::addColumn<QString>("name");
    const QList<NamedTable> t = AllTables();
    const auto add = [&](const char* row, int table, int control, int address, const char* name) {
        QTest::newRow(row) << table << control << address << QString(name);
    };
    add("country", 0, 1006, 18, "slask");
    add("options", 0, 1145, 20, "short spinner");
    add("alarms", 0, 1164, 19, "");
    add("radio type", 1, 1143, 21, "_RADIO_TYPE");
    add("fine tune from", 1, 2014, 28, "_RPT_LEVEL");
    add("block time 1115", 2, 1115, 31, "_RPT_BLOCK_TIME");
    add("tone D", 3, 2017, 56, "single tone 4");
    add("PL action", 4, 1123, 36, "_LINE_ACTION_WHEN_PL");
    add("two wire", 4, 1121, 37, "_LINE_FOUR_WIRE");
    add("four wire", 4, 1122, 37, "_LINE_FOUR_WIRE");
    add("to line", 4, 2014, 42, "_NOM_LEVEL_TO_LINE");
    add("line fail 1122", 5, 1122, 46, "_LINE_FAILURE_TIME");
    add("TRC ack", 5, 1128, 44, "_LINE_TRC_ACK");
    add("F8", 6, 1107, 171, "combo0");
    add("F15", 6, 1114, 178, "combo7");
    add("guard tone 1115", 6, 1115, 34, "_GUARD_TONE_USED");
    add("disconnect preamble", 7, 2039, 122, "preamble");
    add("acknowledge prollen", 8, 2047, 138, "prollen");
    add("alarm tone 11", 9, 2088, 163, "Tone 11");
    add("alarm radio", 9, 2074, 151, "test");
    add("decoder 1 radio", 10, 2042, 58, "test");
    add("decoder 2 function", 11, 1101, 77, "decoder function");
    add("decoder 3 send ack", 12, 1147, 92, "send ack");
    add("decoder 4 tone 1", 13, 2078, 110, "Tone 1");
    add("decoder 4 tone 11", 13, 2088, 120, "Tone 11");
}

void TestTables::lookup() {
    QFETCH(int, table);
    QFETCH(int, control);
    QFETCH(int, address);
    QFETCH(QString, name);
    const CE2prom image;
    const VARIABLE_STRUCT& v =
        FindVariable(&image, AllTables()[table].table, control, "CStandardSpinner");
    QCOMPARE(v.address, address);
    QCOMPARE(QString(v.name), name);
    QCOMPARE(v.controlId, control);
}

void TestTables::lookupErrors() {
    const CE2prom image;
    const auto code = [](auto&& call) {
        try {
            call();
        } catch (const CCtrlErr& e) {
            return QPair<int, QString>(e.Code(), e.ComposeText());
        }
        return QPair<int, QString>(-1, QString());
    };
    auto missing =
        code([&] { FindVariable(&image, SYSTEM_SETUP_TABLE, 2014, "CStandardSpinner"); });
    QCOMPARE(missing.first, 1);
    QCOMPARE(missing.second,
             QString("CStandardSpinner : Object ID not found in VARIABLE_STRUCT contents."));
    QCOMPARE(code([&] { FindVariable(nullptr, SYSTEM_SETUP_TABLE, 1006, "CGenCombo"); }).first, 2);
    QCOMPARE(code([&] { FindVariable(&image, nullptr, 1006, "CGenCombo"); }).first, 3);
    // Without an image, the image is reported even when the table is missing too.
    QCOMPARE(code([&] { FindVariable(nullptr, nullptr, 1006, "CGenCombo"); }).first, 2);
}

void TestTables::entryCounts() {
    const QList<int> expected = {3, 6, 6, 4, 9, 6, 16, 25, 25, 25, 26, 26, 26, 26};
    const QList<NamedTable> tables = AllTables();
    for (int i = 0; i < tables.size(); ++i)
        QVERIFY2(EntryCount(tables[i].table) == expected[i], tables[i].name);
    QVERIFY(EncoderTable(3) == nullptr && EncoderTable(-1) == nullptr);
    QVERIFY(DecoderTable(4) == nullptr);
}

// The addresses the tables name, and those no table names.
void TestTables::imageMap() {
    QSet<int> named;
    for (const NamedTable& t : AllTables())
        for (const VARIABLE_STRUCT* e = t.table; e->controlId != 0; ++e) {
            named.insert(e->address);
            if (IsWordList(e->values))
                named.insert(e->address + 1);
        }
    QSet<int> unnamed;
    for (int a = 0; a <= 17; ++a)
        unnamed.insert(a);
    for (int a : {25, 49, 73, 89, 105, 121})
        unnamed.insert(a);
    for (int a = 179; a <= 210; ++a)
        unnamed.insert(a);
    for (int a = 0; a < 211; ++a)
        QVERIFY2(named.contains(a) != unnamed.contains(a), qPrintable(QString::number(a)));
}

void TestTables::listShapes() {
    for (const NamedTable& t : AllTables())
        for (const VARIABLE_STRUCT* e = t.table; e->controlId != 0; ++e) {
            QVERIFY(e->values != nullptr);
            const int n = CountEntries(e->values);
            QVERIFY2(n >= 1 && n <= 61, e->name);
            for (int i = 0; i < n; ++i)
                QCOMPARE(e->values[i].scale, 1);
        }
    QCOMPARE(CountEntries(DECODER_TONE_LIST), 18);
    QCOMPARE(CountEntries(ENCODER_TONE_LIST), 31);
    QCOMPARE(CountEntries(TRC_FUNCTION_LIST), 18);
    QCOMPARE(CountEntries(RADIO_TYPE_LIST), 18);
    QCOMPARE(QString(TRC_TONE_LIST[11].text), QString("F12  950"));
    QCOMPARE(QString(TRC_TONE_LIST[10].text), QString("F11 1050"));
    QCOMPARE(TRC_TONE_LIST[15].low, 255);
    // A 0 "DISABLED" entry is a real entry, not the end of its list.
    QVERIFY(!IsEndEntry(ON_OFF_LIST[0]));
    QVERIFY(IsTextEntry(ON_OFF_LIST[0]));
    QVERIFY(!IsTextEntry(HANG_TIME_LIST[1]));
    QVERIFY(IsEndEntry(HANG_TIME_LIST[2]));
    QVERIFY(!IsTextEntry(HANG_TIME_LIST[2]));
}

void TestTables::signedLevels() {
    QCOMPARE(CountEntries(FINE_TUNE_LIST), 61);
    for (int i = 0; i < 61; ++i) {
        const int level = i - 30;
        QCOMPARE(FINE_TUNE_LIST[i].low, level & 0xFF);
        QCOMPARE(QString(FINE_TUNE_LIST[i].text), QString::number(level));
    }
    QCOMPARE(CountEntries(LINE_LEVEL_LIST), 14);
    QCOMPARE(LINE_LEVEL_LIST[0].low, 243);
    QCOMPARE(QString(LINE_LEVEL_LIST[0].text), QString("-13"));
    QCOMPARE(LINE_LEVEL_LIST[13].low, 0);
}

// The buttons of a group point into one list at successive entries.
void TestTables::radioGroups() {
    for (const NamedTable& t : AllTables().mid(7)) {
        int k = 0;
        for (const VARIABLE_STRUCT* e = t.table; e->controlId != 0; ++e)
            if (QString(e->name) == "test") {
                QCOMPARE(e->controlId, PROLONGED_RADIO_IDS[k]);
                QCOMPARE(e->values, &PROLONGED_TONE_LIST[k]);
                QCOMPARE(e->values->low, k);
                ++k;
            }
        QCOMPARE(k, 12);
    }
    const CE2prom image;
    const VARIABLE_STRUCT& two = FindVariable(&image, LINE_INTERFACE_TABLE, 1121, "CRadioButton");
    const VARIABLE_STRUCT& four = FindVariable(&image, LINE_INTERFACE_TABLE, 1122, "CRadioButton");
    QCOMPARE(two.values->low, 0);
    QCOMPARE(four.values->low, 1);
    QCOMPARE(four.values, two.values + 1);
    QCOMPARE(CountEntries(four.values), 1);
}

void TestTables::longTime_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("readBack");
    QTest::newRow("0") << 0 << 0x00 << 0;
    QTest::newRow("127") << 127 << 127 << 127;
    QTest::newRow("128") << 128 << 0x8C << 120;
    QTest::newRow("129") << 129 << 0x8C << 120;
    QTest::newRow("130") << 130 << 0x8D << 130;
    QTest::newRow("1000") << 1000 << 0xE4 << 1000;
    QTest::newRow("1270") << 1270 << 0xFF << 1270;
}

void TestTables::longTime() {
    QFETCH(int, value);
    QFETCH(int, stored);
    QFETCH(int, readBack);
    QCOMPARE(int(ValueToLongTime(value)), stored);
    QCOMPARE(LongTimeToValue(std::uint8_t(stored)), readBack);
}

// A combo box recognises a typed entry by its translated text, so within one list no
// two entries may read the same in any language.
void TestTables::comboTextsStayDistinct() {
    const CTranslator tr;
    for (const VALUE_STRUCT* list :
         {COUNTRY_LIST, RADIO_TYPE_LIST, TONE_SYSTEM_LIST, REPEATER_TYPE_LIST, GUARD_TONE_LIST,
          TRC_FUNCTION_LIST, ON_OFF_LIST, TRC_TONE_LIST, DECODER_FUNCTION_LIST, DECODER_TONE_LIST,
          ENCODER_TONE_LIST}) {
        for (int lang = 0; lang < 5; ++lang) {
            QSet<QString> seen;
            for (int i = 0; !IsEndEntry(list[i]); ++i) {
                const QString text = tr.Translated(lang, list[i].text).toUpper();
                QVERIFY2(!seen.contains(text), qPrintable(text));
                seen.insert(text);
            }
        }
    }
}

void TestTables::defaultSetupIsLegal() {
    CE2prom image;
    QCOMPARE(image.LoadSRecords(KARVO_DEFAULT_SETUP), 1);
    for (const NamedTable& t : AllTables())
        for (const VARIABLE_STRUCT* e = t.table; e->controlId != 0; ++e) {
            const QString where = QString("%1 %2").arg(t.name).arg(e->address);
            if (QString(e->name) == "test") { // a radio group: one of the twelve values
                QVERIFY2(image.GetByte(e->address) < 12, qPrintable(where));
                continue;
            }
            int v = image.GetByte(e->address);
            if (IsWordList(e->values))
                v = image.GetWord(e->address);
            else if (IsLongTimeList(e->values))
                v = LongTimeToValue(std::uint8_t(v));
            // Radio buttons of one address each enter the list at their own entry.
            const VALUE_STRUCT* list = e->values == &WIRE_LIST[1] ? WIRE_LIST : e->values;
            QVERIFY2(Covers(list, v), qPrintable(where + " holds " + QString::number(v)));
        }
    // A repeater installation: a full-duplex radio type.
    QCOMPARE(int(image.GetByte(21)), 5);
}

QTEST_APPLESS_MAIN(TestTables)
#include "tst_tables.moc"
