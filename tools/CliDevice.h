// karvo-cli's device commands: info, read and write, over the same exchanges and texts
// as the main window's Device information, Read device and Write device.
#pragma once

#include <QStringList>

int CliInfo(const QStringList& args);
int CliRead(const QStringList& args);
int CliWrite(const QStringList& args);
