// karvo-cli's device commands: info, read and write, over the same exchanges and texts
// as the main window's Device information, Read device and Write device.
#pragma once

#include <memory>

struct CCliCommand;
struct CDeviceOutcome;
class CMessageService;

int CliInfo(const CCliCommand& command);
int CliRead(const CCliCommand& command);
int CliWrite(const CCliCommand& command);

// The exit status of a device command's outcome (writing: the outcome of a write), as
// info, read and write give it.
int CliDeviceStatus(const CDeviceOutcome& outcome, bool writing);
// Installs the command line's message service (error boxes to stderr, outcome boxes
// kept quiet) for the lifetime of the object returned.
std::unique_ptr<CMessageService> CliDeviceMessages();
