// CDeviceLink: the conversations with the unit over one port, on the configuration
// image: Connect (open the port, "\nVERIFY", wait for "REPLY" and the unit's identity),
// ReadDevice (dump the unit's E2PROM into the image) and WriteDevice (program the unit
// with the image), each answering a LinkOutcome.
//
// The exchanges handle the link's own errors: a failing port call closes the port,
// appends the plain text of its return code to the caller's error text, and is reported
// as a CComErr box (through the message service the link was given) before the exchange
// returns ErrorReported. Progress and Cancel go through the progress seam; no widgets here.
// Every phase ends within a deadline, whatever the port sends; a Cancel ends a wait for
// the unit at once.
//
// The link owns the open state of the port, not the port: the port object is the
// caller's and must outlive the link. The destructor closes an open port.
#pragma once

#include "core/image/CE2prom.h"
#include "core/link/CPort.h"
#include "core/link/CProgress.h"
#include "core/link/LinkOutcome.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The verdict a line of the unit carries: the markers "SAVED_OK", "RECEIVED_OK",
// "TIMEOUT!!!", "FORMAT ERROR!!!", "ADDRESS ERROR!!!", "CHECKSUM ERROR!!!" are searched
// anywhere in the line in this order, and the first one present decides (SavedOk to
// UnitChecksumError); UnknownVerdict without any.
LinkOutcome ClassifyReply(const QByteArray& line);

// The fixed texts of the conversation.
inline constexpr char VERIFY_COMMAND[] = "\nVERIFY";
inline constexpr char REPLY_MARKER[] = "REPLY";
inline constexpr char DUMP_COMMAND[] = "DUMPING";
inline constexpr char PROGRAMMING_COMMAND[] = "PROGRAMMING QN4812 V2.6";
inline constexpr char PROGRAMMING_PROMPT[] = "PROGRAMMING RM4811 V2";
inline constexpr char UNIT_FIRMWARE[] = "RM4811";
constexpr int UNIT_MAJOR_VERSION = 2;

class CDumpReceiver;
class CMessageService;

class CDeviceLink {
public:
    // Time-outs and sizes of the conversation, in milliseconds and characters.
    static constexpr int LINE_CHARS = 80;
    static constexpr int CHUNK_CHARS = 100;
    static constexpr int PORT_BUFFER_SIZE = 20000;
    static constexpr int WRITE_TIMEOUT = 500;
    static constexpr int ANSWER_TIMEOUT = 500;
    static constexpr int CHUNK_TIMEOUT = 500;
    static constexpr int RECORD_TIMEOUT = 2000;
    static constexpr int PROMPT_TIMEOUT = 20000;
    static constexpr int VERDICT_TIMEOUT = 5000;
    static constexpr int SAVING_TIMEOUT = 60000;
    static constexpr int SETTLE_MS = 50;
    // Deadlines of whole phases, however much the unit (or whatever is on the port) sends:
    // the dump (its 211 bytes take about 0.7 s at 9600 baud), and the programming prompt
    // (twice the wait for a silent unit). Connect ends after the time that its attempts
    // take with a silent unit (attempts x (CHUNK_TIMEOUT + ANSWER_TIMEOUT)); the verdict
    // within VERDICT_TIMEOUT, or after "RECEIVED_OK" each line within SAVING_TIMEOUT and
    // all within SAVING_DEADLINE of the first.
    static constexpr int DUMP_DEADLINE = 10000;
    static constexpr int PROMPT_DEADLINE = 2 * PROMPT_TIMEOUT;
    static constexpr int SAVING_DEADLINE = 2 * SAVING_TIMEOUT;

    // progress may be null: the exchanges then show nothing and are never cancelled.
    // messages shows the link's error reports; it must outlive the link.
    CDeviceLink(CE2prom& image, CPort& port, CProgressFactory* progress, CMessageService& messages);
    ~CDeviceLink();
    CDeviceLink(const CDeviceLink&) = delete;
    CDeviceLink& operator=(const CDeviceLink&) = delete;

    // Opens the port with the image's link settings, sends command and listens for
    // marker followed by the unit's identity (name, version, four date words), which is
    // stored in the image. Connected (port open), NoReply after the attempt limit (port
    // open), UserAborted or ErrorReported (port closed).
    LinkOutcome Connect(const QByteArray& command, const QByteArray& marker, QString& errorText,
                        bool showProgress);

    // After a successful Connect: asks for the dump and replaces the image at the end
    // record, and only with a whole dump: every address 1 to 210 in a record whose
    // checksum holds, each record line exactly one record, and a well-formed end record.
    // ReceptionOk, BadChecksum, RecordBroken, DumpIncomplete (MissingAddresses() names
    // them), EndRecordBroken, NoReply, UserAborted or ErrorReported; only the first changes
    // the image, and never its modified flag. caption is the progress display's, "Reading
    // device ..." when empty.
    LinkOutcome ReadDevice(QString& errorText, bool showProgress,
                           const QString& caption = QString());
    // ReadDevice that leaves the image alone: the dump (addresses 0 to 210, address 0 the
    // image's) goes to dump, only with ReceptionOk. Two records that give one address
    // different bytes make the dump RecordBroken.
    LinkOutcome ReadDump(QByteArray& dump, QString& errorText, bool showProgress,
                         const QString& caption = QString());
    // The image addresses the last ReadDevice ended without, in ascending order.
    const QList<int>& MissingAddresses() const { return m_missing; }

    // After a successful Connect: sends command, waits for prompt (tracing the unit's
    // lines to the trace file), sends the image as S1 records and S9, and waits for the
    // verdict. The unit's verdict as ClassifyReply reads it (ReceivedOk only extends the
    // wait), NoReply, UserAborted or ErrorReported. Closes the port.
    LinkOutcome WriteDevice(const QByteArray& command, const QByteArray& prompt, QString& errorText,
                            bool showProgress);

    // Closes the port if it is open; otherwise nothing.
    void ClosePort();
    bool IsPortOpen() const { return m_portOpen; }
    // The service the link reports through.
    CMessageService& MessageService() const { return m_messages; }

    // Where WriteDevice traces the unit's lines; "test.dat" in the current directory
    // unless set. A trace file that cannot be created is left out.
    void SetTracePath(const QString& path) { m_tracePath = path; }

private:
    class CExchangeProgress;

    LinkOutcome ConnectSteps(const QByteArray& command, const QByteArray& marker,
                             QString& errorText, bool showProgress);
    LinkOutcome ReadSteps(QByteArray& dump, QString& errorText, bool showProgress,
                          const QString& caption);
    // The end of a dump at its end record: the dump taken when the end record is well
    // formed and every address arrived; otherwise the port is closed.
    LinkOutcome FinishDump(const CDumpReceiver& receiver, QByteArray& dump);
    // Closes the port and answers result.
    LinkOutcome ClosingWith(LinkOutcome result);
    LinkOutcome WriteSteps(const QByteArray& command, const QByteArray& prompt, QString& errorText,
                           bool showProgress);
    // The unit's verdict after the end record (Cancel no longer taken).
    LinkOutcome AwaitVerdict(QString& errorText, CExchangeProgress& progress);
    // Runs the steps of one exchange and turns a raised link error into its report and
    // ErrorReported.
    template <typename Steps> LinkOutcome Guarded(Steps steps);

    // True, with the port closed, when Cancel has been pressed on progress.
    bool CancelledClosing(CExchangeProgress& progress);
    // Closes the port, appends the return code's text and raises CComErr 4.
    [[noreturn]] void Fail(int returnCode, QString& errorText);
    // The open status, or PORT_NOT_SETUP without an open port.
    int PortStatus() const;
    // Which line answers a line sent: any line, or the first that is not blank.
    enum class Answer { AnyLine, TextLine };
    // Sends text and reads the unit's answer line within ANSWER_TIMEOUT; a failure of
    // either is raised.
    void SendLine(const QByteArray& text, QString& errorText, Answer answer = Answer::AnyLine);
    // The milliseconds a wait may last: sliceMs, or less when the deadline comes first.
    int TimeLeft(qint64 deadline, int sliceMs = ANSWER_TIMEOUT) const;
    char Terminator() const;
    // True, with the identity stored, when the chunk holds the marker at its first
    // occurrence of the marker's first character.
    bool FindReply(const QByteArray& chunk, const QByteArray& marker);
    void StoreIdentity(const QByteArray& afterMarker);

    CE2prom& m_image;
    CPort& m_port;
    CProgressFactory* m_progress;
    CMessageService& m_messages;
    bool m_portOpen = false;
    QString m_tracePath = QStringLiteral("test.dat");
    QList<int> m_missing;
};
