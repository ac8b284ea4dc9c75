// CProcessControl: the two ways the program ends itself on purpose. A language change
// starts a new copy of the program and ends this one; a fatal error ends it at once.
//
// The program installs nothing and gets CSystemProcessControl, which really starts and
// ends processes. Tests install one that records the requests; its EndProcess returns,
// so every caller must simply return after asking for the end.
#pragma once

#include <QStringList>

class CProcessControl {
public:
    virtual ~CProcessControl() = default;
    // Starts this same program again in the same working folder, with arguments.
    virtual void StartNewInstance(const QStringList& arguments) = 0;
    // Ends the process with the exit code, without any further clean-up.
    virtual void EndProcess(int exitCode) = 0;
};

class CSystemProcessControl : public CProcessControl {
public:
    void StartNewInstance(const QStringList& arguments) override;
    void EndProcess(int exitCode) override;
};

// The control in use; never null.
CProcessControl& ProcessControl();

// Installs a control (not owned). nullptr restores the system one.
void SetProcessControl(CProcessControl* control);
