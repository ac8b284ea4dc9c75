#include "core/link/CDumpReceiver.h"

#include "core/image/SRecords.h"

namespace {

// The dump is received into an area addressed modulo 8192.
constexpr int RECEIVE_AREA_SIZE = 10000;
constexpr int ADDRESS_MASK = 0x1FFF;

// A letter, digit or punctuation mark: a printable ASCII character other than blank.
bool IsGraphic(char c) {
    return c > ' ' && c < 127;
}

// The first word of a received line (NUL bytes read as blanks), cut at the first
// character that is neither a letter, a digit nor a punctuation mark.
QByteArray RecordToken(QByteArray line) {
    line.replace('\0', ' ');
    int start = 0;
    while (start < line.size() && IsBlankChar(line[start]))
        ++start;
    int end = start;
    while (end < line.size() && IsGraphic(line[end]))
        ++end;
    return line.mid(start, end - start);
}

// True when nothing but white space (or NUL bytes) follows the first word token of line.
bool OnlyBlanksAfter(const QByteArray& line, const QByteArray& token) {
    const qsizetype at = line.indexOf(token);
    for (qsizetype i = at + token.size(); i < line.size(); ++i)
        if (line[i] != '\0' && !IsBlankChar(line[i]))
            return false;
    return true;
}

bool AllHexDigits(QByteArrayView text) {
    for (char c : text)
        if (!IsHexDigit(c))
            return false;
    return true;
}

// Decodes an S1 token: "S1", the count, the address, count - 3 data bytes and the checksum,
// all in hexadecimal digits of either case. Broken when a character is not a hexadecimal
// digit, the count is below 3, or the token is longer or shorter than its count asks for;
// BadChecksum when only the checksum does not hold.
CDumpReceiver::Line DecodeRecord(const QByteArray& token, int& address, QByteArray& data) {
    using Line = CDumpReceiver::Line;
    if (token.size() < 4 || !AllHexDigits(QByteArrayView(token).sliced(2)))
        return Line::Broken;
    const int count = LeadingHexValue(token.mid(2, 2));
    if (count < 3 || token.size() != 4 + 2 * count)
        return Line::Broken;
    QByteArray fields; // count, address and data, as the checksum covers them
    for (int i = 2; i < token.size() - 2; i += 2)
        fields.append(char(LeadingHexValue(token.mid(i, 2))));
    address = (std::uint8_t(fields[1]) << 8) | std::uint8_t(fields[2]);
    data = fields.mid(3);
    const bool sumHolds = LeadingHexValue(token.right(2)) == SRecordChecksum(fields);
    return sumHolds ? Line::Record : Line::BadChecksum;
}

// An end record as the unit sends it: "S9", count 03, any address and its checksum.
bool IsEndRecord(const QByteArray& token) {
    int address = 0;
    QByteArray data;
    return token.size() == 10 && token.mid(2, 2) == "03" &&
           DecodeRecord("S1" + token.mid(2), address, data) == CDumpReceiver::Line::Record;
}

} // namespace

CDumpReceiver::CDumpReceiver(const QByteArray& image)
    : m_size(int(image.size())), m_area(RECEIVE_AREA_SIZE, '\0'),
      m_arrived(RECEIVE_AREA_SIZE, false) {
    m_area.replace(0, m_size, image);
}

CDumpReceiver::Line CDumpReceiver::Take(const QByteArray& line) {
    m_record.clear();
    const QByteArray token = RecordToken(line);
    if (!token.startsWith("S1") && !token.startsWith("S9"))
        return Line::Other;
    if (token[1] == '9') {
        m_endToken = token;
        return Line::End;
    }
    // A record line holds its record and nothing else: text after it is a second line
    // whose line end was lost, or a line end that was damaged.
    const Line decoded = DecodeRecord(token, m_address, m_record);
    return OnlyBlanksAfter(line, token) ? decoded : Line::Broken;
}

bool CDumpReceiver::Store() {
    const int offset = m_address & ADDRESS_MASK;
    for (int i = 0; i < m_record.size(); ++i)
        if (m_arrived[offset + i] && m_area[offset + i] != m_record[i])
            return false;
    m_area.replace(offset, int(m_record.size()), m_record);
    for (int i = 0; i < m_record.size(); ++i)
        m_arrived[offset + i] = true;
    return true;
}

CDumpReceiver::Ending CDumpReceiver::Finish(QByteArray& dump, QList<int>& missing) const {
    if (!IsEndRecord(m_endToken))
        return Ending::EndBroken;
    for (int a = 1; a < m_size; ++a) // address 0 is never part of a dump
        if (!m_arrived[a])
            missing.append(a);
    if (!missing.isEmpty())
        return Ending::Incomplete;
    dump = m_area.left(m_size);
    return Ending::Whole;
}
