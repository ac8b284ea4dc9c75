// S-record files: LoadSRecords and SaveSRecords of CE2prom.
//
// Reading follows the record walk the unit's files have always been read with: leading
// words that are not S-records are skipped, S0 headers are skipped, S1 records are
// loaded (address taken modulo 0x2000), S8/S9 end the load, any other type stops it.
// S5 and S6 record counts, which common S-record tools write by default, are checked
// and skipped, and a UTF-8 byte order mark that an editor put first is passed over.
// The load works on a scratch copy that replaces the image only when the load succeeds,
// so a damaged file never leaves a mix of two setups behind.
//
// Saving goes through a temporary file renamed over the target; a folder that takes no
// new file (while the file itself may be written) gets the file written in place.
#include "core/image/CE2prom.h"
#include "core/image/SRecords.h"
#include "core/link/CError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// Checks and skips a record that carries no image bytes (S5, S6: a count of the records
// before it): its count covers addressBytes of count and the checksum; raises 4 or 5.
void SkipCountRecord(CRecordReader& in, unsigned addressBytes) {
    const unsigned count = in.HexGroup(2);
    if (count < addressBytes + 1)
        throw CE2Error(4);
    std::array<char, 256> fields;
    fields[0] = char(count);
    for (unsigned i = 1; i < count; ++i)
        fields[i] = char(in.HexGroup(2));
    if (unsigned(SRecordChecksum(QByteArrayView(fields.data(), count))) != in.HexGroup(2))
        throw CE2Error(5);
    in.SkipLine();
}

// "S" and the type character, printable whatever the file held.
QByteArray RecordTypeName(int type) {
    return QByteArray("S") + (type > ' ' && type < 127 ? char(type) : '?');
}

constexpr char UTF8_BOM[] = "\xEF\xBB\xBF";

// Writes text over the file at path without a temporary file; the file keeps its
// permissions and owner. Raises CE2Error 7 with the reason when it cannot.
void WriteInPlace(const QString& path, const QByteArray& text) {
    QFile file(path);
    // Opened without truncating, so a file that cannot be written stays whole.
    if (!file.open(QIODevice::ReadWrite))
        throw CE2Error(CE2Error::CANNOT_WRITE, file.errorString());
    if (file.write(text) != text.size() || !file.resize(text.size()) || !file.flush())
        throw CE2Error(CE2Error::CANNOT_WRITE, file.errorString());
}

} // namespace

int CE2prom::LoadSRecords(const QString& path, QByteArray* unsupportedType) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = file.readAll();
    file.close();
    return LoadSRecordText(text, unsupportedType);
}

int CE2prom::LoadSRecordText(const QByteArray& text, QByteArray* unsupportedType) {
    CRecordReader in(text.startsWith(UTF8_BOM) ? text.mid(3) : text);

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
        case '5':
            SkipCountRecord(in, 2);
            break;
        case '6':
            SkipCountRecord(in, 3);
            break;
        case '8':
        case '9':
            m_data = scratch;
            return 1;
        default:
            if (unsupportedType)
                *unsupportedType = RecordTypeName(type);
            return -1;
        }
    }
}

int CE2prom::SaveSRecords(const QString& path) {
    const QByteArray text = SRecordLines(Bytes());
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        if (file.write(text) != text.size() || !file.commit())
            throw CE2Error(CE2Error::CANNOT_WRITE, file.errorString());
    } else if (!QFileInfo(path).dir().exists()) {
        throw CE2Error(1);
    } else if (QFileInfo(path).isFile()) {
        // No temporary file can go into the folder; the file itself may still be writable.
        WriteInPlace(path, text);
    } else {
        throw CE2Error(CE2Error::CANNOT_WRITE, file.errorString());
    }
    m_modified = false;
    return 1;
}
