// karvo: the setup tool of the TRC interface unit.
#include "core/lang/ProgramOptions.h"
#include "gui/app/CKarvoApp.h"
#include "gui/app/CMessageBoxService.h"

#include <QApplication>
#include <QTimer>

namespace {

const char* const HELP =
    "Usage: karvo [OPTION]... [FILE]\n"
    "Edit the setup of a TRC interface unit; read and write the unit over a serial port.\n"
    "Every run starts from the default setup karvo.def; FILE, an S-record setup file, is\n"
    "opened after it.\n"
    "\n"
    "      --help       display this help and exit\n"
    "      --version    output version information and exit\n"
    "Qt's own options (-platform NAME, -style NAME, ...) are accepted too.\n"
    "\n"
    "karvo.def and the language folders are looked up in the working folder, then in\n"
    "the program's own folder, then in ../share/karvo beside the program.\n"
    "\n"
    "Environment:\n"
    "  KARVO_PROFILE          the profile file (default ~/.config/karvo.ini)\n"
    "  KARVO_COM1..KARVO_COM4 the device behind COM 1 to COM 4 for this run\n"
    "  KARVO_BACKUP_DIR       the backup folder (default ~/.local/share/karvo/backups)\n"
    "  KARVO_CHECK_START=1    write every message box to stderr instead of showing it,\n"
    "                         end as soon as the window is up, exit status 3 when any\n"
    "                         box was shown (a start-up check for installations)\n"
    "\n"
    "Exit status: 0 when Karvo ends normally, 1 when it could not start (the FILE could\n"
    "not be opened).\n";

// The start-up check's message service: every box goes to stderr and is counted.
class CCountingMessages : public CStderrMessageService {
public:
    MsgAnswer Show(const QString& text, const QString& caption, MsgIcon icon,
                   MsgButtons buttons) override {
        ++m_count;
        return CStderrMessageService::Show(text, caption, icon, buttons);
    }
    int Count() const { return m_count; }

private:
    int m_count = 0;
};

} // namespace

int main(int argc, char* argv[]) {
    if (const int status = AnswerStandardOptions(argc, argv, "karvo", HELP); status >= 0)
        return status;
    QApplication application(argc, argv);
    const bool checkStart = qEnvironmentVariableIntValue("KARVO_CHECK_START") == 1;
    CMessageBoxService messageBoxes;
    CCountingMessages counted;
    SetMessageService(checkStart ? static_cast<CMessageService*>(&counted) : &messageBoxes);

    int exitCode = 1;
    {
        CKarvoApp karvo;
        const bool started = karvo.InitInstance(QApplication::arguments().mid(1));
        if (started && checkStart)
            QTimer::singleShot(0, &application, &QCoreApplication::quit);
        if (started)
            exitCode = application.exec();
        karvo.ExitInstance();
    }
    SetMessageService(nullptr);
    if (checkStart && counted.Count() > 0)
        return 3;
    return exitCode;
}
