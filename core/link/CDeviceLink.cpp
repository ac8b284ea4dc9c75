#include "core/link/CDeviceLink.h"

#include "core/image/SRecords.h"
#include "core/lang/CurrentLanguage.h"
#include "core/link/CDumpReceiver.h"
#include "core/link/CError.h"
#include "core/link/UnitIdentity.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <new>
#include <optional>

namespace {

// Markers of the unit's verdict and what each says, in the order they are tested.
struct VERDICT_MARKER {
    const char* marker;
    LinkOutcome verdict;
};
const std::array<VERDICT_MARKER, 6> VERDICT_MARKERS = {{
    {"SAVED_OK", LinkOutcome::SavedOk},
    {"RECEIVED_OK", LinkOutcome::ReceivedOk},
    {"TIMEOUT!!!", LinkOutcome::UnitTimeout},
    {"FORMAT ERROR!!!", LinkOutcome::UnitFormatError},
    {"ADDRESS ERROR!!!", LinkOutcome::UnitAddressError},
    {"CHECKSUM ERROR!!!", LinkOutcome::UnitChecksumError},
}};

// Zero bytes become blanks, so that the received text reads as one string.
void BlankZeros(QByteArray& text) {
    text.replace('\0', ' ');
}

// True for a line of nothing but white space and NUL bytes.
bool IsBlankLine(const QByteArray& line) {
    for (char c : line)
        if (c != '\0' && !IsBlankChar(c))
            return false;
    return true;
}

// Thrown where the exchange is stopped by the user (or the program ending) in the middle
// of a wait; the exchange answers UserAborted with the port closed.
struct CUserStop {};

} // namespace

LinkOutcome ClassifyReply(const QByteArray& line) {
    for (const VERDICT_MARKER& row : VERDICT_MARKERS)
        if (line.contains(row.marker))
            return row.verdict;
    return LinkOutcome::UnknownVerdict;
}

// The progress display of one exchange: created with its caption and range when the
// exchange shows progress, routing the port's waits to its message pump, and destroyed
// (before any report box) when the exchange ends. Without a display every call is a
// no-op and no cancel is ever seen.
class CDeviceLink::CExchangeProgress {
public:
    CExchangeProgress(CProgressFactory* factory, bool show, CPort& port, const QString& caption,
                      int lower, int upper) {
        if (show && factory)
            m_display = factory->CreateProgress();
        if (!m_display)
            return;
        m_display->SetRange(lower, upper);
        m_display->SetStep(1);
        m_display->SetCaption(caption);
        CProgress* display = m_display.get();
        m_idle.emplace(port, [this, display, &port] {
            display->PumpMessages();
            // A Cancel (or the program ending) ends the wait for the unit at once, not
            // only at the next line.
            if ((m_cancelLive && display->CancelPending()) || display->Ending())
                port.AbortWait();
        });
    }

    bool Shown() const { return m_display != nullptr; }
    void StepIt() {
        if (m_display)
            m_display->StepIt();
    }
    void SetStep(int step) {
        if (m_display)
            m_display->SetStep(step);
    }
    bool PollCancel() { return m_display && m_display->PollCancel(); }
    void DisableCancel() {
        m_cancelLive = false;
        if (m_display)
            m_display->DisableCancel();
    }
    void SetMessage(const QString& message) {
        if (m_display)
            m_display->SetMessage(message);
    }

private:
    std::unique_ptr<CProgress> m_display;
    bool m_cancelLive = true;
    std::optional<CIdleHandlerScope> m_idle; // released before the display
};

CDeviceLink::CDeviceLink(CE2prom& image, CPort& port, CProgressFactory* progress,
                         CMessageService& messages)
    : m_image(image), m_port(port), m_progress(progress), m_messages(messages) {}

CDeviceLink::~CDeviceLink() {
    ClosePort();
}

void CDeviceLink::ClosePort() {
    if (!m_portOpen)
        return;
    m_port.Close();
    m_portOpen = false;
}

int CDeviceLink::PortStatus() const {
    return m_portOpen ? m_port.OpenStatus() : PORT_NOT_SETUP;
}

char CDeviceLink::Terminator() const {
    return char(m_image.LinkSettings().lineTerminator);
}

void CDeviceLink::Fail(int returnCode, QString& errorText) {
    ClosePort();
    if (returnCode == PORT_WAIT_ABORTED)
        throw CUserStop();
    AppendLibraryErrorText(returnCode, errorText, m_port.Name());
    throw CComErr(4, returnCode);
}

void CDeviceLink::SendLine(const QByteArray& text, QString& errorText, Answer answer) {
    const int written = m_port.WriteStringTimed(text, Terminator(), WRITE_TIMEOUT);
    if (written < 0)
        Fail(written, errorText);
    const qint64 deadline = m_port.ClockMs() + ANSWER_TIMEOUT;
    for (;;) {
        QByteArray line;
        const int answered =
            m_port.ReadStringTimed(line, LINE_CHARS, Terminator(), TimeLeft(deadline));
        if (answered < 0)
            Fail(answered, errorText);
        if (answer == Answer::AnyLine || !IsBlankLine(line))
            return;
    }
}

int CDeviceLink::TimeLeft(qint64 deadline, int sliceMs) const {
    return int(std::clamp<qint64>(deadline - m_port.ClockMs(), 0, sliceMs));
}

bool CDeviceLink::CancelledClosing(CExchangeProgress& progress) {
    if (!progress.PollCancel())
        return false;
    ClosePort();
    return true;
}

template <typename Steps> LinkOutcome CDeviceLink::Guarded(Steps steps) {
    try {
        return steps();
    } catch (const CUserStop&) {
        return LinkOutcome::UserAborted; // the port is closed
    } catch (const CComErr& error) {
        error.ReportError(m_messages); // a fatal one does not end the program here
        return LinkOutcome::ErrorReported;
    } catch (const std::bad_alloc&) {
        ClosePort();
        CComErr(0).ReportError(m_messages);
        return LinkOutcome::ErrorReported;
    }
}

LinkOutcome CDeviceLink::Connect(const QByteArray& command, const QByteArray& marker,
                                 QString& errorText, bool showProgress) {
    return Guarded([&] { return ConnectSteps(command, marker, errorText, showProgress); });
}

LinkOutcome CDeviceLink::ReadDevice(QString& errorText, bool showProgress, const QString& caption) {
    QByteArray dump;
    const LinkOutcome result = ReadDump(dump, errorText, showProgress, caption);
    if (result == LinkOutcome::ReceptionOk)
        m_image.ReplaceBytes(dump);
    return result;
}

LinkOutcome CDeviceLink::ReadDump(QByteArray& dump, QString& errorText, bool showProgress,
                                  const QString& caption) {
    return Guarded([&] { return ReadSteps(dump, errorText, showProgress, caption); });
}

LinkOutcome CDeviceLink::WriteDevice(const QByteArray& command, const QByteArray& prompt,
                                     QString& errorText, bool showProgress) {
    return Guarded([&] { return WriteSteps(command, prompt, errorText, showProgress); });
}

LinkOutcome CDeviceLink::ConnectSteps(const QByteArray& command, const QByteArray& marker,
                                      QString& errorText, bool showProgress) {
    const CLinkSettings link = m_image.LinkSettings();
    CExchangeProgress progress(m_progress, showProgress, m_port, Tr("Connecting to device ..."), 0,
                               link.attemptLimit + 1);

    ClosePort();
    m_port.SetDefaultBufferSize(PORT_BUFFER_SIZE, PORT_BUFFER_SIZE);
    const int status = m_port.Open(link);
    m_portOpen = true;
    if (status < 0)
        Fail(status, errorText);
    progress.StepIt();

    const int written = m_port.WriteStringTimed(command, Terminator(), WRITE_TIMEOUT);
    if (written < 0)
        Fail(written, errorText);
    QByteArray answer;
    if (const int answered =
            m_port.ReadStringTimed(answer, LINE_CHARS, Terminator(), ANSWER_TIMEOUT);
        answered < 0) {
        if (answered == PORT_WAIT_ABORTED)
            Fail(answered, errorText);
        ClosePort(); // nothing answers on this port
        throw CComErr(6);
    }

    // A port that keeps sending (a GPS, a console) never uses up an attempt: the
    // connection also ends when the attempts of a silent unit would all have run out.
    const qint64 deadline =
        m_port.ClockMs() + qint64(link.attemptLimit) * (CHUNK_TIMEOUT + ANSWER_TIMEOUT);
    for (int attempts = 0; attempts < link.attemptLimit && m_port.ClockMs() < deadline;) {
        QByteArray chunk;
        const int result =
            m_port.ReadBufferTimed(chunk, CHUNK_CHARS, TimeLeft(deadline, CHUNK_TIMEOUT));
        if (result < 0 && result != PORT_BUFFER_EMPTY)
            Fail(result, errorText);
        const bool quiet = result == PORT_BUFFER_EMPTY; // fewer than a full chunk came
        if (quiet)
            progress.StepIt();
        if (CancelledClosing(progress))
            return LinkOutcome::UserAborted;
        if (quiet)
            ++attempts;
        if (FindReply(chunk, marker))
            return LinkOutcome::Connected;
        if (!m_port.IsRXEmpty())
            m_port.ClearRXBuffer();
        if (quiet) // a unit still sending full chunks is listened to without asking again
            SendLine(command, errorText);
    }
    m_port.ClearRXBuffer();
    return LinkOutcome::NoReply;
}

bool CDeviceLink::FindReply(const QByteArray& chunk, const QByteArray& marker) {
    QByteArray text = chunk;
    BlankZeros(text);
    const int at = marker.isEmpty() ? 0 : text.indexOf(marker[0]);
    if (at < 0 || text.mid(at, marker.size()) != marker)
        return false;
    StoreIdentity(text.mid(at + marker.size()));
    return true;
}

void CDeviceLink::StoreIdentity(const QByteArray& afterMarker) {
    const UNIT_IDENTITY identity =
        ParseUnitIdentity(afterMarker, m_image.DeviceMajorVersion(), m_image.DeviceMinorVersion());
    m_image.SetDeviceIdentity(identity.name, identity.date, identity.major, identity.minor);
}

LinkOutcome CDeviceLink::ReadSteps(QByteArray& dump, QString& errorText, bool showProgress,
                                   const QString& caption) {
    m_missing.clear();
    CExchangeProgress progress(m_progress, showProgress, m_port,
                               caption.isEmpty() ? Tr("Reading device ...") : caption, 0,
                               int(m_image.GetSize()));
    if (CancelledClosing(progress))
        return LinkOutcome::UserAborted;

    // Addresses the dump does not cover keep their values (only address 0 can end so).
    CDumpReceiver receiver(m_image.Bytes());
    if (m_portOpen) {
        m_port.ClearRXBuffer();
        m_port.Pause(SETTLE_MS);
    }
    if (const int status = PortStatus(); status < 0)
        Fail(status, errorText);
    SendLine(DUMP_COMMAND, errorText);

    // A unit that keeps sending lines other than records is not listened to for ever.
    const qint64 deadline = m_port.ClockMs() + DUMP_DEADLINE;
    for (;;) {
        QByteArray line;
        const int result = m_port.ReadStringTimed(line, LINE_CHARS, Terminator(),
                                                  TimeLeft(deadline, RECORD_TIMEOUT));
        if (result == PORT_BUFFER_EMPTY)
            return LinkOutcome::NoReply; // the command closes the port
        if (result < 0)
            Fail(result, errorText);

        const CDumpReceiver::Line kind = receiver.Take(line);
        if (kind == CDumpReceiver::Line::Other) {
            if (CancelledClosing(progress)) // a unit that only chatters can still be stopped
                return LinkOutcome::UserAborted;
            continue;
        }
        if (kind == CDumpReceiver::Line::End)
            return FinishDump(receiver, dump);
        if (kind == CDumpReceiver::Line::Broken)
            return ClosingWith(LinkOutcome::RecordBroken);
        progress.SetStep(receiver.RecordBytes());
        progress.StepIt();
        if (CancelledClosing(progress))
            return LinkOutcome::UserAborted;
        if (kind == CDumpReceiver::Line::BadChecksum)
            return ClosingWith(LinkOutcome::BadChecksum);
        // Two records that give one address different bytes cannot both be right.
        if (!receiver.Store())
            return ClosingWith(LinkOutcome::RecordBroken);
    }
}

LinkOutcome CDeviceLink::FinishDump(const CDumpReceiver& receiver, QByteArray& dump) {
    switch (receiver.Finish(dump, m_missing)) {
    case CDumpReceiver::Ending::Whole:
        return LinkOutcome::ReceptionOk;
    case CDumpReceiver::Ending::EndBroken:
        return ClosingWith(LinkOutcome::EndRecordBroken);
    default:
        return ClosingWith(LinkOutcome::DumpIncomplete);
    }
}

LinkOutcome CDeviceLink::ClosingWith(LinkOutcome result) {
    ClosePort();
    return result;
}

LinkOutcome CDeviceLink::WriteSteps(const QByteArray& command, const QByteArray& prompt,
                                    QString& errorText, bool showProgress) {
    QFile trace(m_tracePath);
    const bool tracing = trace.open(QIODevice::WriteOnly | QIODevice::Truncate);
    const auto traceLine = [&](const QByteArray& line) {
        if (tracing)
            trace.write(line);
    };

    const int imageSize = int(m_image.GetSize());
    CExchangeProgress progress(m_progress, showProgress, m_port, Tr("Writing device ..."), 0,
                               imageSize - 1);
    if (CancelledClosing(progress))
        return LinkOutcome::UserAborted;
    if (m_portOpen)
        m_port.ClearRXBuffer();
    if (const int status = PortStatus(); status < 0)
        Fail(status, errorText);
    SendLine(command, errorText);

    // The unit's lines up to its prompt go to the trace as they came. Each line may take
    // PROMPT_TIMEOUT, but a unit that chatters without prompting is given up at the deadline.
    const qint64 promptDeadline = m_port.ClockMs() + PROMPT_DEADLINE;
    for (;;) {
        QByteArray line;
        const int result = m_port.ReadStringTimed(line, LINE_CHARS, Terminator(),
                                                  TimeLeft(promptDeadline, PROMPT_TIMEOUT));
        traceLine(line);
        if (result == PORT_BUFFER_EMPTY)
            return LinkOutcome::NoReply; // the command closes the port
        if (result < 0)
            Fail(result, errorText);
        BlankZeros(line);
        if (line.contains(prompt))
            break;
        if (CancelledClosing(progress)) // a unit that only chatters can still be stopped
            return LinkOutcome::UserAborted;
    }

    // A blank line is never the answer to a record: a doubled line end after the previous
    // answer would otherwise stand in for the answer to a record the unit never received.
    for (const CRecordSlice& slice : RecordSlices(m_image.Bytes())) {
        SendLine(SRecordLine(slice.address, slice.data), errorText, Answer::TextLine);
        if (!progress.Shown())
            continue;
        while (m_port.IsTXBusy() != 0) {
        }
        progress.SetStep(int(slice.data.size()));
        progress.StepIt();
        if (CancelledClosing(progress))
            return LinkOutcome::UserAborted;
    }
    SendLine(S9_RECORD, errorText, Answer::TextLine);

    // With the end record sent the unit has everything and goes on storing it whatever
    // happens here, so Cancel is no longer taken: the unit's real verdict is what counts.
    progress.DisableCancel();
    const LinkOutcome result = AwaitVerdict(errorText, progress);
    ClosePort();
    return result;
}

LinkOutcome CDeviceLink::AwaitVerdict(QString& errorText, CExchangeProgress& progress) {
    // The first verdict line comes within VERDICT_TIMEOUT; after "RECEIVED_OK" the unit
    // stores its E2PROM, each line may take SAVING_TIMEOUT, and however often it repeats
    // "RECEIVED_OK" it has SAVING_DEADLINE in all.
    int timeout = VERDICT_TIMEOUT;
    qint64 deadline = m_port.ClockMs() + VERDICT_TIMEOUT;
    bool saving = false;
    for (;;) {
        QByteArray line;
        const int read =
            m_port.ReadStringTimed(line, LINE_CHARS, Terminator(), TimeLeft(deadline, timeout));
        if (read == PORT_BUFFER_EMPTY)
            return LinkOutcome::NoReply;
        if (read < 0)
            Fail(read, errorText);
        BlankZeros(line);
        const LinkOutcome verdict = ClassifyReply(line);
        if (verdict != LinkOutcome::ReceivedOk)
            return verdict;
        // The unit now stores its E2PROM, which takes a while.
        progress.SetMessage(Tr("Device saving data ..."));
        timeout = SAVING_TIMEOUT;
        if (!saving)
            deadline = m_port.ClockMs() + SAVING_DEADLINE;
        saving = true;
    }
}
