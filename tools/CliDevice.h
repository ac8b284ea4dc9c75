// karvo-cli's device commands: info, read and write, over the same exchanges and texts
// as the main window's Device information, Read device and Write device.
#pragma once

#include <memory>

struct CCliCommand;
struct CDeviceOutcome;
class CMessageService;
class CProgressFactory;

int CliInfo(const CCliCommand& command);
int CliRead(const CCliCommand& command);
int CliWrite(const CCliCommand& command);

// The exit status of a device command's outcome (writing: the outcome of a write), as
// info, read and write give it.
int CliDeviceStatus(const CDeviceOutcome& outcome, bool writing);
// Installs the command line's message service (error boxes to stderr, outcome boxes
// kept quiet) for the lifetime of the object returned.
std::unique_ptr<CMessageService> CliDeviceMessages();

// SIGINT and SIGTERM stop the device command under way (see CliStopRequested).
void InstallCliStopSignals();
// True once a stop signal came: the exchanges stop at their next wait and the command
// ends with status 11 (user aborted) without writing anything.
bool CliStopRequested();
// The progress of the device commands: a text line on stderr when shown, else nothing;
// both take a stop signal as Cancel.
std::unique_ptr<CProgressFactory> CliProgress(bool shown);
