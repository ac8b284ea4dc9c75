// karvo-cli's device commands: info, read and write, over the same exchanges and texts
// as the main window's Device information, Read device and Write device.
#pragma once

struct CCliCommand;

int CliInfo(const CCliCommand& command);
int CliRead(const CCliCommand& command);
int CliWrite(const CCliCommand& command);
