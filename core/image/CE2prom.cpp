#include "core/image/CE2prom.h"

namespace {
bool InImage(int address) {
    return address >= 0 && address < int(CE2prom::IMAGE_SIZE);
}
} // namespace

CE2prom::CE2prom() = default;

std::uint8_t CE2prom::GetByte(int address) const {
    return InImage(address) ? m_data[address] : 0;
}

void CE2prom::SetByte(int address, std::uint8_t value) {
    m_modified = true;
    if (InImage(address))
        m_data[address] = value;
}

std::int16_t CE2prom::GetWord(int address) const {
    return std::int16_t((GetByte(address) << 8) | GetByte(address + 1));
}

void CE2prom::SetWord(int address, std::int16_t value) {
    const auto v = std::uint16_t(value);
    SetByte(address, std::uint8_t(v >> 8));
    SetByte(address + 1, std::uint8_t(v & 0xFF));
}

QByteArray CE2prom::Bytes() const {
    return QByteArray(reinterpret_cast<const char*>(m_data.data()), int(m_data.size()));
}

void CE2prom::ReplaceBytes(const QByteArray& data) {
    const int n = std::min<int>(data.size(), IMAGE_SIZE);
    for (int i = 0; i < n; ++i)
        m_data[i] = std::uint8_t(data[i]);
}

void CE2prom::SetLinkSettings(int lineTerminator, int portIndex, int baudRate, char parity,
                              int dataBits, int stopBits, int attemptLimit) {
    m_link.lineTerminator = lineTerminator;
    m_link.portIndex = portIndex;
    m_link.baudRate = baudRate;
    m_link.parity = parity;
    m_link.dataBits = dataBits;
    m_link.stopBits = stopBits;
    m_link.attemptLimit = attemptLimit;
}

void CE2prom::SetDeviceIdentity(const QByteArray& name, const QByteArray& date, int major,
                                int minor) {
    m_softwareName = name.left(NAME_FIELD - 1);
    m_softwareDate = date.left(DATE_FIELD - 1);
    m_major = major;
    m_minor = minor;
}

int CE2prom::CheckDeviceIdentity(const QByteArray& name, int major) const {
    return (m_softwareName == name && m_major == major) ? 1 : 0;
}
