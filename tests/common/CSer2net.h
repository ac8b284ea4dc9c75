// ser2net (Debian's package) on loopback in front of one serial device, with a raw TCP, an
// RFC 2217 and a plain Telnet accepter on free ports, configured by a YAML file in folder;
// stopped when destroyed.
//
// ser2net counts as started once it listens on both ports itself, as the kernel's table of
// sockets shows. No connection is made to find that out: each connection makes ser2net
// open the device, and for a moment after it ends the device stays busy, so a probe would
// have the first connection of a test refused ("Port's device already in use"). A port
// another program took in the meantime is given up and two new ones are tried.
#pragma once

#include <QProcess>
#include <QString>

class CSer2net {
public:
    CSer2net(const QString& device, const QString& folder);
    ~CSer2net();
    // True once the accepters take connections.
    bool Started() const { return m_started; }
    QString RawAddress() const;    // socket://127.0.0.1:PORT
    QString TelnetAddress() const; // rfc2217://127.0.0.1:PORT
    // rfc2217://127.0.0.1:PORT of the Telnet accepter without COM port control.
    QString PlainTelnetAddress() const;
    quint16 RawPort() const { return m_rawPort; }

    // A TCP port nothing listens on at this moment.
    static quint16 FreePort();

private:
    // Starts ser2net on three new free ports; true once it listens on all of them.
    bool Start(const QString& device, const QString& folder);
    bool Listens(quint16 port) const;

    QProcess m_process;
    quint16 m_rawPort = 0;
    quint16 m_telnetPort = 0;
    quint16 m_plainTelnetPort = 0;
    bool m_started = false;
};
