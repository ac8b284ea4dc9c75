// The serial device behind each of the four COM port choices.
//
// COM 1 to COM 4 stay the program's four choices (port index 0 to 3); each maps to a
// device name kept in the profile, section "Communication", entries "Port1" to "Port4",
// so that a technician can point COM 1 at a USB adapter. Without an entry the name is
// COM1 to COM4 on Windows and /dev/ttyS0 to /dev/ttyS3 elsewhere. The chosen port index
// is kept in the same section, entry "Comport". This file is the only reader and writer
// of these entries.
#pragma once

#include <QString>

constexpr int COM_PORT_COUNT = 4;

// The port index the profile holds ("Comport"): 0 to 3; anything else, or no entry, is 0.
int StoredComPortIndex();
void StoreComPortIndex(int portIndex);

// The device name the profile holds for a port index, trimmed; empty when the entry is
// missing or blank. Unlike ComPortDeviceName it never writes the profile.
QString StoredComPortDeviceName(int portIndex);
void StoreComPortDeviceName(int portIndex, const QString& deviceName);

// Whether Write device reads the unit back to confirm what it wrote: entry
// "VerifyAfterWriting" of the same section, 1 (the default) or 0.
bool StoredVerifyAfterWriting();
void StoreVerifyAfterWriting(bool verify);
// Whether Read device (and Compare with device) confirms a read with a second dump: entry
// "ConfirmReads" of the same section, 1 (the default) or 0.
bool StoredConfirmReads();
void StoreConfirmReads(bool confirm);

// The built-in device name of a port index; an index outside 0 to 3 counts as COM 1.
QString DefaultComPortDeviceName(int portIndex);

// The device name of a port index: the environment variable KARVO_COM1 to KARVO_COM4
// when set (for one run, the profile untouched), else as the profile gives it. A missing or blank
// entry gives the built-in name, which is then written to the profile so that the technician finds
// the entry to change.
QString ComPortDeviceName(int portIndex);
