// A scripted unit on a CScriptedPort: answers every line the program sends, replies to
// "\nVERIFY", dumps its lines after "DUMPING", prompts after "PROGRAMMING" and gives its
// verdict after the S9 record, each with the delays the test asks for.
#pragma once

#include "core/link/CScriptedPort.h"

#include <QByteArray>
#include <QList>
#include <utility>

class CFakeUnit {
public:
    explicit CFakeUnit(CScriptedPort& port);

    // Bursts sent after the 1st, 2nd, ... "\nVERIFY" (replyDelay ms after it); an empty
    // entry sends nothing, and the last entry answers every later one.
    QList<QByteArray> replies = {"REPLY RM4811 V2.6 a b c d\r"};
    int replyDelay = 20;
    // Every line received is answered by this line after answerDelay ms (no answer when
    // answerLines is false, or after silentAfter lines when that is not negative).
    QByteArray answer = "OK\r";
    int answerDelay = 5;
    bool answerLines = true;
    int silentAfter = -1;
    // Lines (terminators included) sent after "DUMPING", lineGap ms apart.
    QList<QByteArray> dumpLines;
    int lineGap = 10;
    // When not empty, the nth "DUMPING" (from 1) is answered by dumps[n - 1] (the last
    // entry by every later one) in place of dumpLines: a line that damages dumps apart.
    QList<QList<QByteArray>> dumps;
    int dumpings = 0;
    // Lines (terminators included) sent after the programming command, lineGap apart.
    QList<QByteArray> promptLines = {"PROGRAMMING RM4811 V2\r"};
    // Verdict lines after the S9 record: ms after the S9 answer, then the line.
    QList<std::pair<int, QByteArray>> verdicts = {{100, "RECEIVED_OK\r"}, {300, "SAVED_OK\r"}};
    // After an end record the unit's dump holds the records it received in place of those
    // of the same address, as a unit that stored them would.
    bool storesWrites = true;
    // The nth S1 line sent (from 1) is lost on the way: not received, not answered.
    int lostRecord = -1;
    // The answer to the nth S1 line received ends with its line end twice.
    int doubledAnswerRecord = -1;

    // What the unit received.
    int verifies = 0;
    QList<QByteArray> records; // S1 lines
    bool gotEndRecord = false;

    // The dump lines of an image: an S0 header, S1 records of addresses 1 to 210, S9.
    static QList<QByteArray> DumpOf(const QByteArray& image);

private:
    void OnLine(const QByteArray& text);
    void SendLines(const QList<QByteArray>& lines, int firstDelay);
    void Store();

    CScriptedPort& m_port;
    int m_lines = 0;
    int m_recordsSeen = 0;
};
