#include "core/image/SRecords.h"

bool IsSRecordLine(const QByteArray& word) {
    if (word.isEmpty() || word[0] != 'S')
        return false;
    for (qsizetype i = 1; i < word.size(); ++i) {
        const char c = word[i];
        if (c == '\r' || c == '\n')
            continue;
        if (!IsHexDigit(c))
            return false;
    }
    return true;
}

std::uint8_t SRecordChecksum(QByteArrayView countAddressData) {
    unsigned sum = 0;
    for (char c : countAddressData)
        sum += std::uint8_t(c);
    return std::uint8_t(~sum & 0xFF);
}

QByteArray SRecordLine(int address, const QByteArray& data) {
    QByteArray fields;
    fields.append(char(data.size() + 3));
    fields.append(char(address >> 8));
    fields.append(char(address & 0xFF));
    fields.append(data);
    fields.append(char(SRecordChecksum(fields)));
    return "S1" + fields.toHex().toUpper();
}

QList<CRecordSlice> RecordSlices(const QByteArray& image) {
    QList<CRecordSlice> slices;
    for (int address = 1; address < image.size(); address += RECORD_BYTES)
        slices.append({address, image.mid(address, RECORD_BYTES)});
    return slices;
}

QByteArray SRecordLines(const QByteArray& image) {
    QByteArray out;
    for (const CRecordSlice& slice : RecordSlices(image))
        out += SRecordLine(slice.address, slice.data) + "\r\n";
    out += S9_RECORD;
    return out;
}
