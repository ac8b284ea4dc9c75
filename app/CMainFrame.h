// CMainFrame: the main window. It owns the configuration image for the whole run (filled
// from "karvo.def", in the working folder or else the data folder, when it is built), the
// document and the view, the menus, toolbar and accelerators of its language, and the COM
// port choice, which it restores from the profile at creation and stores there when it is
// destroyed.
//
// Every command, from menu, toolbar or accelerator, goes through ExecuteCommand, which
// offers it to the view, the document, the frame and the application in turn. The frame
// itself runs the setup dialogs, the device commands, the comparisons and the COM port
// toggles.
//
// It also keeps the undo history of the image: each change of the image by a setup
// dialog's OK or by Read device is one step; Open and New start a new history.
#pragma once

#include "app/CCommandTarget.h"
#include "app/CComparisonWindow.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <utility>
#include <vector>

class CE2prom;
class CKarvoDoc;
class CKarvoView;
class CSetupDialog;
class QAction;
class QMenu;
class QPrinter;
class QToolBar;
class QUndoStack;
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
    QToolBar* ToolBar() { return m_toolBar; }
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
    // A command's status prompt, which says when it is available.
    static QString CommandPrompt(int id);

    // The undo history of the image.
    QUndoStack& History() { return *m_history; }
    // Makes the change of the image since before one undo step named name, when it
    // changed any byte.
    void RecordImageChange(const QString& name, const IMAGE_STATE& before);
    // The image as it is now is the setup the overview counts changes from.
    void SetBaseline();
    // Compares the image with other (named otherName) and shows the comparison window.
    void ShowComparison(CE2prom& other, const QString& otherName);
    // The comparison window shown last, while it is open.
    CComparisonWindow* Comparison() const { return m_comparison; }

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
    void LoadDefaultSetup();
    void BuildMenus();
    void BuildToolBar();
    void BuildAccelerators();
    void RestorePortChoice();
    QAction* MakeAction(int id);
    QAction* MakeMenuBarItem(int id);
    void OnAccelerator(int id);
    void TogglePort(int port);
    void RunSetupCommand(int id);
    void UpdateTitle();
    void AddFileItems(QMenu* menu, int after);
    void AddEditMenu();
    void UpdateUndoTexts();
    void CompareWithFile();
    void StartNewHistory();
    void MarkHistorySaved();
    void StepHistory(bool back);

    int m_resourceId;
    CCommandTarget* m_application;
    SetupDialogSource m_dialogs;
    std::unique_ptr<CE2prom> m_image;
    std::unique_ptr<QPrinter> m_printer; // made at the first use
    int m_selectedPort = -1;             // port index 0 to 3; -1 while no port is selected
    QToolBar* m_toolBar = nullptr;
    std::unique_ptr<CKarvoDoc> m_document;
    CKarvoView* m_view = nullptr;
    std::map<int, QAction*> m_actions; // shared by menus and toolbar
    QUndoStack* m_history = nullptr;   // a Qt child
    bool m_savedInHistory = false;     // the setup was saved since the history began
    QPointer<CComparisonWindow> m_comparison;
    // Top-level menu bar items: a menu bar would show a toolbar icon instead of the text,
    // so these get actions of their own for the same commands.
    std::vector<std::pair<int, QAction*>> m_menuBarItems;
};
