// CScriptedPort: an in-memory port with a virtual clock, for tests and demonstrations.
//
// Received characters are scheduled on a timeline ("these bytes arrive at 1200 ms");
// a timed call that has to wait moves the clock straight to the next scheduled event
// or to its time-out, so a 60-second wait costs nothing. A peer reacts to what the
// program sends through the write handler, which may schedule answers; scheduled
// actions run when the clock passes their time (a test presses Cancel there).
//
// Failures are injected per operation: the open status, or the nth call of an
// operation answering a given return code. Everything written is kept for inspection.
#pragma once

#include "core/link/CLineNoise.h"
#include "core/link/CPort.h"

#include <QList>
#include <QMap>
#include <functional>
#include <optional>

enum class PortCall { Write, ReadString, ReadBuffer };

class CScriptedPort : public CPort {
public:
    CScriptedPort() = default;

    // --- The port as the exchanges see it.
    void SetDefaultBufferSize(int receiveSize, int transmitSize) override;
    int Open(const CLinkSettings& settings) override;
    void Close() override;
    int OpenStatus() const override { return m_openStatus; }
    int IsTXBusy() override;
    int WriteStringTimed(const QByteArray& text, char terminator, int timeoutMs) override;
    int ReadStringTimed(QByteArray& line, int maxChars, char terminator, int timeoutMs) override;
    int ReadBufferTimed(QByteArray& buffer, int maxChars, int timeoutMs) override;

    // --- Scripting.
    // The virtual time in milliseconds; starts at 0.
    qint64 Now() const { return m_now; }
    // bytes arrive afterMs from now.
    void Receive(const QByteArray& bytes, qint64 afterMs = 0);
    // action runs when the clock reaches now + afterMs.
    void After(qint64 afterMs, std::function<void()> action);
    // Called with each text the program writes (the terminator removed), after it has
    // been recorded; may schedule answers.
    void OnWrite(std::function<void(const QByteArray& text)> handler) {
        m_onWrite = std::move(handler);
    }
    // Called with the bytes of each write as the peer receives them (terminator and noise
    // included), instead of OnWrite's line: for a peer that assembles lines itself.
    void OnWireWrite(std::function<void(const QByteArray& bytes)> handler) {
        m_onWireWrite = std::move(handler);
    }
    // A noisy line: toProgram damages the bytes scheduled to arrive (as they are scheduled),
    // fromProgram those written, before OnWireWrite sees them.
    void SetNoise(const CLineNoise& toProgram, const CLineNoise& fromProgram) {
        m_toProgram = toProgram;
        m_fromProgram = fromProgram;
    }
    // The open status the next opens give (0 by default).
    void SetOpenResult(int status) { m_openResult = status; }
    // The nth call (counting from 1 since construction) of an operation returns code
    // without doing anything.
    void FailCall(PortCall call, int nth, int code) { m_failures[{int(call), nth}] = code; }
    // After every write the transmit-busy query answers 1 this many times, then 0.
    void SetBusyAnswers(int count) { m_busyAnswers = count; }

    // --- Inspection.
    QList<QByteArray> Written() const { return m_written; }
    QByteArray WrittenBytes() const { return m_wire; } // every byte sent, terminators included
    bool IsOpen() const { return m_isOpen; }
    int OpenCount() const { return m_openCount; }
    int CloseCount() const { return m_closeCount; }
    CLinkSettings OpenedWith() const { return m_openedWith; }
    QList<int> BufferSizes() const { return m_bufferSizes; }
    int BusyQueries() const { return m_busyQueries; }
    int IdleRuns() const { return m_idleRuns; }

protected:
    qint64 Clock() const override { return m_now; }
    int Fetch(qint64 waitMs) override;
    int Send(const QByteArray& bytes, int timeoutMs) override;
    void DiscardInput() override {}

private:
    struct Event {
        qint64 time;
        QByteArray bytes;             // arrives at time, unless action is set
        std::function<void()> action; // runs at time
    };

    void Schedule(Event event);
    // Moves the clock to time, delivering bytes and running actions due on the way.
    void AdvanceTo(qint64 time);
    int InjectedFailure(PortCall call);

    qint64 m_now = 0;
    QList<Event> m_timeline; // ordered by time, then by scheduling order
    std::function<void(const QByteArray&)> m_onWrite;
    std::function<void(const QByteArray&)> m_onWireWrite;
    std::optional<CLineNoise> m_toProgram;
    std::optional<CLineNoise> m_fromProgram;
    QMap<std::pair<int, int>, int> m_failures;
    QMap<int, int> m_callCounts;
    int m_openResult = PORT_OK;
    int m_openStatus = PORT_NOT_SETUP;
    bool m_isOpen = false;
    int m_openCount = 0;
    int m_closeCount = 0;
    int m_busyAnswers = 0;
    int m_busyLeft = 0;
    int m_busyQueries = 0;
    int m_idleRuns = 0;
    CLinkSettings m_openedWith;
    QList<int> m_bufferSizes;
    QList<QByteArray> m_written;
    QByteArray m_wire;
};
