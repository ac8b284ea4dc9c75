// The menu commands Karvo has beyond the menus of its five languages, each one row of
// ADDED_COMMANDS (app/AddedCommands.cpp): its identifier, its English text, where its
// item goes, what it does, and when it is enabled or checked. The Edit menu (Undo, Redo)
// comes after the File menu; the other items follow the item they name, so the menus of
// MENU_STRUCTURE keep every item, text and order around them. The texts are translated
// when the menus are built (lang/KarvoTexts.cpp holds their five languages).
//
// A new command is a name in AddedCommandId and a row in ADDED_COMMANDS; the menus
// (CFrameMenus) and the frame's command table (CMainFrame) read the rows.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <span>

class CMainFrame;

enum AddedCommandId {
    ID_EDIT_REDO = 57644,
    ID_FILE_COMPARE_FILE = 32850,
    ID_FILE_COMPARE_DEVICE = 32851,
    ID_VERIFY_AFTER_WRITING = 32855, // Configuration: read the unit back after a write
    ID_CONFIRM_READS = 32856,        // Configuration: a second dump confirms every read
    ID_FIND_UNIT = 32860,
    ID_VIEW_COMM_LOG = 32861,
    ID_VIEW_TONES = 32862,
};

// The placement of an item that goes into the Edit menu, in the order of the rows.
constexpr int IN_EDIT_MENU = 0;

// One added command. after is the item of MENU_STRUCTURE the item follows, or an added
// item it follows; a group that follows a menu item stands behind a separator of its own,
// so the menu's separators stay where they are. A rule left empty: always enabled, or no
// check mark (a checked rule makes the item checkable).
struct ADDED_COMMAND {
    int id;
    const char* text; // English, mnemonic '&' included
    int after;        // placement: a menu item, an added item, or IN_EDIT_MENU
    void (*run)(CMainFrame& frame);
    bool (*enabled)(CMainFrame& frame) = nullptr;
    bool (*checked)(CMainFrame& frame) = nullptr;
    const char* keys = nullptr; // shortcuts, portable text, "; " between sequences
};

// Every added command, in menu order.
std::span<const ADDED_COMMAND> AddedCommands();

// The Edit menu's title, English.
extern const char* const EDIT_MENU_TITLE;

// An English menu text in the language of the menus of resourceId (as MenuText picks it).
QString MenuLanguageText(int resourceId, const char* english);

// The text of an added command in the language of the menus of resourceId, mnemonic
// included; empty for any other identifier.
QString AddedMenuText(int resourceId, int id);

// The keys of an added command (Undo and Redo have the platform's standard keys, the same
// in every language); empty when it has none.
QList<QKeySequence> AddedCommandKeys(int id);

// A menu item's text as a step name: without its mnemonic marks and shortcut text
// ("Radio Interface", "Read device").
QString PlainMenuText(const QString& text);
