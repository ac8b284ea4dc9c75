// The device commands of the File menu (Write device, Read device, Device information,
// Compare with device), run by the main frame on its image with the selected COM port.
//
// Each runs one conversation with the unit on the user-interface thread, with a
// progress dialog that keeps the main window disabled meanwhile, and ends in one
// outcome box. Write device first asks "Are you sure?"; Read device first lets the
// document offer to save unsaved changes.
#pragma once

#include "core/link/DeviceCommandFrames.h"

#include <QString>

class CE2prom;
class CMainFrame;
class CPort;
class QWidget;

void RunWriteDeviceCommand(CMainFrame& frame);
void RunReadDeviceCommand(CMainFrame& frame);
void RunDeviceInformationCommand(CMainFrame& frame);
// Reads the unit into an image of its own, as Read device would but without the save
// question or a backup, and shows how the frame's image differs from it. The frame's image,
// its modified flag and its undo history stay as they are.
void RunCompareDeviceCommand(CMainFrame& frame);

// The port the frame's commands use instead of the serial port (not owned; tests put in
// a scripted one); nullptr restores the serial port of the selected COM port.
void SetDeviceCommandPort(CPort* port);

// The commands on an image, a port and the main window that the progress dialog keeps
// disabled. The frame's commands come here; tests may call them directly.
CDeviceOutcome RunWriteDeviceCommand(QWidget* mainWindow, CE2prom& image, int portIndex,
                                     CPort& port, const QString& tracePath = QString());
CDeviceOutcome RunReadDeviceCommand(QWidget* mainWindow, CE2prom& image, int portIndex,
                                    CPort& port);
CDeviceOutcome RunDeviceInformationCommand(QWidget* mainWindow, CE2prom& image, int portIndex,
                                           CPort& port);
