// The rows of ADDED_COMMANDS (app/AddedMenus.h): one per command Karvo adds to the menus.
#include "gui/app/AddedMenus.h"

#include "core/link/ComPortNames.h"
#include "gui/app/CCommLogWindow.h"
#include "gui/app/CFindUnitDlg.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CSetupComparer.h"
#include "gui/app/CSetupHistory.h"
#include "gui/app/DeviceCommands.h"
#include "gui/shell/ShellResources.h"
#include "gui/tones/CTonesWindow.h"

namespace {

// clang-format off
const ADDED_COMMAND ADDED_COMMANDS[] = {
    {ID_EDIT_UNDO, "&Undo", IN_EDIT_MENU,
     [](CMainFrame& f) { f.History().Undo(); },
     [](CMainFrame& f) { return f.History().CanUndo(); }, nullptr, "Ctrl+Z"},
    {ID_EDIT_REDO, "&Redo", IN_EDIT_MENU,
     [](CMainFrame& f) { f.History().Redo(); },
     [](CMainFrame& f) { return f.History().CanRedo(); }, nullptr, "Ctrl+Y; Ctrl+Shift+Z"},
    {ID_FILE_COMPARE_FILE, "Compare with file...", ID_DEVICE_INFORMATION,
     [](CMainFrame& f) { f.Comparer().CompareWithFile(); }},
    {ID_FILE_COMPARE_DEVICE, "Compare with device", ID_FILE_COMPARE_FILE,
     [](CMainFrame& f) { RunCompareDeviceCommand(f); }},
    {ID_FIND_UNIT, "Find unit...", ID_LANGUAGE,
     [](CMainFrame& f) { CFindUnitDlg(f.SelectedPortIndex(), &f).exec(); }},
    {ID_VERIFY_AFTER_WRITING, "&Verify after writing", ID_FIND_UNIT,
     [](CMainFrame&) { StoreVerifyAfterWriting(!StoredVerifyAfterWriting()); }, nullptr,
     [](CMainFrame&) { return StoredVerifyAfterWriting(); }},
    {ID_CONFIRM_READS, "Read &twice to confirm", ID_VERIFY_AFTER_WRITING,
     [](CMainFrame&) { StoreConfirmReads(!StoredConfirmReads()); }, nullptr,
     [](CMainFrame&) { return StoredConfirmReads(); }},
    {ID_VIEW_COMM_LOG, "Communication log", ID_VIEW_STATUS_BAR,
     [](CMainFrame& f) { CCommLogWindow::ShowFor(&f); }},
    // "&Tones" would share its key with "&Toolbar" in the English View menu.
    {ID_VIEW_TONES, "T&ones...", ID_VIEW_COMM_LOG,
     [](CMainFrame& f) { CTonesWindow::ShowFor(&f); }},
};
// clang-format on

} // namespace

std::span<const ADDED_COMMAND> AddedCommands() {
    return ADDED_COMMANDS;
}
