// The three device commands of the File menu (Write device, Read device, Device
// information), run by the main frame on its image with the selected COM port.
#pragma once

class CMainFrame;

// True when this build has the device commands; without them they stay disabled.
bool HasDeviceCommands();

void RunWriteDeviceCommand(CMainFrame& frame);
void RunReadDeviceCommand(CMainFrame& frame);
void RunDeviceInformationCommand(CMainFrame& frame);
