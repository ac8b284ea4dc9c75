// The link settings every device command opens a port with (9600 baud, 8N1, CR, nine
// attempts), for the port tests.
#pragma once

#include "core/image/CLinkSettings.h"

inline CLinkSettings UnitSettings(int portIndex = 0) {
    CLinkSettings settings;
    settings.lineTerminator = 13;
    settings.portIndex = portIndex;
    settings.baudRate = 9600;
    settings.parity = 'N';
    settings.dataBits = 8;
    settings.stopBits = 1;
    settings.attemptLimit = 9;
    return settings;
}
