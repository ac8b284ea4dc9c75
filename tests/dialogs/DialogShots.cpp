// Renders the setup dialogs, filled from the default setup, in the five languages into
// PNG files: system-setup-en.png, decoder-it.png, ... (docs/ keeps a selection).
#include "dialogs/CDecoderDlg.h"
#include "dialogs/CSingleTonesDlg.h"
#include "dialogs/CSystemSetupDlg.h"
#include "image/CE2prom.h"
#include "lang/CurrentLanguage.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>
#include <memory>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    CE2prom image;
    if (image.LoadSRecords(QStringLiteral(KARVO_DEFAULT_SETUP)) != 1) {
        std::fprintf(stderr, "cannot load %s\n", KARVO_DEFAULT_SETUP);
        return 1;
    }
    const char* const suffixes[] = {"en", "fr", "de", "es", "it"};
    for (int language = 0; language < 5; ++language) {
        SetCurrentLanguage(language);
        const struct {
            std::unique_ptr<QDialog> dialog;
            const char* name;
        } shots[] = {
            {std::make_unique<CSystemSetupDlg>(&image), "system-setup"},
            {std::make_unique<CSingleTonesDlg>(&image), "single-tones"},
            {std::make_unique<CToneSequenceDlg>(&image, 0), "encoder"},
            {std::make_unique<CDecoderDlg>(&image, 0), "decoder"},
        };
        for (const auto& shot : shots) {
            shot.dialog->show();
            const QString path =
                out.filePath(QStringLiteral("%1-%2.png").arg(shot.name, suffixes[language]));
            if (!shot.dialog->grab().save(path)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                return 1;
            }
            shot.dialog->hide();
        }
    }
    return 0;
}
