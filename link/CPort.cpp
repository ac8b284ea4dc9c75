#include "link/CPort.h"

int CPort::WriteStringTimed(const QByteArray& text, char terminator, int timeoutMs) {
    if (OpenStatus() < 0)
        return OpenStatus();
    return Send(text + terminator, timeoutMs);
}

int CPort::ReadStringTimed(QByteArray& line, int maxChars, char terminator, int timeoutMs) {
    line.clear();
    if (OpenStatus() < 0)
        return OpenStatus();
    const qint64 deadline = Clock() + timeoutMs;
    for (;;) {
        const int end = m_received.indexOf(terminator);
        if (end >= 0 && end <= maxChars) {
            line = m_received.left(end);
            m_received.remove(0, end + 1);
            return PORT_OK;
        }
        if (m_received.size() >= maxChars) {
            line = m_received.left(maxChars);
            m_received.remove(0, maxChars);
            return PORT_OK;
        }
        const qint64 left = deadline - Clock();
        if (left <= 0) {
            line = m_received;
            m_received.clear();
            return PORT_BUFFER_EMPTY;
        }
        const int result = Fetch(left);
        if (result < 0)
            return result;
    }
}

int CPort::ReadBufferTimed(QByteArray& buffer, int maxChars, int timeoutMs) {
    buffer.clear();
    if (OpenStatus() < 0)
        return OpenStatus();
    const qint64 deadline = Clock() + timeoutMs;
    for (;;) {
        if (m_received.size() >= maxChars) {
            buffer = m_received.left(maxChars);
            m_received.remove(0, maxChars);
            return PORT_OK;
        }
        const qint64 left = deadline - Clock();
        if (left <= 0) {
            buffer = m_received;
            m_received.clear();
            return PORT_BUFFER_EMPTY;
        }
        const int result = Fetch(left);
        if (result < 0)
            return result;
    }
}

void CPort::ClearRXBuffer() {
    if (OpenStatus() < 0)
        return;
    Fetch(0);
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
    for (qint64 left = ms; left > 0; left = deadline - Clock()) {
        if (OpenStatus() < 0 || Fetch(left) < 0)
            break;
    }
}

void CPort::RunIdle() {
    if (m_idle)
        m_idle();
}
