#include "core/link/CPort.h"

#include "core/link/CError.h"

int CPort::WriteStringTimed(const QByteArray& text, char terminator, int timeoutMs) {
    if (OpenStatus() < 0)
        return OpenStatus();
    Log(CCommLog::Direction::Sent, text + terminator);
    const int result = Send(text + terminator, timeoutMs);
    if (result < 0)
        LogReception(result, {}, false, terminator, timeoutMs);
    return result;
}

int CPort::ReadStringTimed(QByteArray& line, int maxChars, char terminator, int timeoutMs) {
    return ReadTimed(line, maxChars, terminator, timeoutMs);
}

int CPort::ReadBufferTimed(QByteArray& buffer, int maxChars, int timeoutMs) {
    return ReadTimed(buffer, maxChars, std::nullopt, timeoutMs);
}

int CPort::ReadTimed(QByteArray& out, int maxChars, std::optional<char> terminator, int timeoutMs) {
    out.clear();
    if (OpenStatus() < 0)
        return OpenStatus();
    const qint64 deadline = Clock() + timeoutMs;
    m_waitAborted = false;
    for (;;) {
        const qsizetype end = terminator ? m_received.indexOf(*terminator) : -1;
        if (end >= 0 && end <= maxChars) {
            out = m_received.left(end);
            m_received.remove(0, end + 1);
            LogReception(PORT_OK, out, true, *terminator, timeoutMs);
            return PORT_OK;
        }
        if (m_received.size() >= maxChars) {
            out = m_received.left(maxChars);
            m_received.remove(0, maxChars);
            LogReception(PORT_OK, out, false, 0, timeoutMs);
            return PORT_OK;
        }
        const qint64 left = deadline - Clock();
        if (left <= 0) {
            out = m_received;
            m_received.clear();
            LogReception(PORT_BUFFER_EMPTY, out, false, 0, timeoutMs);
            return PORT_BUFFER_EMPTY;
        }
        const int result = Fetch(left);
        if (result < 0) {
            LogReception(result, {}, false, 0, timeoutMs);
            return result;
        }
        if (m_waitAborted) {
            m_waitAborted = false;
            Log(CCommLog::Direction::Note, "stopped");
            return PORT_WAIT_ABORTED;
        }
    }
}

void CPort::ClearRXBuffer() {
    if (OpenStatus() < 0)
        return;
    Fetch(0);
    if (!m_received.isEmpty()) {
        Log(CCommLog::Direction::Received, m_received);
        Log(CCommLog::Direction::Note, "discarded");
    }
    m_received.clear();
    DiscardInput();
}

bool CPort::IsRXEmpty() {
    if (OpenStatus() < 0)
        return true;
    Fetch(0);
    return m_received.isEmpty();
}

void CPort::Pause(int ms) {
    const qint64 deadline = Clock() + ms;
    m_waitAborted = false;
    for (qint64 left = ms; left > 0 && !m_waitAborted; left = deadline - Clock()) {
        if (OpenStatus() < 0 || Fetch(left) < 0)
            break;
    }
}

void CPort::SetLog(CCommLog* log) {
    m_log = log;
    m_logStart = Clock();
}

void CPort::Log(CCommLog::Direction direction, const QByteArray& bytes) {
    if (m_log)
        m_log->Record(Clock() - m_logStart, direction, bytes);
}

void CPort::LogReception(int result, const QByteArray& bytes, bool terminated, char terminator,
                         int timeoutMs) {
    if (!m_log)
        return;
    if (!bytes.isEmpty())
        Log(CCommLog::Direction::Received, terminated ? bytes + terminator : bytes);
    if (result == PORT_BUFFER_EMPTY)
        Log(CCommLog::Direction::Note,
            QByteArray("time-out: nothing more within ") + QByteArray::number(timeoutMs) + " ms");
    else if (result < 0)
        Log(CCommLog::Direction::Note, "port failure: " + LibraryErrorText(result).toUtf8() + " (" +
                                           LibraryErrorName(result).trimmed().toUtf8() + ')');
}

void CPort::RunIdle() {
    if (m_idle)
        m_idle();
}
