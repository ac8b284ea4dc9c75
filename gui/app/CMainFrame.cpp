#include "gui/app/CMainFrame.h"

#include "core/forms/ReportText.h"
#include "core/image/CE2prom.h"
#include "core/lang/CFileLocations.h"
#include "core/lang/CurrentLanguage.h"
#include "core/link/CError.h"
#include "core/link/CMessages.h"
#include "core/link/ComPortNames.h"
#include "gui/app/AddedMenus.h"
#include "gui/app/CFrameMenus.h"
#include "gui/app/CImageChangeCommand.h"
#include "gui/app/CKarvoDoc.h"
#include "gui/app/CKarvoView.h"
#include "gui/app/CProcessControl.h"
#include "gui/app/CSerialPortsDlg.h"
#include "gui/app/CSetupComparer.h"
#include "gui/app/CSetupHistory.h"
#include "gui/app/CWindowPlacement.h"
#include "gui/app/DeviceCommands.h"
#include "gui/dialogs/CSetupDialog.h"
#include "gui/dialogs/SetupDialogFactory.h"
#include "gui/shell/ShellResources.h"

#include <QAction>
#include <QCloseEvent>
#include <QPrinter>
#include <QToolBar>
#include <array>
#include <vector>

namespace {

// COM port k (1 to 4) and its command.
constexpr std::array<int, 4> PORT_COMMANDS = {ID_COM_PORT_1, ID_COM_PORT_2, ID_COM_PORT_3,
                                              ID_COM_PORT_4};

} // namespace

CMainFrame::SetupDialogSource CMainFrame::FactoryDialogs() {
    return {HasSetupDialog,
            [](int id, CE2prom* image, bool readOnly, QWidget* parent) {
                return CreateSetupDialog(id, image, readOnly, parent);
            },
            [](const REPORT_SECTION& section, CE2prom* image) {
                return ReportSectionText(section, *image, GetCurrentLanguage());
            }};
}

CMainFrame::CMainFrame(int resourceId, CCommandTarget* application, SetupDialogSource dialogs)
    : m_resourceId(IsMenuResource(resourceId) ? resourceId : ENGLISH_RESOURCE),
      m_application(application), m_dialogs(std::move(dialogs)),
      m_image(std::make_unique<CE2prom>()) {
    m_image->SetLinkSettings(13, 0, 9600, 'N', 8, 1, 4);
    LoadDefaultSetup();
    m_history = new CSetupHistory(*m_image, this);
    m_comparer = std::make_unique<CSetupComparer>(*this);
    WireCommands();

    setWindowIcon(QIcon(QPixmap(ProgramIcon())));
    setContextMenuPolicy(Qt::PreventContextMenu);
    m_menus = std::make_unique<CFrameMenus>(
        *this, m_resourceId,
        CFrameMenus::HOOKS{[this](int id) { ExecuteCommand(id); },
                           [this](int id) { return Wiring(id) && Wiring(id)->checked; },
                           [this] { UpdateCommandUI(); }});
    RestorePortChoice();

    m_document = std::make_unique<CKarvoDoc>(*this);
    connect(m_document.get(), &CKarvoDoc::TitleChanged, this, &CMainFrame::UpdateTitle);
    m_history->Follow(*m_document, [this] { SetBaseline(); });
    m_history->ShowOn(CommandAction(ID_EDIT_UNDO), CommandAction(ID_EDIT_REDO), m_resourceId);
    m_view = new CKarvoView(*m_document, *this);
    setCentralWidget(m_view);
    m_view->setFocus();
    UpdateTitle();
    UpdateCommandUI();
    CWindowPlacement::Restore(*this);
}

CMainFrame::~CMainFrame() {
    StorePortChoice();
    CWindowPlacement::Store(*this);
}

void CMainFrame::Wire(int id, std::function<void()> run, std::function<bool()> enabled,
                      std::function<bool()> checked) {
    m_wiring[id] = {std::move(run), std::move(enabled), std::move(checked)};
}

const CMainFrame::COMMAND_WIRING* CMainFrame::Wiring(int id) const {
    const auto it = m_wiring.find(id);
    return it == m_wiring.end() ? nullptr : &it->second;
}

// The frame's commands. A checked rule makes the command's menu item checkable.
void CMainFrame::WireCommands() {
    // The setup commands, one per report section; some exist only in full duplex.
    for (const REPORT_SECTION& setup : ReportSections())
        Wire(
            setup.commandId, [this, id = setup.commandId] { RunSetupCommand(id); },
            [this, &setup] {
                return m_dialogs.has && m_dialogs.has(setup.commandId) &&
                       (!setup.fullDuplexOnly || FullDuplex() == 1);
            });
    for (int port = 1; port <= int(PORT_COMMANDS.size()); ++port)
        Wire(
            PORT_COMMANDS[port - 1], [this, port] { TogglePort(port); }, {},
            [this, port] { return IsPortSelected(port); });
    const auto canPrint = [this] { return m_view != nullptr && m_view->CanPrint(); };
    for (const int print : {ID_FILE_PRINT, ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_PREVIEW})
        Wire(print, nullptr, canPrint); // run by the view
    Wire(ID_WRITE_DEVICE, [this] { RunWriteDeviceCommand(*this); });
    Wire(ID_READ_DEVICE, [this] { RunReadDeviceCommand(*this); });
    Wire(ID_DEVICE_INFORMATION, [this] { RunDeviceInformationCommand(*this); });
    // The dialog stores its choices itself; the serial port reads them at each open.
    Wire(ID_SERIAL_PORTS, [this] { CSerialPortsDlg(this).exec(); });
    Wire(
        ID_VIEW_TOOLBAR, [this] { ToolBar()->setHidden(!ToolBar()->isHidden()); }, {},
        [this] { return !ToolBar()->isHidden(); });
    Wire(ID_VIEW_STATUS_BAR, [] {}); // there is no status bar; the item has no effect
    Wire(ID_APP_EXIT, [this] { close(); });
    for (const ADDED_COMMAND& command : AddedCommands())
        Wire(
            command.id, [this, run = command.run] { run(*this); }, FrameRule(command.enabled),
            FrameRule(command.checked));
}

std::function<bool()> CMainFrame::FrameRule(bool (*rule)(CMainFrame&)) {
    if (!rule)
        return {};
    return [this, rule] { return rule(*this); };
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

void CMainFrame::RecordImageChange(const QString& name, const IMAGE_STATE& before) {
    m_history->Record(name, before);
}

void CMainFrame::SetBaseline() {
    if (m_view)
        m_view->SetBaseline();
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
    static const std::vector<int> ids = [] {
        std::vector<int> list;
        for (const REPORT_SECTION& section : ReportSections())
            list.push_back(section.commandId);
        return list;
    }();
    return ids;
}

QString CMainFrame::UnavailableReason(int id) {
    if (const REPORT_SECTION* setup = FindReportSection(id); setup && setup->fullDuplexOnly)
        return Tr("Not available: the radio type is not full duplex (RPT)");
    return Tr("Not available");
}

int CMainFrame::FullDuplex() const {
    // Types 0 to 17 come in threes: simplex, semi-duplex, repeater. Only the repeater
    // types and values above the list are full duplex.
    const int type = m_image->GetByte(RADIO_TYPE_ADDRESS);
    return (type <= 17 && type % 3 != 2) ? 0 : 1;
}

QAction* CMainFrame::CommandAction(int id) const {
    return m_menus->Action(id);
}

QToolBar* CMainFrame::ToolBar() {
    return m_menus->ToolBar();
}

bool CMainFrame::IsCommandEnabled(int id) const {
    const COMMAND_WIRING* wiring = Wiring(id);
    return !wiring || !wiring->enabled || wiring->enabled();
}

void CMainFrame::UpdateCommandUI() {
    // The overview follows the image first: the section states below read the same byte.
    if (m_view)
        m_view->Refresh();
    m_menus->Update([this](int id) { return IsCommandEnabled(id); },
                    [this](int id) -> std::optional<bool> {
                        const COMMAND_WIRING* wiring = Wiring(id);
                        if (wiring && wiring->checked)
                            return wiring->checked();
                        return std::nullopt;
                    });
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
    const COMMAND_WIRING* wiring = Wiring(id);
    if (!wiring || !wiring->run)
        return false;
    wiring->run();
    return true;
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

void CMainFrame::UpdateTitle() {
    setWindowTitle(m_document->Title() + QStringLiteral(" - Karvo"));
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_document->SaveModified())
        event->accept();
    else
        event->ignore();
}
