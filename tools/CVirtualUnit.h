// CVirtualUnit: the behaviour of a TRC interface unit on its serial line, without the
// serial line. It takes the bytes the program sends and returns what the unit answers,
// each piece with the delay after which the unit sends it; karvo-unit puts it on a
// pseudo-terminal. Faults can be switched on to test how the program copes.
#pragma once

#include "core/image/CE2prom.h"

#include <QByteArray>
#include <QList>
#include <QString>

struct CUnitOptions {
    QByteArray name = "RM4811";            // firmware name reported after REPLY
    QByteArray version = "V2.6";           // version token reported after REPLY
    QByteArray date = "15 Jun 1999 12:00"; // four date tokens
    bool silent = false;                   // never answers anything
    int silentAfterLines = -1;             // stops answering after this many received lines
    int badDumpRecord = -1;                // dump record (1 = first S1) sent with a wrong checksum
    QByteArray verdict;                    // final verdict instead of the unit's own judgement
    int saveDelayMs = 200;                 // time the unit takes to store its E2PROM
    bool receivedOk = true;                // sends "RECEIVED_OK" before storing
    bool echo = false;                     // echoes each command ahead of its REPLY
    bool nulBytes = false;                 // puts NUL bytes into its lines (after the text)
    bool longLine = false;                 // sends a line of more than 80 characters first
    int corruptAddress = -1;               // stores the inverse of the programmed byte here
    bool pacing = false;                   // sends at 9600 baud (960 bytes per second)
    int vanishAfterLines = -1;             // is gone (terminal closed) after sending N lines
    int floodBytes = 0;                    // answers DUMPING with this many bytes, no CR
    bool everyOtherLine = false;           // answers only lines 1, 3, 5, ... received
    // Misbehaviour without end, each lasting longer than any wait of the program:
    bool stream = false;           // a device that only streams text (a GPS, a console)
    bool busy = false;             // answers DUMPING and PROGRAMMING with "BUSY" every second
    bool repeatReceivedOk = false; // after the end record, "RECEIVED_OK" every second
    int doubledDumpRecord = -1;    // dump record N is followed by one for its address with
                                   // another first byte
    int varyEveryDump = 0; // dumps 1, 1 + N, 1 + 2N, ... carry addresses 1 and 2 moved up and
                           // down by the dump's number (their record's checksum cannot tell),
                           // so no two of them agree
};

// One piece of output: bytes to send once delayMs have passed since the previous piece.
struct CUnitOutput {
    int delayMs;
    QByteArray bytes;
    bool vanish = false; // the unit is gone right after sending these bytes
};

class CVirtualUnit {
public:
    explicit CVirtualUnit(CUnitOptions options = {});

    // The unit's E2PROM.
    CE2prom& Image() { return m_image; }

    // Feeds received bytes; returns what the unit sends in answer, in order.
    QList<CUnitOutput> Receive(const QByteArray& bytes);

    // How many programming sessions have ended with the data stored.
    int ProgramCount() const { return m_programCount; }

private:
    enum class Mode { Idle, Programming };

    void HandleLine(const QByteArray& line, QList<CUnitOutput>& out);
    void HandleRecord(const QByteArray& line, QList<CUnitOutput>& out);
    // Queues line after delayMs of handling (replaced by the wire time when pacing) and
    // waitMs of anything else the unit does first (storing its E2PROM).
    void Send(QList<CUnitOutput>& out, QByteArray line, int delayMs = 5, int waitMs = 0);
    QList<QByteArray> DumpLines() const;

    CUnitOptions m_options;
    CE2prom m_image;
    QByteArray m_pending; // bytes of a line not yet ended by CR
    int m_linesReceived = 0;
    int m_linesSent = 0;
    Mode m_mode = Mode::Idle;
    QByteArray m_programmingVerdict; // the unit's own judgement of the records received
    QByteArray m_received;           // image bytes received while programming
    int m_programCount = 0;
    bool m_streaming = false;
    int m_dumps = 0;
};
