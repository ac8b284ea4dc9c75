#include "app/AddedMenus.h"

#include "lang/KarvoTexts.h"
#include "lang/LanguageChange.h"
#include "res/shell/ShellResources.h"

namespace {

const ADDED_MENU_ITEM FILE_ITEMS[] = {
    {ID_FILE_COMPARE_FILE, ID_DEVICE_INFORMATION, "Compare with file..."},
    {ID_FILE_COMPARE_DEVICE, ID_FILE_COMPARE_FILE, "Compare with device"},
    {ID_FIND_UNIT, ID_LANGUAGE, "Find unit..."},
    {ID_VERIFY_AFTER_WRITING, ID_FIND_UNIT, "&Verify after writing"},
    {ID_CONFIRM_READS, ID_VERIFY_AFTER_WRITING, "Read &twice to confirm"},
    {ID_VIEW_COMM_LOG, ID_VIEW_STATUS_BAR, "Communication log"},
};

const ADDED_MENU_ITEM EDIT_ITEMS[] = {
    {ID_EDIT_UNDO, 0, "&Undo"},
    {ID_EDIT_REDO, ID_EDIT_UNDO, "&Redo"},
};

struct COMMAND_KEYS {
    int id;
    const char* keys; // portable text, "; " between sequences
};

// The platform's standard keys, the same in every language.
const COMMAND_KEYS KEYS[] = {
    {ID_EDIT_UNDO, "Ctrl+Z"},
    {ID_EDIT_REDO, "Ctrl+Y; Ctrl+Shift+Z"},
};

} // namespace

const char* const EDIT_MENU_TITLE = "&Edit";

std::span<const ADDED_MENU_ITEM> AddedFileItems() {
    return FILE_ITEMS;
}

std::span<const ADDED_MENU_ITEM> EditMenuItems() {
    return EDIT_ITEMS;
}

QString MenuLanguageText(int resourceId, const char* english) {
    int language = 0;
    for (int l = 1; l < 5; ++l)
        if (LanguageResourceId(l) == resourceId)
            language = l;
    return KarvoText(language, QString::fromLatin1(english));
}

QString AddedMenuText(int resourceId, int id) {
    for (const auto items : {AddedFileItems(), EditMenuItems()})
        for (const ADDED_MENU_ITEM& item : items)
            if (item.id == id)
                return MenuLanguageText(resourceId, item.text);
    return QString();
}

QList<QKeySequence> AddedCommandKeys(int id) {
    for (const COMMAND_KEYS& row : KEYS)
        if (row.id == id)
            return QKeySequence::listFromString(QString::fromLatin1(row.keys),
                                                QKeySequence::PortableText);
    return {};
}

QString PlainMenuText(const QString& text) {
    QString plain = text.section(u'\t', 0, 0);
    plain.remove(u'&');
    return plain;
}
