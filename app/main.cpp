// karvo: the setup tool of the TRC interface unit.
#include "app/CKarvoApp.h"
#include "app/CMessageBoxService.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    CMessageBoxService messageBoxes;
    SetMessageService(&messageBoxes);

    int exitCode = 1;
    {
        CKarvoApp karvo;
        const bool started = karvo.InitInstance(QApplication::arguments().mid(1));
        if (started)
            exitCode = application.exec();
        karvo.ExitInstance();
    }
    SetMessageService(nullptr);
    return exitCode;
}
