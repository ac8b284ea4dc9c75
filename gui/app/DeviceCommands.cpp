#include "gui/app/DeviceCommands.h"

#include "core/forms/SetupComparison.h"
#include "core/image/CE2prom.h"
#include "core/lang/CurrentLanguage.h"
#include "core/link/CError.h"
#include "core/link/CMessages.h"
#include "core/link/ComPortNames.h"
#include "core/link/PortFactory.h"
#include "gui/app/AddedMenus.h"
#include "gui/app/CFailureBoxesOnly.h"
#include "gui/app/CImageChangeCommand.h"
#include "gui/app/CKarvoDoc.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CSetupComparer.h"
#include "gui/dialogs/CProgressDlg.h"
#include "gui/shell/ShellResources.h"

namespace {

CPort* g_commandPort = nullptr;

// Runs a frame command with the port in use (the selected COM port's device) and keeps
// errors inside the command.
template <typename Command> void WithPort(CMainFrame& frame, Command command) {
    try {
        if (g_commandPort) {
            command(*g_commandPort);
        } else {
            const auto port = CreateDevicePort(DeviceForPort(frame.SelectedPortIndex()));
            command(*port);
        }
    } catch (const CError& error) {
        error.ReportError();
    }
}

} // namespace

void SetDeviceCommandPort(CPort* port) {
    g_commandPort = port;
}

CDeviceOutcome RunWriteDeviceCommand(QWidget* mainWindow, CE2prom& image, int portIndex,
                                     CPort& port, const QString& tracePath) {
    const MsgAnswer answer =
        Messages().Show(Tr(QStringLiteral("Are you sure?")), QStringLiteral("Karvo"),
                        MsgIcon::Question, MsgButtons::YesNo);
    if (answer != MsgAnswer::Yes)
        return {};
    CProgressDlg::Factory progress(mainWindow);
    SetSetupDifferenceNamer(NameSetupDifferences);
    return RunWriteDevice(image, portIndex, port, &progress, Messages(), tracePath,
                          StoredVerifyAfterWriting());
}

CDeviceOutcome RunReadDeviceCommand(QWidget* mainWindow, CE2prom& image, int portIndex,
                                    CPort& port) {
    CProgressDlg::Factory progress(mainWindow);
    return RunReadDevice(image, portIndex, port, &progress, Messages(), true, StoredConfirmReads());
}

CDeviceOutcome RunDeviceInformationCommand(QWidget* mainWindow, CE2prom& image, int portIndex,
                                           CPort& port) {
    CProgressDlg::Factory progress(mainWindow);
    return RunDeviceInformation(image, portIndex, port, &progress, Messages());
}

void RunWriteDeviceCommand(CMainFrame& frame) {
    WithPort(frame, [&](CPort& port) {
        if (RunWriteDeviceCommand(&frame, *frame.Image(), frame.SelectedPortIndex(), port).ok)
            frame.SetBaseline();
    });
}

void RunReadDeviceCommand(CMainFrame& frame) {
    // The answer does not stop the command: the read goes on either way.
    frame.Document()->SaveModified();
    const IMAGE_STATE before = ImageState(*frame.Image());
    WithPort(frame, [&](CPort& port) {
        if (!RunReadDeviceCommand(&frame, *frame.Image(), frame.SelectedPortIndex(), port).ok)
            return;
        frame.RecordImageChange(
            PlainMenuText(QString::fromUtf8(MenuText(frame.ResourceId(), ID_READ_DEVICE))), before);
        frame.SetBaseline();
    });
}

void RunCompareDeviceCommand(CMainFrame& frame) {
    CE2prom unit;
    WithPort(frame, [&](CPort& port) {
        CProgressDlg::Factory progress(&frame);
        // The comparison is the outcome of a good read: only a failure's box is shown.
        CFailureBoxesOnly boxes;
        if (!boxes.Release(RunReadDevice(unit, frame.SelectedPortIndex(), port, &progress, boxes,
                                         false, StoredConfirmReads())))
            return;
        frame.Comparer().Show(unit, Tr(QStringLiteral("The unit")),
                              Tr(QStringLiteral("Comparison with the unit")));
    });
}

void RunDeviceInformationCommand(CMainFrame& frame) {
    WithPort(frame, [&](CPort& port) {
        RunDeviceInformationCommand(&frame, *frame.Image(), frame.SelectedPortIndex(), port);
    });
}
