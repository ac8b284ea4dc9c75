// CKarvoApp: the application. It carries start-up (the language from the profile or the
// first-start question, the main frame of that language, the file named on the command
// line), shut-down (storing the language), and the commands that belong to no window:
// New, Open, Print Setup, About, Language and help.
//
// It owns the main frame, and with it the document, the view and the image.
#pragma once

#include "gui/app/CCommandTarget.h"
#include "gui/app/CHelpWindow.h"
#include "gui/app/CMainFrame.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <memory>

class CKarvoApp : public QObject, public CCommandTarget {
    Q_OBJECT
public:
    explicit CKarvoApp(CMainFrame::SetupDialogSource dialogs = CMainFrame::FactoryDialogs());
    ~CKarvoApp() override;

    // Start-up. arguments are the command-line arguments after the program name; the
    // first one, if any, is a setup file opened after the default setup. Returns false
    // when the program is to end here: a restart was requested after the first-start
    // language choice, or the named file could not be opened.
    bool InitInstance(const QStringList& arguments);

    // Shut-down: destroys the main frame (which stores the COM port) and stores the
    // language in the profile.
    void ExitInstance();

    // Null before start-up has created it and after shut-down.
    CMainFrame* MainFrame() const { return m_frame.get(); }
    // The resource number of the menus in use; 0 until start-up has chosen it.
    int ResourceId() const { return m_resourceId; }
    // The help window, once a help command has opened it.
    CHelpWindow* HelpWindow() const { return m_help; }

    bool OnCmdMsg(int id) override;

private:
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnAppAbout();
    void OnLanguage();
    void OnHelp();

    CMainFrame::SetupDialogSource m_dialogs;
    std::unique_ptr<CMainFrame> m_frame;
    int m_resourceId = 0;
    QPointer<CHelpWindow> m_help; // a child window of the main frame
};
