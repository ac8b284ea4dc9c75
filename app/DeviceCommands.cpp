#include "app/DeviceCommands.h"

// The device link has not been built into this program yet.
bool HasDeviceCommands() { return false; }

void RunWriteDeviceCommand(CMainFrame&) {}
void RunReadDeviceCommand(CMainFrame&) {}
void RunDeviceInformationCommand(CMainFrame&) {}
