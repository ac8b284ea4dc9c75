#include "tools/CVirtualUnit.h"

#include "core/image/SRecords.h"

namespace {

const QByteArray PROGRAMMING_PROMPT = "PROGRAMMING RM4811 V2";

// Two hexadecimal digits of a record at pos, or -1 when they are not hexadecimal.
int HexByte(const QByteArray& text, int pos) {
    bool ok = false;
    const int v = text.mid(pos, 2).toInt(&ok, 16);
    return ok && pos + 2 <= text.size() ? v : -1;
}

// Milliseconds that bytes take on a 9600-baud line (960 bytes a second), rounded up: a
// unit is never faster than its wire.
int WireMs(qsizetype bytes) {
    return int((bytes * 1000 + 959) / 960);
}

} // namespace

CVirtualUnit::CVirtualUnit(CUnitOptions options) : m_options(std::move(options)) {}

void CVirtualUnit::Send(QList<CUnitOutput>& out, QByteArray line, int delayMs, int waitMs) {
    // NUL bytes go where a unit's stray NULs do no harm: after the text of every line, and
    // inside the lines whose content nobody reads.
    if (m_options.nulBytes) {
        if (line == "OK" || line == "READY" || line == "ERASING BUFFER")
            line.insert(1, '\0');
        line.append('\0');
    }
    line.append('\r');
    // At 9600 baud the time on the wire stands for the unit's handling time as well.
    if (m_options.pacing)
        delayMs = WireMs(line.size());
    ++m_linesSent;
    out.append({delayMs + waitMs, line, m_linesSent == m_options.vanishAfterLines});
}

QList<CUnitOutput> CVirtualUnit::Receive(const QByteArray& bytes) {
    QList<CUnitOutput> out;
    if (m_options.stream) {
        // 100 characters at once and then every quarter second, for 500 seconds. Every
        // answer the program waits for (500 ms) thus comes in time, even on a busy machine.
        const QByteArray sentence =
            QByteArray("$GPGGA,120000.00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47")
                .leftJustified(98, ' ') +
            "\r\n";
        for (int i = 0; i < 2000 && !m_streaming; ++i)
            out.append({i == 0 ? 5 : 250, sentence});
        m_streaming = true;
        return out;
    }
    if (m_options.silent)
        return out;
    for (char c : bytes) {
        if (c != '\r') {
            m_pending.append(c);
            continue;
        }
        const QByteArray line = m_pending;
        m_pending.clear();
        ++m_linesReceived;
        if (m_options.silentAfterLines >= 0 && m_linesReceived > m_options.silentAfterLines)
            continue;
        if (m_options.everyOtherLine && m_linesReceived % 2 == 0)
            continue;
        // The line that the unit received travels at 9600 baud too.
        const int arrival = m_options.pacing ? WireMs(line.size() + 1) : 0;
        QList<CUnitOutput> answer;
        HandleLine(line, answer);
        if (!answer.isEmpty())
            answer.first().delayMs += arrival;
        out += answer;
    }
    return out;
}

QList<QByteArray> CVirtualUnit::DumpLines() const {
    QByteArray bytes = m_image.Bytes();
    if (m_options.varyEveryDump > 0 && m_dumps % m_options.varyEveryDump == 1 % m_options.varyEveryDump) {
        bytes[1] = char(bytes[1] + m_dumps);
        bytes[2] = char(bytes[2] - m_dumps);
    }
    QList<QByteArray> lines = SRecordLines(bytes).split('\n');
    for (QByteArray& l : lines)
        l = l.trimmed();
    if (m_options.badDumpRecord >= 1 && m_options.badDumpRecord <= lines.size() - 1) {
        QByteArray& bad = lines[m_options.badDumpRecord - 1];
        const int sum = HexByte(bad, bad.size() - 2);
        bad = bad.left(bad.size() - 2) +
              QByteArray::number((sum + 1) & 0xFF, 16).rightJustified(2, '0').toUpper();
    }
    const int doubled = m_options.doubledDumpRecord - 1;
    if (doubled >= 0 && doubled < lines.size() - 1) {
        // The first data byte of the record again, one higher, in a record of its own.
        const QByteArray& record = lines[doubled];
        const int address = (HexByte(record, 4) << 8) | HexByte(record, 6);
        lines.insert(doubled + 1, SRecordLine(address, QByteArray(1, char(HexByte(record, 8) + 1))));
    }
    lines.prepend("S00600004844521B"); // a header record, which readers skip
    return lines;
}

void CVirtualUnit::HandleLine(const QByteArray& raw, QList<CUnitOutput>& out) {
    const QByteArray line = raw.trimmed(); // the connection command starts with a line feed
    if (m_mode == Mode::Programming) {
        HandleRecord(line, out);
        return;
    }
    if (line == "VERIFY") {
        Send(out, "OK");
        QByteArray reply =
            "REPLY " + m_options.name + ' ' + m_options.version + ' ' + m_options.date;
        if (m_options.echo)
            reply = "VERIFY " + reply;
        Send(out, reply, 20);
        return;
    }
    if (m_options.busy && (line == "DUMPING" || line.startsWith("PROGRAMMING"))) {
        Send(out, "OK");
        for (int i = 0; i < 200; ++i)
            Send(out, "BUSY", 1000);
        return;
    }
    if (line == "DUMPING") {
        ++m_dumps;
        Send(out, "OK");
        if (m_options.floodBytes > 0) {
            out.append({5, QByteArray(m_options.floodBytes, 'x')});
            return;
        }
        if (m_options.longLine)
            Send(out, "NOTE " + QByteArray(90, '*'));
        for (const QByteArray& record : DumpLines())
            Send(out, record, 2);
        return;
    }
    if (line.startsWith("PROGRAMMING")) {
        Send(out, "OK");
        if (m_options.longLine)
            Send(out, "NOTE " + QByteArray(90, '*'));
        Send(out, "ERASING BUFFER", 20);
        Send(out, "READY", 20);
        Send(out, PROGRAMMING_PROMPT, 5);
        m_mode = Mode::Programming;
        m_received = m_image.Bytes();
        m_programmingVerdict.clear();
        return;
    }
    Send(out, "?");
}

// While programming: each record is answered; the S9 record ends the session with the
// verdict after the unit has stored what it received.
void CVirtualUnit::HandleRecord(const QByteArray& line, QList<CUnitOutput>& out) {
    Send(out, "OK", 2);
    if (line.startsWith("S9")) {
        m_mode = Mode::Idle;
        QByteArray verdict = m_options.verdict;
        if (verdict.isEmpty())
            verdict = m_programmingVerdict.isEmpty() ? "SAVED_OK" : m_programmingVerdict;
        int delay = 20;
        if (m_options.repeatReceivedOk) {
            for (int i = 0; i < 200; ++i)
                Send(out, "RECEIVED_OK", 1000);
            return;
        }
        if (m_options.receivedOk) {
            Send(out, "RECEIVED_OK", delay);
            delay = 0;
        }
        if (verdict.contains("SAVED_OK")) {
            if (m_options.corruptAddress >= 0 && m_options.corruptAddress < m_received.size())
                m_received[m_options.corruptAddress] = char(~m_received[m_options.corruptAddress]);
            m_image.ReplaceBytes(m_received);
            ++m_programCount;
        }
        Send(out, verdict, delay, m_options.saveDelayMs);
        return;
    }
    if (!line.startsWith("S1") || line.size() < 10) {
        m_programmingVerdict = "FORMAT ERROR!!!";
        return;
    }
    const int count = HexByte(line, 2);
    const int address = (HexByte(line, 4) << 8) | HexByte(line, 6);
    if (count < 3 || address < 0 || line.size() < 4 + 2 * count) {
        m_programmingVerdict = "FORMAT ERROR!!!";
        return;
    }
    QByteArray body;
    for (int i = 0; i < count; ++i) // count, address and data; the checksum follows
        body.append(char(HexByte(line, 2 + 2 * i)));
    if (SRecordChecksum(body) != HexByte(line, 2 + 2 * count)) {
        m_programmingVerdict = "CHECKSUM ERROR!!!";
        return;
    }
    if (address + count - 3 > int(CE2prom::IMAGE_SIZE)) {
        m_programmingVerdict = "ADDRESS ERROR!!!";
        return;
    }
    for (int i = 0; i < count - 3; ++i)
        m_received[address + i] = body[3 + i];
}
