// Renders the setup dialogs, filled from the default setup, in all five languages into
// PNG files named after the dialog and the language: system-setup-en.png,
// line-interface-it.png, decoder-it.png, ... The repeater dialog is drawn editable and read-only.
// docs/ keeps English and the language with the longest texts of each dialog.
//
// With --dark the dialogs are drawn in the Fusion style under a dark palette, to see that
// nothing in them keeps a fixed colour; QT_SCALE_FACTOR=2 draws them for a high-density
// screen.
#include "core/image/CE2prom.h"
#include "core/lang/CurrentLanguage.h"
#include "gui/dialogs/CTemplateDialog.h"
#include "gui/dialogs/SetupDialogFactory.h"

#include <QApplication>
#include <QDir>
#include <QPalette>
#include <QPixmap>
#include <QStyleFactory>
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

// A dark palette of the kind desktop themes use: light text on dark grey.
void UseDarkTheme(QApplication& app) {
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette dark;
    const QColor window(53, 53, 53), base(35, 35, 35), text(230, 230, 230), muted(128, 128, 128);
    for (const auto role : {QPalette::Window, QPalette::Button})
        dark.setColor(role, window);
    for (const auto role : {QPalette::Base, QPalette::AlternateBase})
        dark.setColor(role, base);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, text);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(QPalette::Disabled, role, muted);
    dark.setColor(QPalette::Light, window.lighter(150));
    dark.setColor(QPalette::Dark, base.darker(150));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    app.setPalette(dark);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    if (arguments.removeAll(QStringLiteral("--dark")) > 0)
        UseDarkTheme(app);
    const QDir out(arguments.isEmpty() ? QDir::currentPath() : arguments.first());
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
