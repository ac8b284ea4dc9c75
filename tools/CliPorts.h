// karvo-cli ports: the ports a unit may be on, as Configuration > Find unit... lists them.
#pragma once

struct CCliCommand;

// ports [--probe]: one line per serial port the system lists and per COM setting, fields
// apart by tabs: device, COM ports naming it (or "-"), description (or "-"), and with
// --probe the unit's identity or "no answer". Always CLI_OK.
int CliPorts(const CCliCommand& command);
