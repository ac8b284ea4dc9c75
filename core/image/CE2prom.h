// CE2prom: the configuration image, the in-memory copy of the unit's 211 E2PROM bytes
// (addresses 0 to 210), with its modified flag, the serial link settings the device
// commands use, and the identity of the unit last connected.
//
// One instance per run, owned by the main frame; everything else holds a plain pointer.
// The modified flag is set by every SetByte/SetWord (even when the value does not change)
// and cleared by a completed SaveSRecords; undo and redo put it back with SetModified.
// Words are big-endian: the high byte at the address, the low byte at address + 1.
#pragma once

#include "core/image/CLinkSettings.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

class CE2prom {
public:
    static constexpr unsigned IMAGE_SIZE = 211;
    static constexpr int NAME_FIELD = 20; // software name, zero included
    static constexpr int DATE_FIELD = 52; // software date, zero included

    CE2prom();
    CE2prom(const CE2prom&) = delete;
    CE2prom& operator=(const CE2prom&) = delete;

    // Addresses outside the image read as 0 and are never written.
    std::uint8_t GetByte(int address) const;
    void SetByte(int address, std::uint8_t value);
    std::int16_t GetWord(int address) const;
    void SetWord(int address, std::int16_t value);

    unsigned GetSize() const { return IMAGE_SIZE; }
    bool IsModified() const { return m_modified; }
    // Puts the modified flag back as an undone or redone change found it.
    void SetModified(bool modified) { m_modified = modified; }

    // The 211 bytes as they stand.
    QByteArray Bytes() const;
    // Replaces the bytes at once (a read from the unit); the modified flag is untouched.
    // Only the first 211 bytes of data count; a shorter array leaves the rest as it was.
    void ReplaceBytes(const QByteArray& data);

    void SetLinkSettings(int lineTerminator, int portIndex, int baudRate, char parity, int dataBits,
                         int stopBits, int attemptLimit);
    const CLinkSettings& LinkSettings() const { return m_link; }

    // Identity of the unit last connected. Texts longer than their fields (19 and 51
    // characters) are cut.
    void SetDeviceIdentity(const QByteArray& name, const QByteArray& date, int major, int minor);
    QByteArray DeviceSoftwareName() const { return m_softwareName; }
    QByteArray DeviceSoftwareDate() const { return m_softwareDate; }
    int DeviceMajorVersion() const { return m_major; }
    int DeviceMinorVersion() const { return m_minor; }
    // 1 when the stored name equals name exactly and the major version matches, else 0.
    int CheckDeviceIdentity(const QByteArray& name, int major) const;

    // Loads an S-record file: 1 loaded up to an S8/S9 record, 0 the file cannot be opened,
    // -1 an unsupported record type (named in unsupportedType, e.g. "S2", when given).
    // Format faults raise CE2Error 4, checksum faults 5. Only a load that returns 1
    // changes the image; the modified flag is never touched.
    int LoadSRecords(const QString& path, QByteArray* unsupportedType = nullptr);
    // The same for the text of a file.
    int LoadSRecordText(const QByteArray& text, QByteArray* unsupportedType = nullptr);
    // Saves addresses 1 to 210 as S1 records and S9; returns 1. Written through a
    // temporary file renamed over the target, or in place when the folder takes no new
    // file. CE2Error 1 when the folder does not exist, 7 with the reason (permission, disk
    // full) when the file cannot be written; then the modified flag stays as it was.
    int SaveSRecords(const QString& path);

private:
    std::array<std::uint8_t, IMAGE_SIZE> m_data{};
    bool m_modified = false;
    QByteArray m_softwareName;
    QByteArray m_softwareDate;
    int m_major = 0;
    int m_minor = 0;
    CLinkSettings m_link;
};
