#include "gui/app/AddedMenus.h"

#include "core/lang/KarvoTexts.h"
#include "core/settings/Mnemonic.h"
#include "gui/app/LanguageChange.h"

namespace {

const ADDED_COMMAND* FindAddedCommand(int id) {
    for (const ADDED_COMMAND& command : AddedCommands())
        if (command.id == id)
            return &command;
    return nullptr;
}

} // namespace

const char* const EDIT_MENU_TITLE = "&Edit";

QString MenuLanguageText(int resourceId, const char* english) {
    int language = 0;
    for (int l = 1; l < 5; ++l)
        if (LanguageResourceId(l) == resourceId)
            language = l;
    return KarvoText(language, QString::fromLatin1(english));
}

QString AddedMenuText(int resourceId, int id) {
    const ADDED_COMMAND* command = FindAddedCommand(id);
    return command ? MenuLanguageText(resourceId, command->text) : QString();
}

QList<QKeySequence> AddedCommandKeys(int id) {
    const ADDED_COMMAND* command = FindAddedCommand(id);
    if (!command || !command->keys)
        return {};
    return QKeySequence::listFromString(QString::fromLatin1(command->keys),
                                        QKeySequence::PortableText);
}

QString PlainMenuText(const QString& text) {
    return WithoutMnemonic(text.section(u'\t', 0, 0));
}
