// S-record files: LoadSRecords and SaveSRecords of CE2prom.
//
// Reading follows the record walk the unit's files have always been read with: leading
// words that are not S-records are skipped, S0 headers are skipped, S1 records are
// loaded (address taken modulo 0x2000), S8/S9 end the load, any other type stops it.
// The load works on a scratch copy that replaces the image only when the load succeeds,
// so a damaged file never leaves a mix of two setups behind.
#include "image/CE2prom.h"
#include "image/SRecords.h"
#include "link/CError.h"

#include <QFile>
#include <QSaveFile>

namespace {

// Reads a file's text the way the record walk needs it: character by character, with
// the end of the file reported as -1.
class CRecordReader {
public:
    explicit CRecordReader(QByteArray text) : m_text(std::move(text)) {}

    int Get() { return m_pos < m_text.size() ? (unsigned char)m_text[m_pos++] : -1; }

    void SkipSpace() {
        while (m_pos < m_text.size() && IsBlankChar(m_text[m_pos]))
            ++m_pos;
    }

    // The next white-space-separated word; empty at the end of the file.
    QByteArray Word() {
        SkipSpace();
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && !IsBlankChar(m_text[m_pos]))
            ++m_pos;
        return m_text.mid(start, m_pos - start);
    }

    // Reads n characters and converts them as hexadecimal text, stopping at the first
    // character that is not a hexadecimal digit. Raises the format error at the end of
    // the file.
    unsigned HexGroup(int n) {
        if (m_pos + n > m_text.size())
            throw CE2Error(4);
        const unsigned value = unsigned(LeadingHexValue(QByteArrayView(m_text).sliced(m_pos, n)));
        m_pos += n;
        return value;
    }

    // Skips the rest of the current word; false when the file ends right here.
    bool SkipRestOfWord() {
        if (m_pos >= m_text.size())
            return false;
        while (m_pos < m_text.size() && !IsBlankChar(m_text[m_pos]))
            ++m_pos;
        return true;
    }

    void SkipLine() {
        while (m_pos < m_text.size() && m_text[m_pos++] != '\n') {
        }
    }

    void Rewind() { m_pos = 0; }

private:
    QByteArray m_text;
    qsizetype m_pos = 0;
};

// Loads one S1 record (after its "S1") into image; raises 4 or 5.
void LoadDataRecord(CRecordReader& in, std::array<std::uint8_t, CE2prom::IMAGE_SIZE>& image) {
    const unsigned count = in.HexGroup(2);
    if (count < 3)
        throw CE2Error(4);
    const unsigned address = in.HexGroup(4);
    // Count, address and data, as the checksum covers them (count is at most 255).
    std::array<char, 256> fields;
    fields[0] = char(count);
    fields[1] = char(address >> 8);
    fields[2] = char(address & 0xFF);
    const unsigned base = address & 0x1FFF;
    for (unsigned i = 0; i < count - 3; ++i) {
        const unsigned byte = in.HexGroup(2);
        fields[3 + i] = char(byte);
        if (base + i < CE2prom::IMAGE_SIZE)
            image[base + i] = std::uint8_t(byte);
    }
    const unsigned checksum = in.HexGroup(2);
    if (unsigned(SRecordChecksum(QByteArrayView(fields.data(), count))) != checksum)
        throw CE2Error(5);
    in.SkipLine();
}

} // namespace

int CE2prom::LoadSRecords(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    CRecordReader in(file.readAll());
    file.close();

    // Count the words before the first S-record; a file without one is not a setup.
    int skipped = 0;
    for (;;) {
        const QByteArray word = in.Word();
        if (word.isEmpty())
            throw CE2Error(4);
        if (IsSRecordLine(word))
            break;
        ++skipped;
    }
    in.Rewind();
    for (int i = 0; i < skipped; ++i)
        in.Word();

    std::array<std::uint8_t, IMAGE_SIZE> scratch = m_data;
    for (;;) {
        in.SkipSpace();
        const int first = in.Get();
        if (first < 0)
            throw CE2Error(4);
        const int type = in.Get();
        if (type < 0 || first != 'S')
            throw CE2Error(4);
        switch (type) {
        case '0':
            // The header is skipped unread, up to the next white space.
            if (!in.SkipRestOfWord())
                throw CE2Error(4);
            in.SkipSpace();
            break;
        case '1':
            LoadDataRecord(in, scratch);
            break;
        case '8':
        case '9':
            m_data = scratch;
            return 1;
        default:
            return -1;
        }
    }
}

int CE2prom::SaveSRecords(const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw CE2Error(1);
    const QByteArray text = SRecordLines(Bytes());
    if (file.write(text) != text.size() || !file.commit())
        throw CE2Error(1);
    m_modified = false;
    return 1;
}
