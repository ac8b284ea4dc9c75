#include "core/link/CScriptedPort.h"

#include <algorithm>

void CScriptedPort::SetDefaultBufferSize(int receiveSize, int transmitSize) {
    m_bufferSizes = {receiveSize, transmitSize};
}

int CScriptedPort::Open(const CLinkSettings& settings) {
    ++m_openCount;
    m_openedWith = settings;
    m_openStatus = m_openResult;
    m_isOpen = m_openStatus >= 0;
    m_received.clear();
    return m_openStatus;
}

void CScriptedPort::Close() {
    if (m_openStatus != PORT_NOT_SETUP)
        ++m_closeCount;
    m_openStatus = PORT_NOT_SETUP;
    m_isOpen = false;
    m_received.clear();
}

int CScriptedPort::IsTXBusy() {
    ++m_busyQueries;
    if (m_busyLeft > 0) {
        --m_busyLeft;
        return 1;
    }
    return 0;
}

int CScriptedPort::WriteStringTimed(const QByteArray& text, char terminator, int timeoutMs) {
    if (const int failure = InjectedFailure(PortCall::Write))
        return failure;
    return CPort::WriteStringTimed(text, terminator, timeoutMs);
}

int CScriptedPort::ReadStringTimed(QByteArray& line, int maxChars, char terminator, int timeoutMs) {
    if (const int failure = InjectedFailure(PortCall::ReadString)) {
        line.clear();
        return failure;
    }
    return CPort::ReadStringTimed(line, maxChars, terminator, timeoutMs);
}

int CScriptedPort::ReadBufferTimed(QByteArray& buffer, int maxChars, int timeoutMs) {
    if (const int failure = InjectedFailure(PortCall::ReadBuffer)) {
        buffer.clear();
        return failure;
    }
    return CPort::ReadBufferTimed(buffer, maxChars, timeoutMs);
}

void CScriptedPort::Receive(const QByteArray& bytes, qint64 afterMs) {
    Schedule({m_now + afterMs, m_toProgram ? m_toProgram->Apply(bytes) : bytes, {}});
}

void CScriptedPort::After(qint64 afterMs, std::function<void()> action) {
    Schedule({m_now + afterMs, {}, std::move(action)});
}

int CScriptedPort::Fetch(qint64 waitMs) {
    qint64 target = m_now + waitMs;
    if (!m_timeline.isEmpty() && m_timeline.first().time < target)
        target = std::max(m_now, m_timeline.first().time);
    AdvanceTo(target);
    ++m_idleRuns;
    RunIdle();
    return PORT_OK;
}

int CScriptedPort::Send(const QByteArray& bytes, int) {
    const QByteArray text = bytes.chopped(1); // the terminator
    m_written.append(text);
    m_wire += bytes;
    m_busyLeft = m_busyAnswers;
    if (m_onWireWrite)
        m_onWireWrite(m_fromProgram ? m_fromProgram->Apply(bytes) : bytes);
    else if (m_onWrite)
        m_onWrite(text);
    return PORT_OK;
}

void CScriptedPort::Schedule(Event event) {
    const auto later =
        std::upper_bound(m_timeline.begin(), m_timeline.end(), event.time,
                         [](qint64 time, const Event& scheduled) { return time < scheduled.time; });
    m_timeline.insert(later, std::move(event));
}

void CScriptedPort::AdvanceTo(qint64 time) {
    while (!m_timeline.isEmpty() && m_timeline.first().time <= time) {
        Event event = m_timeline.takeFirst();
        m_now = std::max(m_now, event.time);
        if (event.action)
            event.action();
        else if (m_isOpen)
            m_received += event.bytes;
    }
    m_now = std::max(m_now, time);
}

int CScriptedPort::InjectedFailure(PortCall call) {
    const int nth = ++m_callCounts[int(call)];
    return m_failures.value({int(call), nth}, PORT_OK);
}
