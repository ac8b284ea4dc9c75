// CUnitFinder: which port a unit is on. The candidates are every serial port the system
// lists (with its description) and the devices of the four COM settings (a COM setting
// naming a listed port adds to that port's entry); a probe runs the connection exchange
// of Device information on one candidate, without any message box, and keeps the unit's
// identity. A port with nothing that answers the connection within its first time-out
// (500 ms) costs that long. Core: Configuration > Find unit... and karvo-cli ports share it.
#pragma once

#include "core/link/SerialBackend.h"

#include <QList>
#include <QString>

class CProgressFactory;

struct UNIT_PORT {
    QString device;      // as stored for a COM port ("/dev/ttyUSB0", "rfc2217://site:4001")
    QString description; // as the system lists it; empty for a device it does not list
    QList<int> comPorts; // the COM settings (port indexes 0 to 3) naming this device
    bool probed = false;
    bool answered = false; // a unit answered the connection
    QString software;      // its identity when it answered
    QString version;       // "V2.6"
    QString date;

    // "RM4811 V2.6 15 Jun 1999 12:00", or "no answer" after a probe without one, or empty.
    QString Identity() const;
    // "COM 1, COM 3", or empty.
    QString ComPortsText() const;
};

// The listed ports in their order, then each COM setting's device that is not listed.
QList<UNIT_PORT> UnitPortCandidates(const QList<SERIAL_PORT_ENTRY>& listed);

// Runs the connection exchange on port.device and stores what answered. progress (may be
// null) pumps the window events and can cancel; a cancelled probe counts as not probed.
void ProbeUnitPort(UNIT_PORT& port, CProgressFactory* progress);
