// Helpers of the application tests: a working folder of each test's own (also holding its
// profile), a process control that records restarts and ends, scripted file dialogs,
// setup dialogs made to order, and a way to act on a modal dialog once it is shown.
#pragma once

#include "gui/app/CFileDialogs.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CProcessControl.h"
#include "gui/dialogs/CSetupDialog.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <map>
#include <memory>
#include <optional>

class QTimer;
class QWidget;

// Makes a fresh temporary folder the working folder and points the profile at a file in
// it; restores both, the language and the message service's neighbours when destroyed.
class CTestFolder {
public:
    CTestFolder();
    ~CTestFolder();

    QString Path(const QString& name) const;
    void Write(const QString& name, const QByteArray& data) const;
    QByteArray Read(const QString& name) const;
    // Copies the shipped default setup into the folder as karvo.def.
    void AddDefaultSetup() const;
    // Copies the shipped help folders (eng, fra, ...) into the folder.
    void AddHelpFolders() const;

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

class CRecordingProcess : public CProcessControl {
public:
    CRecordingProcess();
    ~CRecordingProcess() override;
    void StartNewInstance(const QStringList& arguments) override {
        ++starts;
        restartArguments = arguments;
    }
    void EndProcess(int exitCode) override { ends.append(exitCode); }

    int starts = 0;
    QStringList restartArguments;
    QList<int> ends;
};

class CScriptedFileDialogs : public CFileDialogs {
public:
    CScriptedFileDialogs();
    ~CScriptedFileDialogs() override;
    QString OpenFileName(QWidget* parent, const QString& title) override;
    QString SaveFileName(QWidget* parent, const QString& proposedName) override;

    QStringList openAnswers; // taken in order; empty when used up (a cancel)
    QStringList saveAnswers;
    int openCalls = 0;
    QStringList openTitles;
    QStringList saveProposals;
};

// What a fake setup dialog does: its exec result, what its Commit writes, and errors.
struct FakeDialogPlan {
    int result = 1;          // QDialog::Accepted
    int commitAddress = 100; // Commit writes commitValue here
    int commitValue = 7;
    std::function<void()> throwInConstructor; // also when its report section is drawn
    std::function<void()> throwInCommit;
};

class CFakeSetupDialog : public CSetupDialog {
public:
    CFakeSetupDialog(CE2prom* image, const FakeDialogPlan& plan, QWidget* parent);
    int exec() override;
    void Commit() override;
    QPoint PrintSection(QPainter&, QPoint pos) override { return pos; }

private:
    CE2prom* m_image;
    FakeDialogPlan m_plan;
};

// A dialog source for the frame: which commands have a dialog, the plan of each, and a
// record of every dialog built.
class CFakeDialogs {
public:
    struct Built {
        int id;
        bool readOnly;
        QWidget* parent;
    };

    // All fourteen setup commands have a dialog unless available is given.
    CMainFrame::SetupDialogSource Source();

    std::optional<QList<int>> available;
    std::map<int, FakeDialogPlan> plans;
    QList<Built> built;
    QList<int> reported; // the sections asked for by the report, by command
};

// Runs action once on the first modal dialog shown while the watcher lives (it polls the
// event loop, which a modal dialog keeps running). Stops polling when destroyed.
class CModalWatcher {
public:
    explicit CModalWatcher(std::function<void(QWidget*)> action);
    ~CModalWatcher();
    bool Fired() const { return m_fired; }

private:
    std::unique_ptr<QTimer> m_timer;
    bool m_fired = false;
};

// Whether the print and page set-up dialogs are the system's own (Windows), which a test
// cannot answer.
bool NativePrintDialogs();

// Profile helpers.
QString ProfileString(const QString& section, const QString& entry);
