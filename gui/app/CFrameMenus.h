// CFrameMenus: the main window's menus, toolbar and accelerators in the language of its
// menu resource: the menu bar of MENU_STRUCTURE with the Edit menu after File and Karvo's
// other added commands after the items they follow (the rows of app/AddedMenus.h), the toolbar of
// TOOLBAR_LAYOUT and the language's accelerators. There is one QAction per command,
// shared by the menus and the toolbar (Qt children of the window); every item, button and
// key runs its command through the function given. The commands' states are the frame's:
// Update shows them.
#pragma once

#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

class CFrameMenus {
public:
    struct HOOKS {
        std::function<void(int id)> execute;   // runs a command
        std::function<bool(int id)> checkable; // the command's item has a check mark
        std::function<void()> aboutToShow;     // a menu is about to open
    };

    CFrameMenus(QMainWindow& window, int resourceId, HOOKS hooks);

    // The menu and toolbar action of a command, or nullptr.
    QAction* Action(int id) const;
    QToolBar* ToolBar() const { return m_toolBar; }

    // Sets every item's enabled state, and its check mark where checked gives one.
    void Update(const std::function<bool(int id)>& enabled,
                const std::function<std::optional<bool>(int id)>& checked);

private:
    void BuildMenus();
    void BuildToolBar();
    void BuildAccelerators();
    QAction* MakeAction(int id);
    QAction* MakeMenuBarItem(int id);
    QMenu* AddMenu(QMenu* parent, const QString& title);
    void AddItemsAfter(QMenu* menu, int after);
    void AddEditMenu();

    QMainWindow& m_window;
    int m_resourceId;
    HOOKS m_hooks;
    QToolBar* m_toolBar = nullptr;     // a Qt child of the window
    std::map<int, QAction*> m_actions; // shared by menus and toolbar
    // Top-level menu bar items: a menu bar would show a toolbar icon instead of the text,
    // so these get actions of their own for the same commands.
    std::vector<std::pair<int, QAction*>> m_menuBarItems;
};
