#include "gui/app/CKarvoApp.h"

#include "core/lang/CurrentLanguage.h"
#include "core/lang/FrameworkTranslation.h"
#include "core/link/CMessages.h"
#include "gui/app/CAboutDlg.h"
#include "gui/app/CFileDialogs.h"
#include "gui/app/CHelpWindow.h"
#include "gui/app/CKarvoDoc.h"
#include "gui/app/LanguageChange.h"
#include "gui/shell/ShellResources.h"

#include <QDir>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QWhatsThis>

CKarvoApp::CKarvoApp(CMainFrame::SetupDialogSource dialogs) : m_dialogs(std::move(dialogs)) {}

CKarvoApp::~CKarvoApp() = default;

bool CKarvoApp::InitInstance(const QStringList& arguments) {
    if (!LoadStoredLanguage()) {
        // First start: ask for a language. A choice restarts the program in it;
        // Cancel goes on in English.
        if (RunLanguageChange(nullptr, nullptr))
            return false;
    }
    InstallFrameworkTranslation(GetCurrentLanguage());
    m_resourceId = LanguageResourceId(GetCurrentLanguage());
    m_frame = std::make_unique<CMainFrame>(m_resourceId, this, m_dialogs);
    if (!arguments.isEmpty()) {
        CKarvoDoc* document = m_frame->Document();
        if (!document->OpenDocumentFile(arguments.first())) {
            // Start-up ends here, but never without saying why.
            if (!document->OpenFailureShown())
                Messages().Show(Tr(QStringLiteral("Cannot open %1"))
                                    .arg(QDir::toNativeSeparators(arguments.first())),
                                QStringLiteral("Karvo"), MsgIcon::Exclamation, MsgButtons::Ok);
            m_frame.reset();
            return false;
        }
        m_frame->UpdateCommandUI();
    }
    m_frame->show();
    return true;
}

void CKarvoApp::ExitInstance() {
    m_frame.reset();
    StoreCurrentLanguage();
}

bool CKarvoApp::OnCmdMsg(int id) {
    switch (id) {
    case ID_FILE_NEW:
        OnFileNew();
        return true;
    case ID_FILE_OPEN:
        OnFileOpen();
        return true;
    case ID_FILE_PRINT_SETUP:
        OnFilePrintSetup();
        return true;
    case ID_APP_ABOUT:
        OnAppAbout();
        return true;
    case ID_LANGUAGE:
        OnLanguage();
        return true;
    case ID_HELP:
    case ID_HELP_INDEX:
    case ID_DEFAULT_HELP:
    case ID_HELP_USING:
        OnHelp();
        return true;
    case ID_CONTEXT_HELP:
        QWhatsThis::enterWhatsThisMode();
        return true;
    default:
        return false;
    }
}

void CKarvoApp::OnFileNew() {
    CKarvoDoc* document = m_frame->Document();
    if (document->SaveModified())
        document->OnNewDocument();
}

void CKarvoApp::OnFileOpen() {
    const QString path = FileDialogs().OpenFileName(m_frame.get(), Tr(QStringLiteral("Open")));
    if (!path.isEmpty())
        m_frame->Document()->OpenDocumentFile(path);
}

void CKarvoApp::OnFilePrintSetup() {
    QPageSetupDialog dialog(&m_frame->Printer(), m_frame.get());
    dialog.exec();
}

void CKarvoApp::OnAppAbout() {
    CAboutDlg dialog(m_frame.get());
    dialog.exec();
}

void CKarvoApp::OnLanguage() {
    RunLanguageChange(m_frame.get(), [this](QStringList& arguments) {
        // A save that fails or is cancelled keeps this copy running with the work.
        CKarvoDoc* document = m_frame->Document();
        if (!document->SaveModified())
            return false;
        // The new copy starts from the profile, so the COM port goes there too; this copy
        // ends without its usual shut-down. It opens the document open now, if any.
        m_frame->StorePortChoice();
        arguments.clear();
        if (!document->PathName().isEmpty())
            arguments << document->PathName();
        return true;
    });
}

void CKarvoApp::OnHelp() {
    if (!m_help)
        m_help = new CHelpWindow(m_frame.get());
    if (!m_help->Load(ActiveHelpFile(QStringLiteral("Karvo.hlp")),
                      ActiveHelpFile(QStringLiteral("Karvo.cnt")))) {
        Messages().Show(Tr(QStringLiteral("Cannot open the help file Karvo.hlp.")),
                        QStringLiteral("Karvo"), MsgIcon::Exclamation, MsgButtons::Ok);
        return;
    }
    m_help->ShowTopic(QString());
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}
