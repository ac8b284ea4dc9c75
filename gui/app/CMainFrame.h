// CMainFrame: the main window. It owns the configuration image for the whole run (filled
// from "karvo.def", in the working folder or else the data folder, when it is built), the
// document and the view, the menus, toolbar and accelerators of its language
// (CFrameMenus), and the COM port choice, which it restores from the profile at creation
// and stores there when it is destroyed.
//
// Every command, from menu, toolbar or accelerator, goes through ExecuteCommand, which
// offers it to the view, the document, the frame and the application in turn. The frame
// wires its own commands in one table (WireCommands): each command's handler, and when it
// is enabled or checked. The capabilities live in classes of their own: the undo history
// (CSetupHistory), the comparisons (CSetupComparer), the device commands
// (DeviceCommands), the window's size and place (CWindowPlacement). A command Karvo adds
// to the menus is one row of ADDED_COMMANDS (app/AddedMenus.h), which the table takes in
// whole: its handler and its enabled and checked rules.
#pragma once

#include "core/forms/ReportSections.h"
#include "gui/app/CCommandTarget.h"

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <span>

class CE2prom;
class CFrameMenus;
class CKarvoDoc;
class CKarvoView;
class CSetupComparer;
class CSetupDialog;
class CSetupHistory;
class QAction;
class QPrinter;
class QToolBar;
struct IMAGE_STATE;

class CMainFrame : public QMainWindow, public CCommandTarget {
    Q_OBJECT
public:
    // Image address of the radio type, which decides full or half duplex.
    static constexpr int RADIO_TYPE_ADDRESS = 21;

    // Which setup dialogs exist and how each is built. The program uses the dialogs'
    // factory (SetupDialogFactory.h); tests put in their own.
    struct SetupDialogSource {
        std::function<bool(int commandId)> has;
        std::function<std::unique_ptr<CSetupDialog>(int commandId, CE2prom* image, bool readOnly,
                                                    QWidget* parent)>
            create;
        // The lines of a report section, as the dialog of its command would print them.
        std::function<QStringList(const REPORT_SECTION& section, CE2prom* image)> report;
    };
    static SetupDialogSource FactoryDialogs();

    // resourceId picks the menus and accelerators of a language (128 English, 164 French,
    // 172 German, 173 Spanish, 174 Italian). application receives the commands that
    // nothing in the frame handles; it may be null.
    explicit CMainFrame(int resourceId = 128, CCommandTarget* application = nullptr,
                        SetupDialogSource dialogs = FactoryDialogs());
    ~CMainFrame() override;

    CE2prom* Image() { return m_image.get(); }
    CKarvoDoc* Document() { return m_document.get(); }
    CKarvoView* View() { return m_view; }
    QToolBar* ToolBar();
    int ResourceId() const { return m_resourceId; }
    // How the setup dialogs are built (the report builds its sections the same way).
    const SetupDialogSource& Dialogs() const { return m_dialogs; }
    // The printer and page set-up of Print Setup, Print and Print Preview.
    QPrinter& Printer();

    // 0 for COM 1 ... 3 for COM 4; with no port selected, 0 (COM 1).
    int SelectedPortIndex() const;
    // True when COM port k (1 to 4) is selected.
    bool IsPortSelected(int port) const;
    // 0 for the simplex and semi-duplex radio types, 1 for every other value.
    int FullDuplex() const;

    // The setup commands in the order of the report's sections.
    static std::span<const int> SetupCommands();
    // Why a setup command is greyed, in the interface language.
    static QString UnavailableReason(int id);

    // The undo history of the image.
    CSetupHistory& History() { return *m_history; }
    // Makes the change of the image since before one undo step named name, when it
    // changed any byte.
    void RecordImageChange(const QString& name, const IMAGE_STATE& before);
    // The image as it is now is the setup the overview counts changes from.
    void SetBaseline();
    // The comparisons with a file or the unit.
    CSetupComparer& Comparer() { return *m_comparer; }

    // The menu and toolbar action of a command, or nullptr.
    QAction* CommandAction(int id) const;
    bool IsCommandEnabled(int id) const;

    // Runs a command as if chosen from the menu; a disabled command is ignored.
    void ExecuteCommand(int id);

    // Refreshes enabled and checked states of all menu items and toolbar buttons. Run
    // after every command and whenever a menu opens; call it after changing the image
    // from outside a command.
    void UpdateCommandUI();

    // Writes the COM port choice to the profile ("Communication"/"Comport").
    void StorePortChoice() const;

    bool OnCmdMsg(int id) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // What a command of the frame does, and when it is enabled or checked (empty: always
    // enabled, not checkable). A command without run is handled elsewhere (the view).
    struct COMMAND_WIRING {
        std::function<void()> run;
        std::function<bool()> enabled;
        std::function<bool()> checked;
    };
    void Wire(int id, std::function<void()> run, std::function<bool()> enabled = {},
              std::function<bool()> checked = {});
    void WireCommands();
    // An added command's rule bound to this frame; empty for none.
    std::function<bool()> FrameRule(bool (*rule)(CMainFrame&));
    const COMMAND_WIRING* Wiring(int id) const;

    void LoadDefaultSetup();
    void RestorePortChoice();
    void TogglePort(int port);
    void RunSetupCommand(int id);
    void UpdateTitle();

    int m_resourceId;
    CCommandTarget* m_application;
    SetupDialogSource m_dialogs;
    std::unique_ptr<CE2prom> m_image;
    std::unique_ptr<QPrinter> m_printer; // made at the first use
    int m_selectedPort = -1;             // port index 0 to 3; -1 while no port is selected
    std::unique_ptr<CFrameMenus> m_menus;
    std::unique_ptr<CKarvoDoc> m_document;
    CKarvoView* m_view = nullptr;
    std::map<int, COMMAND_WIRING> m_wiring;
    CSetupHistory* m_history = nullptr; // a Qt child
    std::unique_ptr<CSetupComparer> m_comparer;
};
