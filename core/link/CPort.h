// CPort: one serial port as the device exchanges use it: open with the link settings,
// timed string write with the line terminator, timed line read, timed buffer read,
// receive-buffer clear and query, transmit-busy query, close.
//
// Every operation answers with the serial layer's return codes: 0 success, -8 "Buffer
// empty" when a time-out expires before the requested amount arrived, any other
// negative value a failure named by LibraryErrorName/LibraryErrorText.
//
// The line and buffer assembly lives here, once; a backend only supplies a clock, the
// waiting for received bytes and the sending. CSerialPort is the real port, CScriptedPort
// an in-memory port with a virtual clock for tests.
//
// While a timed call waits it runs the idle handler between short waits, so the
// progress dialog can keep the windows painted and notice Cancel. A port given a
// communication log records every line of its timed calls there.
#pragma once

#include "core/image/CLinkSettings.h"
#include "core/link/CCommLog.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

// Return codes of the serial layer that the port and the exchanges produce themselves.
constexpr int PORT_OK = 0;
constexpr int PORT_GENERAL_ERROR = -1;
constexpr int PORT_INVALID_PORT = -2;
constexpr int PORT_IN_USE = -3;
constexpr int PORT_NOT_SETUP = -6;
constexpr int PORT_BUFFER_EMPTY = -8; // the time-out expired first
constexpr int PORT_TIMEOUT = -10;
constexpr int PORT_NOT_SUPPORTED = -24;
constexpr int PORT_ILLEGAL_BAUDRATE = -25;
constexpr int PORT_ILLEGAL_PARITY = -26;
constexpr int PORT_ILLEGAL_WORD_LENGTH = -27;
constexpr int PORT_ILLEGAL_STOPBIT = -28;
// The device exists but this user may not open it (on Linux: not in the device's group).
constexpr int PORT_NO_PERMISSION = -76;
// The open port went away (a USB adapter pulled out, the unit's terminal closed).
constexpr int PORT_LOST = -77;
// A network port's address is not socket://HOST:PORT or rfc2217://HOST:PORT.
constexpr int PORT_BAD_ADDRESS = -78;
// The host at a network port's address refused the connection (nothing listens there).
constexpr int PORT_CONNECTION_REFUSED = -79;
// The host at a network port's address is unknown or cannot be reached in time.
constexpr int PORT_HOST_UNREACHABLE = -80;
// The Telnet server at an rfc2217:// address refuses COM port control.
constexpr int PORT_COM_CONTROL_REFUSED = -81;
// The Telnet server at an rfc2217:// address answered the speed with another than the link's.
constexpr int PORT_SPEED_REFUSED = -82;
// A timed read stopped early because the exchange is being stopped (Cancel, or the
// command-line tool ending on a signal); never shown, the exchange reports "User aborted".
constexpr int PORT_WAIT_ABORTED = -90;

class CPort {
public:
    virtual ~CPort() = default;

    // Sizes of the receive and transmit buffers for the next open.
    virtual void SetDefaultBufferSize(int receiveSize, int transmitSize) = 0;
    // Opens the port named by settings.portIndex with the settings' speed and framing.
    // Returns the open status (also kept for OpenStatus()): 0 or a negative code. A port
    // whose open failed still has to be closed.
    virtual int Open(const CLinkSettings& settings) = 0;
    // Closes the port and discards everything received. Harmless when not open.
    virtual void Close() = 0;
    // The status of the last Open; PORT_NOT_SETUP when the port was never opened.
    virtual int OpenStatus() const = 0;
    // The device or address this port opens, for failure texts that name it; empty when
    // the port does not know it.
    virtual QString Name() const { return QString(); }

    // Sends text followed by the terminator; fails when it cannot be sent within
    // timeoutMs.
    virtual int WriteStringTimed(const QByteArray& text, char terminator, int timeoutMs);
    // Receives one line: the characters before the terminator (which is consumed), at
    // most maxChars of them; a longer line is delivered in pieces of maxChars. Returns 0
    // with the line, or PORT_BUFFER_EMPTY with whatever arrived before the time-out
    // (consumed too), or a failure with line empty.
    virtual int ReadStringTimed(QByteArray& line, int maxChars, char terminator, int timeoutMs);
    // Receives exactly maxChars characters: 0 when they all came within timeoutMs,
    // PORT_BUFFER_EMPTY with the fewer that came, or a failure.
    virtual int ReadBufferTimed(QByteArray& buffer, int maxChars, int timeoutMs);
    // Discards every character received so far.
    void ClearRXBuffer();
    // False when received characters are waiting.
    bool IsRXEmpty();
    // Non-zero while sent characters are still on their way out.
    virtual int IsTXBusy() = 0;
    // Waits ms milliseconds; characters arriving meanwhile are kept.
    void Pause(int ms);

    // Milliseconds on the port's clock (virtual on a scripted port), for the exchanges'
    // deadlines.
    qint64 ClockMs() const { return Clock(); }
    // Ends the timed read under way (called from the idle handler): it returns
    // PORT_WAIT_ABORTED with what arrived left for the next read. Each timed read starts
    // afresh.
    void AbortWait() { m_waitAborted = true; }

    // Run between the short waits of every timed call; an empty handler runs nothing.
    void SetIdleHandler(std::function<void()> handler) { m_idle = std::move(handler); }
    const std::function<void()>& IdleHandler() const { return m_idle; }

    // Records the lines of the timed calls into log from now on (not owned), timed from
    // this moment on the port's clock; nullptr records nothing.
    void SetLog(CCommLog* log);

protected:
    // Milliseconds on the port's clock.
    virtual qint64 Clock() const = 0;
    // Waits at most waitMs (0: not at all) for more received characters and appends
    // whatever arrived to m_received. Returns 0 or a failure code. Implementations run
    // RunIdle() once per call.
    virtual int Fetch(qint64 waitMs) = 0;
    // Sends bytes as they stand within timeoutMs; 0 or a failure code.
    virtual int Send(const QByteArray& bytes, int timeoutMs) = 0;
    // Drops what the backend itself holds of received characters (m_received is cleared
    // by the caller).
    virtual void DiscardInput() = 0;

    void RunIdle();

    QByteArray m_received; // received characters not yet delivered

private:
    // The deadline loop of both timed reads: delivers the characters before terminator
    // (consumed with them) when it comes within maxChars, else maxChars characters, else
    // at the deadline whatever arrived, with PORT_BUFFER_EMPTY.
    int ReadTimed(QByteArray& out, int maxChars, std::optional<char> terminator, int timeoutMs);

    // Records bytes or a note into the log, if there is one.
    void Log(CCommLog::Direction direction, const QByteArray& bytes);
    // Records what a timed read delivered with its return code.
    void LogReception(int result, const QByteArray& bytes, bool terminated, char terminator,
                      int timeoutMs);

    std::function<void()> m_idle;
    bool m_waitAborted = false;
    CCommLog* m_log = nullptr;
    qint64 m_logStart = 0;
};

// Routes a port's waits to a handler for the scope's lifetime, then gives the port back
// the handler it had.
class CIdleHandlerScope {
public:
    CIdleHandlerScope(CPort& port, std::function<void()> handler)
        : m_port(port), m_previous(port.IdleHandler()) {
        m_port.SetIdleHandler(std::move(handler));
    }
    ~CIdleHandlerScope() { m_port.SetIdleHandler(std::move(m_previous)); }
    CIdleHandlerScope(const CIdleHandlerScope&) = delete;
    CIdleHandlerScope& operator=(const CIdleHandlerScope&) = delete;

private:
    CPort& m_port;
    std::function<void()> m_previous;
};
