// karvo-cli apply: brings a unit to a setup, one idempotent command per unit, so that a
// fleet is programmed from scripts, several units side by side.
#pragma once

struct CCliCommand;

// apply SETUP [PORT] [--json]: reads the unit; when it holds SETUP on addresses 1 to 210
// writes nothing and gives CLI_OK, otherwise writes SETUP (the write reads the unit back)
// and gives CLI_CHANGED when the unit now holds it. A failure gives the status info, read
// and write give for it. --json prints one line: port, identity, "unchanged", "changed"
// or "failed", the settings that differed, the seconds taken.
int CliApply(const CCliCommand& command);
