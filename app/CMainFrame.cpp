#include "app/CMainFrame.h"

#include "app/AddedMenus.h"
#include "app/CComparisonWindow.h"
#include "app/CFileDialogs.h"
#include "app/CImageChangeCommand.h"
#include "app/CKarvoDoc.h"
#include "app/CKarvoView.h"
#include "app/CSerialPortsDlg.h"
#include "app/DeviceCommands.h"
#include "dialogs/CSetupDialog.h"
#include "dialogs/CTextSetup.h"
#include "dialogs/SetupComparison.h"
#include "dialogs/SetupDialogFactory.h"
#include "image/CE2prom.h"
#include "lang/CFileLocations.h"
#include "lang/CProcessControl.h"
#include "lang/CurrentLanguage.h"
#include "link/CError.h"
#include "link/CMessages.h"
#include "link/ComPortNames.h"
#include "res/shell/ShellResources.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QPrinter>
#include <QShortcut>
#include <QToolBar>
#include <QUndoStack>
#include <array>
#include <utility>
#include <vector>

namespace {

// The setup commands, and which of them exist only in full duplex, in the order of the
// report's sections (which the overview follows).
struct SETUP_COMMAND {
    int id;
    bool fullDuplexOnly;
};

const SETUP_COMMAND SETUP_COMMANDS[] = {
    {ID_SYSTEM_SETUP, false},   {ID_RADIO_INTERFACE, false},   {ID_REPEATER_OPERATION, false},
    {ID_LINE_INTERFACE, false}, {ID_LINE_OPERATION, false},    {ID_SINGLE_TONES, false},
    {ID_TRC_SETUP, false},      {ID_ENCODER_DISCONNECT, true}, {ID_ENCODER_ACKNOWLEDGE, true},
    {ID_ENCODER_ALARM, false},  {ID_DECODER_1, true},          {ID_DECODER_2, true},
    {ID_DECODER_3, true},       {ID_DECODER_4, true},
};

const SETUP_COMMAND* FindSetupCommand(int id) {
    for (const SETUP_COMMAND& command : SETUP_COMMANDS)
        if (command.id == id)
            return &command;
    return nullptr;
}

// COM port k (1 to 4) and its command.
constexpr std::array<int, 4> PORT_COMMANDS = {ID_COM_PORT_1, ID_COM_PORT_2, ID_COM_PORT_3,
                                              ID_COM_PORT_4};

int PortOfCommand(int id) {
    for (int k = 0; k < int(PORT_COMMANDS.size()); ++k)
        if (PORT_COMMANDS[k] == id)
            return k + 1;
    return 0;
}

bool IsPrintCommand(int id) {
    return id == ID_FILE_PRINT || id == ID_FILE_PRINT_DIRECT || id == ID_FILE_PRINT_PREVIEW;
}

// The halves of a command string: the status prompt and the tooltip.
QString CommandStringPart(int id, int part) {
    const char* text = CommandString(id);
    if (!text)
        return QString();
    return QString::fromUtf8(text).section('\n', part, part);
}

} // namespace

CMainFrame::SetupDialogSource CMainFrame::FactoryDialogs() {
    return {HasSetupDialog, [](int id, CE2prom* image, bool readOnly, QWidget* parent) {
                return CreateSetupDialog(id, image, readOnly, parent);
            }};
}

CMainFrame::CMainFrame(int resourceId, CCommandTarget* application, SetupDialogSource dialogs)
    : m_resourceId(IsMenuResource(resourceId) ? resourceId : ENGLISH_RESOURCE),
      m_application(application), m_dialogs(std::move(dialogs)),
      m_image(std::make_unique<CE2prom>()) {
    m_image->SetLinkSettings(13, 0, 9600, 'N', 8, 1, 4);
    LoadDefaultSetup();
    m_history = new QUndoStack(this);
    connect(m_history, &QUndoStack::indexChanged, this, &CMainFrame::UpdateUndoTexts);
    connect(m_history, &QUndoStack::canUndoChanged, this, &CMainFrame::UpdateUndoTexts);
    connect(m_history, &QUndoStack::canRedoChanged, this, &CMainFrame::UpdateUndoTexts);

    setWindowIcon(QIcon(QPixmap(ProgramIcon())));
    setContextMenuPolicy(Qt::PreventContextMenu);
    BuildMenus();
    BuildToolBar();
    BuildAccelerators();
    RestorePortChoice();

    m_document = std::make_unique<CKarvoDoc>(*this);
    connect(m_document.get(), &CKarvoDoc::TitleChanged, this, &CMainFrame::UpdateTitle);
    connect(m_document.get(), &CKarvoDoc::DocumentOpened, this, [this] {
        StartNewHistory();
        SetBaseline();
    });
    connect(m_document.get(), &CKarvoDoc::DocumentNew, this, &CMainFrame::StartNewHistory);
    connect(m_document.get(), &CKarvoDoc::DocumentSaved, this, [this] {
        SetBaseline();
        MarkHistorySaved();
    });
    m_view = new CKarvoView(*m_document, *this);
    setCentralWidget(m_view);
    m_view->setFocus();
    UpdateTitle();
    UpdateUndoTexts();
    UpdateCommandUI();
    resize(640, 400);
}

CMainFrame::~CMainFrame() {
    // The history outlives the members its signals would reach; it has nothing more to say.
    m_history->disconnect(this);
    StorePortChoice();
}

QPrinter& CMainFrame::Printer() {
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>();
    return *m_printer;
}

void CMainFrame::LoadDefaultSetup() {
    const QString path = CFileLocations::OfThisRun().ShippedFile(QStringLiteral("karvo.def"));
    try {
        QByteArray type;
        const int result = m_image->LoadSRecords(path, &type);
        if (result == 0) {
            Messages().Show(Tr("Cannot load default setup"), Tr("Uncritcal error"),
                            MsgIcon::Information, MsgButtons::Ok);
        } else if (result == -1) {
            CKarvoDoc::ReportUnsupportedRecord(path, type);
        }
    } catch (const CError& error) {
        // A damaged default setup is reported; the image keeps its zeros and start-up
        // goes on, fatal or not.
        error.ReportError();
    }
}

QAction* CMainFrame::MakeAction(int id) {
    if (QAction* existing = CommandAction(id))
        return existing;
    const char* text = MenuText(m_resourceId, id);
    auto* action =
        new QAction(text ? QString::fromUtf8(text) : AddedMenuText(m_resourceId, id), this);
    action->setToolTip(CommandStringPart(id, 1));
    action->setWhatsThis(CommandStringPart(id, 0));
    action->setIconVisibleInMenu(false);
    if (PortOfCommand(id) != 0 || id == ID_VIEW_TOOLBAR)
        action->setCheckable(true);
    connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
    m_actions[id] = action;
    return action;
}

QAction* CMainFrame::MakeMenuBarItem(int id) {
    const char* text = MenuText(m_resourceId, id);
    auto* action = new QAction(text ? QString::fromUtf8(text) : QString(), this);
    action->setWhatsThis(CommandStringPart(id, 0));
    connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
    m_menuBarItems.emplace_back(id, action);
    return action;
}

void CMainFrame::BuildMenus() {
    std::vector<QMenu*> open;
    for (int i = 0; i < MENU_STRUCTURE_COUNT; ++i) {
        const MENU_ENTRY& entry = MENU_STRUCTURE[i];
        switch (entry.kind) {
        case MenuEntryKind::Popup: {
            const QString title = QString::fromUtf8(MenuText(m_resourceId, entry.id));
            QMenu* menu = open.empty() ? menuBar()->addMenu(title) : open.back()->addMenu(title);
            connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
            open.push_back(menu);
            break;
        }
        case MenuEntryKind::EndPopup:
            open.pop_back();
            if (open.empty() && menuBar()->actions().size() == 1)
                AddEditMenu(); // right after the File menu
            break;
        case MenuEntryKind::Separator:
            open.back()->addSeparator();
            break;
        case MenuEntryKind::Command:
            if (open.empty())
                menuBar()->addAction(MakeMenuBarItem(entry.id));
            else
                open.back()->addAction(MakeAction(entry.id));
            AddFileItems(open.empty() ? nullptr : open.back(), entry.id);
            break;
        }
    }
}

// Adds the File menu's own items that follow the item after, and those that follow them,
// as a group of their own behind a separator, so the menu's separators stay where they are.
void CMainFrame::AddFileItems(QMenu* menu, int after) {
    if (!menu)
        return;
    bool first = true;
    for (const ADDED_MENU_ITEM& item : AddedFileItems()) {
        if (item.after != after)
            continue;
        if (std::exchange(first, false))
            menu->addSeparator();
        menu->addAction(MakeAction(item.id));
        after = item.id;
    }
}

void CMainFrame::AddEditMenu() {
    QMenu* menu = menuBar()->addMenu(MenuLanguageText(m_resourceId, EDIT_MENU_TITLE));
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
    int count = 0;
    const ACCELERATOR* table = Accelerators(m_resourceId, count);
    for (const ADDED_MENU_ITEM& item : EditMenuItems()) {
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

void CMainFrame::UpdateUndoTexts() {
    struct UNDO_TEXT {
        int id;
        const char* plain;
        const char* named;
        QString step;
    };
    const UNDO_TEXT texts[] = {{ID_EDIT_UNDO, "&Undo", "&Undo %1", m_history->undoText()},
                               {ID_EDIT_REDO, "&Redo", "&Redo %1", m_history->redoText()}};
    for (const UNDO_TEXT& text : texts) {
        QAction* action = CommandAction(text.id);
        if (!action)
            continue;
        action->setEnabled(IsCommandEnabled(text.id));
        const QString label = text.step.isEmpty()
                                  ? MenuLanguageText(m_resourceId, text.plain)
                                  : MenuLanguageText(m_resourceId, text.named).arg(text.step);
        const QList<QKeySequence> keys = AddedCommandKeys(text.id);
        action->setText(keys.isEmpty()
                            ? label
                            : label + u'\t' + keys.first().toString(QKeySequence::NativeText));
    }
}

void CMainFrame::StartNewHistory() {
    m_history->clear();
    m_savedInHistory = false;
}

void CMainFrame::MarkHistorySaved() {
    m_history->setClean();
    m_savedInHistory = true;
}

// Undo and redo give back the modified flag of the state they return to; once the setup
// has been saved within this history, the saved state alone is unmodified, so a step back
// from it is never lost without the question to save.
void CMainFrame::StepHistory(bool back) {
    if (back)
        m_history->undo();
    else
        m_history->redo();
    if (m_savedInHistory)
        m_image->SetModified(!m_history->isClean());
}

void CMainFrame::RecordImageChange(const QString& name, const IMAGE_STATE& before) {
    if (m_image->Bytes() == before.bytes)
        return;
    m_history->push(new CImageChangeCommand(*m_image, name, before));
}

void CMainFrame::SetBaseline() {
    if (m_view)
        m_view->SetBaseline();
}

void CMainFrame::BuildToolBar() {
    m_toolBar = new QToolBar(this);
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
    addToolBar(Qt::TopToolBarArea, m_toolBar);
}

void CMainFrame::BuildAccelerators() {
    int count = 0;
    const ACCELERATOR* table = Accelerators(m_resourceId, count);
    for (int i = 0; i < count; ++i) {
        const int id = table[i].id;
        auto* shortcut = new QShortcut(QKeySequence::fromString(QString::fromLatin1(table[i].keys),
                                                                QKeySequence::PortableText),
                                       this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, id] { OnAccelerator(id); });
    }
}

void CMainFrame::OnAccelerator(int id) {
    ExecuteCommand(id);
}

void CMainFrame::RestorePortChoice() {
    m_selectedPort = StoredComPortIndex();
}

void CMainFrame::StorePortChoice() const {
    StoreComPortIndex(SelectedPortIndex());
}

int CMainFrame::SelectedPortIndex() const {
    return m_selectedPort >= 0 ? m_selectedPort : 0;
}

bool CMainFrame::IsPortSelected(int port) const {
    return port >= 1 && port <= COM_PORT_COUNT && m_selectedPort == port - 1;
}

// Choosing the selected port again leaves none selected. The menu and toolbar check
// marks follow in UpdateCommandUI, which runs after every command.
void CMainFrame::TogglePort(int port) {
    m_selectedPort = m_selectedPort == port - 1 ? -1 : port - 1;
}

std::span<const int> CMainFrame::SetupCommands() {
    static const auto ids = [] {
        std::array<int, std::size(SETUP_COMMANDS)> list{};
        for (std::size_t i = 0; i < list.size(); ++i)
            list[i] = SETUP_COMMANDS[i].id;
        return list;
    }();
    return ids;
}

QString CMainFrame::CommandPrompt(int id) {
    return Tr(CommandStringPart(id, 0));
}

int CMainFrame::FullDuplex() const {
    // Types 0 to 17 come in threes: simplex, semi-duplex, repeater. Only the repeater
    // types and values above the list are full duplex.
    const int type = m_image->GetByte(RADIO_TYPE_ADDRESS);
    return (type <= 17 && type % 3 != 2) ? 0 : 1;
}

QAction* CMainFrame::CommandAction(int id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

bool CMainFrame::IsCommandEnabled(int id) const {
    if (const SETUP_COMMAND* setup = FindSetupCommand(id))
        return m_dialogs.has && m_dialogs.has(id) && (!setup->fullDuplexOnly || FullDuplex() == 1);
    if (IsPrintCommand(id))
        return m_view != nullptr && m_view->CanPrint();
    if (id == ID_EDIT_UNDO)
        return m_history->canUndo();
    if (id == ID_EDIT_REDO)
        return m_history->canRedo();
    return true;
}

void CMainFrame::UpdateCommandUI() {
    // The overview follows the image first: the section states below read the same byte.
    if (m_view)
        m_view->Refresh();
    for (const auto& [id, action] : m_actions) {
        action->setEnabled(IsCommandEnabled(id));
        if (const int port = PortOfCommand(id))
            action->setChecked(IsPortSelected(port));
    }
    for (const auto& [id, action] : m_menuBarItems)
        action->setEnabled(IsCommandEnabled(id));
    if (QAction* toolbar = CommandAction(ID_VIEW_TOOLBAR))
        toolbar->setChecked(!m_toolBar->isHidden());
}

void CMainFrame::ExecuteCommand(int id) {
    if (!IsCommandEnabled(id))
        return;
    try {
        const bool handled = m_view->OnCmdMsg(id) || m_document->OnCmdMsg(id) || OnCmdMsg(id);
        if (!handled && m_application)
            m_application->OnCmdMsg(id);
    } catch (const CError& error) {
        // Handlers report their own errors; this only keeps an unexpected one from
        // leaving the event handler.
        if (error.ReportError())
            ProcessControl().EndProcess(0);
    }
    UpdateCommandUI();
}

bool CMainFrame::OnCmdMsg(int id) {
    if (FindSetupCommand(id)) {
        RunSetupCommand(id);
        return true;
    }
    if (const int port = PortOfCommand(id)) {
        TogglePort(port);
        return true;
    }
    switch (id) {
    case ID_WRITE_DEVICE:
        RunWriteDeviceCommand(*this);
        return true;
    case ID_READ_DEVICE:
        RunReadDeviceCommand(*this);
        return true;
    case ID_DEVICE_INFORMATION:
        RunDeviceInformationCommand(*this);
        return true;
    case ID_FILE_COMPARE_FILE:
        CompareWithFile();
        return true;
    case ID_FILE_COMPARE_DEVICE:
        RunCompareDeviceCommand(*this);
        return true;
    case ID_EDIT_UNDO:
        StepHistory(true);
        return true;
    case ID_EDIT_REDO:
        StepHistory(false);
        return true;
    case ID_SERIAL_PORTS: {
        // The dialog stores its choices itself; the serial port reads them at each open.
        CSerialPortsDlg dialog(this);
        dialog.exec();
        return true;
    }
    case ID_VIEW_TOOLBAR:
        m_toolBar->setHidden(!m_toolBar->isHidden());
        return true;
    case ID_VIEW_STATUS_BAR:
        // There is no status bar; the item has no effect.
        return true;
    case ID_APP_EXIT:
        close();
        return true;
    default:
        return false;
    }
}

void CMainFrame::RunSetupCommand(int id) {
    try {
        // The repeater dialog is read-only for the simplex and semi-duplex radio types,
        // judged at the moment the command runs.
        const bool readOnly = id == ID_REPEATER_OPERATION && FullDuplex() == 0;
        std::unique_ptr<CSetupDialog> dialog = m_dialogs.create(id, m_image.get(), readOnly, this);
        if (dialog && dialog->exec() == QDialog::Accepted) {
            const IMAGE_STATE before = ImageState(*m_image);
            dialog->Commit();
            RecordImageChange(PlainMenuText(QString::fromUtf8(MenuText(m_resourceId, id))), before);
        }
    } catch (const CError& error) {
        if (error.ReportError())
            ProcessControl().EndProcess(0);
    }
}

void CMainFrame::CompareWithFile() {
    const QString path = FileDialogs().OpenFileName(this);
    if (path.isEmpty())
        return;
    CE2prom other;
    // A text setup is compared as it would open: applied to the shipped default setup.
    if (QFile file(path); file.open(QIODevice::ReadOnly)) {
        const QByteArray text = file.readAll();
        if (CTextSetup::IsTextSetup(text)) {
            if (CKarvoDoc::LoadTextSetup(path, text, other))
                ShowComparison(other, QFileInfo(path).fileName());
            return;
        }
    }
    try {
        QByteArray type;
        const int result = other.LoadSRecords(path, &type);
        if (result == -1)
            CKarvoDoc::ReportUnsupportedRecord(path, type);
        else if (result == 0)
            Messages().Show(
                Tr(QStringLiteral("Cannot open %1")).arg(QDir::toNativeSeparators(path)),
                QStringLiteral("Karvo"), MsgIcon::Exclamation, MsgButtons::Ok);
        if (result != 1)
            return;
    } catch (const CError& error) {
        error.ReportError();
        return;
    }
    ShowComparison(other, QFileInfo(path).fileName());
}

void CMainFrame::ShowComparison(CE2prom& other, const QString& otherName) {
    SETUP_DIFFERENCES differences;
    try {
        differences = CompareSetups(*m_image, other);
    } catch (const CError& error) {
        if (error.ReportError())
            ProcessControl().EndProcess(0);
        return;
    }
    if (m_comparison)
        m_comparison->close();
    m_comparison = new CComparisonWindow(differences, *m_image, other, otherName, Printer(), this);
    m_comparison->show();
}

void CMainFrame::UpdateTitle() {
    setWindowTitle(m_document->Title() + QStringLiteral(" - Karvo"));
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_document->SaveModified())
        event->accept();
    else
        event->ignore();
}
