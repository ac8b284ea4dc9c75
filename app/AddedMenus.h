// The menu items Karvo has beyond the menus of its five languages: the Edit menu (Undo,
// Redo) after the File menu, the two comparisons after Device information, Find unit at
// the end of the Configuration menu and Communication log at the end of the View menu. Their
// texts are Karvo's own (lang/KarvoTexts.cpp), translated when the menus are built; the
// menus of MENU_STRUCTURE keep every item, text and order around them.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <span>

enum AddedCommandId {
    ID_EDIT_REDO = 57644,
    ID_FILE_COMPARE_FILE = 32850,
    ID_FILE_COMPARE_DEVICE = 32851,
    ID_VERIFY_AFTER_WRITING = 32855, // Configuration: read the unit back after a write
    ID_CONFIRM_READS = 32856,        // Configuration: a second dump confirms every read
    ID_FIND_UNIT = 32860,
    ID_VIEW_COMM_LOG = 32861,
};

// One added item: its command, the item of MENU_STRUCTURE it follows, and its English text.
struct ADDED_MENU_ITEM {
    int id;
    int after;
    const char* text;
};

// The items added into the menus (File, Configuration, View), each after its item, in order.
std::span<const ADDED_MENU_ITEM> AddedFileItems();

// The Edit menu's title and its items (Undo, Redo), English.
extern const char* const EDIT_MENU_TITLE;
std::span<const ADDED_MENU_ITEM> EditMenuItems();

// An English menu text in the language of the menus of resourceId (as MenuText picks it).
QString MenuLanguageText(int resourceId, const char* english);

// The text of an added command in the language of the menus of resourceId, mnemonic
// included; empty for any other identifier.
QString AddedMenuText(int resourceId, int id);

// The keys of Undo and Redo, and the text shown for them in the menu.
QList<QKeySequence> AddedCommandKeys(int id);

// A menu item's text as a step name: without its mnemonic '&' and shortcut text
// ("Radio Interface", "Read device").
QString PlainMenuText(const QString& text);
