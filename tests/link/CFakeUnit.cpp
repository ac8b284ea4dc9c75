#include "CFakeUnit.h"

#include "core/image/SRecords.h"

#include <algorithm>

CFakeUnit::CFakeUnit(CScriptedPort& port) : m_port(port) {
    m_port.OnWrite([this](const QByteArray& text) { OnLine(text); });
}

QList<QByteArray> CFakeUnit::DumpOf(const QByteArray& image) {
    QList<QByteArray> lines = {"S00600004844521B\r"};
    for (const QByteArray& line : SRecordLines(image).split('\n')) {
        const QByteArray record = line.trimmed();
        if (!record.isEmpty())
            lines.append(record + '\r');
    }
    return lines;
}

void CFakeUnit::OnLine(const QByteArray& text) {
    if (text.startsWith("S1") && ++m_recordsSeen == lostRecord)
        return; // lost on the way: never received, never answered
    ++m_lines;
    const bool answering = answerLines && (silentAfter < 0 || m_lines <= silentAfter);
    if (answering)
        m_port.Receive(text.startsWith("S1") && records.size() + 1 == doubledAnswerRecord
                           ? answer + answer.right(1)
                           : answer,
                       answerDelay);
    if (!answering && silentAfter >= 0)
        return;
    if (text == "\nVERIFY") {
        ++verifies;
        const QByteArray reply =
            replies.isEmpty() ? QByteArray() : replies[std::min(verifies, int(replies.size())) - 1];
        if (!reply.isEmpty())
            m_port.Receive(reply, replyDelay);
    } else if (text == "DUMPING") {
        ++dumpings;
        SendLines(dumps.isEmpty() ? dumpLines
                                  : dumps[std::min(dumpings, int(dumps.size())) - 1],
                  answerDelay);
    } else if (text.startsWith("PROGRAMMING")) {
        SendLines(promptLines, answerDelay);
    } else if (text.startsWith("S1")) {
        records.append(text);
    } else if (text.startsWith("S9")) {
        gotEndRecord = true;
        if (storesWrites)
            Store();
        for (const auto& [delay, line] : verdicts)
            m_port.Receive(line, answerDelay + delay);
    }
}

void CFakeUnit::Store() {
    // Each record received replaces the dump's record of the same address; a dump without
    // one gets it added before its end record.
    const auto addressOf = [](const QByteArray& line) { return line.mid(4, 4); };
    if (dumpLines.isEmpty())
        dumpLines = {"S00600004844521B\r", "S9030000FC\r"};
    for (const QByteArray& record : records) {
        auto held = std::find_if(dumpLines.begin(), dumpLines.end(), [&](const QByteArray& line) {
            return line.startsWith("S1") && addressOf(line) == addressOf(record);
        });
        if (held != dumpLines.end())
            *held = record + '\r';
        else
            dumpLines.insert(dumpLines.size() - 1, record + '\r');
    }
}

void CFakeUnit::SendLines(const QList<QByteArray>& lines, int firstDelay) {
    for (int i = 0; i < lines.size(); ++i)
        m_port.Receive(lines[i], firstDelay + (i + 1) * lineGap);
}
