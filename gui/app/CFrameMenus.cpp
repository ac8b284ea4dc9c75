#include "gui/app/CFrameMenus.h"

#include "gui/app/AddedMenus.h"
#include "gui/shell/ShellResources.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <QShortcut>
#include <QToolBar>

namespace {

// The halves of a command string: the status prompt and the tooltip.
QString CommandStringPart(int id, int part) {
    const char* text = CommandString(id);
    if (!text)
        return QString();
    return QString::fromUtf8(text).section('\n', part, part);
}

} // namespace

CFrameMenus::CFrameMenus(QMainWindow& window, int resourceId, HOOKS hooks)
    : m_window(window), m_resourceId(resourceId), m_hooks(std::move(hooks)) {
    BuildMenus();
    BuildToolBar();
    BuildAccelerators();
}

QAction* CFrameMenus::Action(int id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CFrameMenus::Update(const std::function<bool(int id)>& enabled,
                         const std::function<std::optional<bool>(int id)>& checked) {
    for (const auto& [id, action] : m_actions) {
        action->setEnabled(enabled(id));
        if (const std::optional<bool> check = checked(id))
            action->setChecked(*check);
    }
    for (const auto& [id, action] : m_menuBarItems)
        action->setEnabled(enabled(id));
}

QAction* CFrameMenus::MakeAction(int id) {
    if (QAction* existing = Action(id))
        return existing;
    const char* text = MenuText(m_resourceId, id);
    auto* action =
        new QAction(text ? QString::fromUtf8(text) : AddedMenuText(m_resourceId, id), &m_window);
    action->setToolTip(CommandStringPart(id, 1));
    action->setWhatsThis(CommandStringPart(id, 0));
    action->setIconVisibleInMenu(false);
    action->setCheckable(m_hooks.checkable(id));
    QObject::connect(action, &QAction::triggered, &m_window, [this, id] { m_hooks.execute(id); });
    m_actions[id] = action;
    return action;
}

QAction* CFrameMenus::MakeMenuBarItem(int id) {
    const char* text = MenuText(m_resourceId, id);
    auto* action = new QAction(text ? QString::fromUtf8(text) : QString(), &m_window);
    action->setWhatsThis(CommandStringPart(id, 0));
    QObject::connect(action, &QAction::triggered, &m_window, [this, id] { m_hooks.execute(id); });
    m_menuBarItems.emplace_back(id, action);
    return action;
}

QMenu* CFrameMenus::AddMenu(QMenu* parent, const QString& title) {
    QMenu* menu = parent ? parent->addMenu(title) : m_window.menuBar()->addMenu(title);
    QObject::connect(menu, &QMenu::aboutToShow, &m_window, [this] { m_hooks.aboutToShow(); });
    return menu;
}

void CFrameMenus::BuildMenus() {
    std::vector<QMenu*> open;
    for (int i = 0; i < MENU_STRUCTURE_COUNT; ++i) {
        const MENU_ENTRY& entry = MENU_STRUCTURE[i];
        switch (entry.kind) {
        case MenuEntryKind::Popup:
            open.push_back(AddMenu(open.empty() ? nullptr : open.back(),
                                   QString::fromUtf8(MenuText(m_resourceId, entry.id))));
            break;
        case MenuEntryKind::EndPopup:
            open.pop_back();
            if (open.empty() && m_window.menuBar()->actions().size() == 1)
                AddEditMenu(); // right after the File menu
            break;
        case MenuEntryKind::Separator:
            open.back()->addSeparator();
            break;
        case MenuEntryKind::Command:
            if (open.empty()) {
                m_window.menuBar()->addAction(MakeMenuBarItem(entry.id));
            } else {
                open.back()->addAction(MakeAction(entry.id));
                AddItemsAfter(open.back(), entry.id);
            }
            break;
        }
    }
}

// Adds Karvo's own items that follow the item after, and those that follow them, as a
// group of their own behind a separator, so the menu's separators stay where they are.
void CFrameMenus::AddItemsAfter(QMenu* menu, int after) {
    bool first = true;
    for (const ADDED_COMMAND& item : AddedCommands()) {
        if (item.after == IN_EDIT_MENU || item.after != after)
            continue;
        if (std::exchange(first, false))
            menu->addSeparator();
        menu->addAction(MakeAction(item.id));
        after = item.id;
    }
}

void CFrameMenus::AddEditMenu() {
    QMenu* menu = AddMenu(nullptr, MenuLanguageText(m_resourceId, EDIT_MENU_TITLE));
    int count = 0;
    const ACCELERATOR* table = Accelerators(m_resourceId, count);
    for (const ADDED_COMMAND& item : AddedCommands()) {
        if (item.after != IN_EDIT_MENU)
            continue;
        QAction* action = MakeAction(item.id);
        // Keys the language's accelerators already send to the command stay with them;
        // two shortcuts on one key would cancel each other out.
        QList<QKeySequence> keys = AddedCommandKeys(item.id);
        for (int i = 0; i < count; ++i)
            keys.removeAll(QKeySequence::fromString(QString::fromLatin1(table[i].keys),
                                                    QKeySequence::PortableText));
        action->setShortcuts(keys);
        menu->addAction(action);
    }
}

void CFrameMenus::BuildToolBar() {
    m_toolBar = new QToolBar(&m_window);
    m_toolBar->setObjectName(QStringLiteral("toolbar"));
    m_toolBar->setIconSize(QSize(16, 15));
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    for (int i = 0; i < TOOLBAR_LAYOUT_COUNT; ++i) {
        const int id = TOOLBAR_LAYOUT[i];
        if (id == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* action = MakeAction(id);
        action->setIcon(ToolbarIcon(id));
        m_toolBar->addAction(action);
        m_toolBar->widgetForAction(action)->setAccessibleName(action->toolTip());
    }
    m_window.addToolBar(Qt::TopToolBarArea, m_toolBar);
}

void CFrameMenus::BuildAccelerators() {
    int count = 0;
    const ACCELERATOR* table = Accelerators(m_resourceId, count);
    for (int i = 0; i < count; ++i) {
        const int id = table[i].id;
        auto* shortcut = new QShortcut(QKeySequence::fromString(QString::fromLatin1(table[i].keys),
                                                                QKeySequence::PortableText),
                                       &m_window);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, &m_window,
                         [this, id] { m_hooks.execute(id); });
    }
}
