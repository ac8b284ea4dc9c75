// Renders the System setup and Single tones dialogs, filled from the default setup, in
// English and French into PNG files: system-setup-en.png, single-tones-fr.png, ...
#include "dialogs/CSingleTonesDlg.h"
#include "dialogs/CSystemSetupDlg.h"
#include "image/CE2prom.h"
#include "lang/CurrentLanguage.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    CE2prom image;
    if (image.LoadSRecords(QStringLiteral(KARVO_DEFAULT_SETUP)) != 1) {
        std::fprintf(stderr, "cannot load %s\n", KARVO_DEFAULT_SETUP);
        return 1;
    }
    const struct {
        int language;
        const char* suffix;
    } languages[] = {{0, "en"}, {1, "fr"}};
    for (const auto& language : languages) {
        SetCurrentLanguage(language.language);
        CSystemSetupDlg system(&image);
        CSingleTonesDlg tones(&image);
        const struct {
            QDialog* dialog;
            const char* name;
        } shots[] = {{&system, "system-setup"}, {&tones, "single-tones"}};
        for (const auto& shot : shots) {
            shot.dialog->show();
            const QString path =
                out.filePath(QStringLiteral("%1-%2.png").arg(shot.name, language.suffix));
            if (!shot.dialog->grab().save(path)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                return 1;
            }
            shot.dialog->hide();
        }
    }
    return 0;
}
