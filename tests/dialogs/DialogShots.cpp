// Renders the setup dialogs, filled from the default setup, in all five languages into
// PNG files named after the dialog and the language: system-setup-en.png,
// line-interface-it.png, decoder-it.png, ... The repeater dialog is drawn editable and read-only.
// docs/ keeps English and the language with the longest texts of each dialog.
#include "dialogs/CTemplateDialog.h"
#include "dialogs/SetupDialogFactory.h"
#include "image/CE2prom.h"
#include "lang/CurrentLanguage.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>

namespace {

const struct {
    int command;
    const char* name;
    bool readOnly = false;
} SHOTS[] = {
    {ID_SYSTEM_SETUP, "system-setup"},     {ID_RADIO_INTERFACE, "radio-interface"},
    {ID_REPEATER_OPERATION, "repeater"},   {ID_LINE_INTERFACE, "line-interface"},
    {ID_LINE_OPERATION, "line-operation"}, {ID_SINGLE_TONES, "single-tones"},
    {ID_TRC_SETUP, "trc-setup"},           {ID_REPEATER_OPERATION, "repeater-read-only", true},
    {ID_ENCODER_DISCONNECT, "encoder"},    {ID_DECODER_1, "decoder"},
};

constexpr const char* LANGUAGE_SUFFIXES[] = {"en", "fr", "de", "es", "it"};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    CE2prom image;
    if (image.LoadSRecords(QStringLiteral(KARVO_DEFAULT_SETUP)) != 1) {
        std::fprintf(stderr, "cannot load %s\n", KARVO_DEFAULT_SETUP);
        return 1;
    }
    for (int language = 0; language < 5; ++language) {
        SetCurrentLanguage(language);
        for (const auto& shot : SHOTS) {
            const auto dialog = CreateSetupDialog(shot.command, &image, shot.readOnly);
            dialog->show();
            const QString path = out.filePath(
                QStringLiteral("%1-%2.png").arg(shot.name, LANGUAGE_SUFFIXES[language]));
            if (!dialog->grab().save(path)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                return 1;
            }
        }
    }
    return 0;
}
