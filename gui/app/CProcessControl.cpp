#include "gui/app/CProcessControl.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

#include <cstdio>
#include <cstdlib>

namespace {
CProcessControl* g_control = nullptr;
} // namespace

void CSystemProcessControl::StartNewInstance(const QStringList& arguments) {
    // The program's own path, not a name looked up in the working folder, so the new
    // copy is this program wherever it was started from. A failed start is not reported:
    // the current copy ends all the same.
    QProcess::startDetached(QCoreApplication::applicationFilePath(), arguments,
                            QDir::currentPath());
}

void CSystemProcessControl::EndProcess(int exitCode) {
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

CProcessControl& ProcessControl() {
    static CSystemProcessControl system;
    return g_control ? *g_control : system;
}

void SetProcessControl(CProcessControl* control) {
    g_control = control;
}
