// The main window's resources as data: the command identifiers, the menus of the five
// languages, the command strings (status prompt and tooltip), the accelerators and the
// toolbar layout.
//
// The menus of all languages share one structure and the same command identifiers; only
// their texts differ. A menu is addressed by the resource number of its language (128
// English, 164 French, 172 German, 173 Spanish, 174 Italian), as the frame's other
// per-language resources are.
#pragma once

class QIcon;

// Command identifiers. They are the same in every language and in every place a command
// can come from (menu, toolbar, accelerator).
enum ShellCommandId {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_DIRECT = 57608,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FILE1 = 57616,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_UNDO = 57643,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP_INDEX = 57666,
    ID_HELP_USING = 57668,
    ID_CONTEXT_HELP = 57669,
    ID_HELP = 57670,
    ID_DEFAULT_HELP = 57671,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    ID_WRITE_DEVICE = 32783,
    ID_READ_DEVICE = 32784,
    ID_DEVICE_INFORMATION = 32785,
    ID_COM_PORT_1 = 32795,
    ID_COM_PORT_2 = 32796,
    ID_COM_PORT_3 = 32797,
    ID_COM_PORT_4 = 32799,
    ID_SERIAL_PORTS = 32830,
    ID_LANGUAGE = 32828,
};

// Resource number of the English resources, the only set with accelerators.
constexpr int ENGLISH_RESOURCE = 128;

// One entry of the menu structure. Popups are named by a key into the text table
// (negative, so they never collide with a command identifier).
enum class MenuEntryKind { Command, Separator, Popup, EndPopup };

enum MenuPopupKey {
    POPUP_FILE = -1,
    POPUP_SETUP = -2,
    POPUP_ENCODERS = -3,
    POPUP_DECODERS = -4,
    POPUP_CONFIGURATION = -5,
    POPUP_VIEW = -6,
};

struct MENU_ENTRY {
    MenuEntryKind kind;
    int id; // command identifier, or popup key; 0 for separators and popup ends
};

// The menu bar from left to right; a Command entry outside any popup is a top-level item.
extern const MENU_ENTRY MENU_STRUCTURE[];
extern const int MENU_STRUCTURE_COUNT;

// The text of a menu item or popup title in the menu of a resource number, UTF-8, exactly
// as shown (mnemonic '&', tab before the shortcut text, blanks included). nullptr for an
// unknown resource number or identifier.
const char* MenuText(int resourceId, int id);

// True for the resource numbers of the five languages' menus.
bool IsMenuResource(int resourceId);

// The command string of an identifier: the status prompt before the line break, the
// tooltip after it. nullptr when the command has no string.
const char* CommandString(int id);

// One accelerator: key sequence in Qt's portable text form and its command.
struct ACCELERATOR {
    const char* keys;
    int id;
};

// The accelerators of a resource number; count is set to 0 for resources without any.
const ACCELERATOR* Accelerators(int resourceId, int& count);

// The toolbar, left to right; 0 is a separator.
extern const int TOOLBAR_LAYOUT[];
extern const int TOOLBAR_LAYOUT_COUNT;

// The toolbar image of a command (XPM data), or nullptr.
const char* const* ToolbarImage(int id);

// The toolbar icon of a command, or a null icon: its image at one, two and three times its
// size, each pixel drawn as a square of pixels, so that the pixel art stays sharp on
// screens scaled by 2 or 3 (and by 1.5, from the double size).
QIcon ToolbarIcon(int id);
// The scale factors ToolbarIcon carries its image at.
inline constexpr int TOOLBAR_ICON_SCALES[] = {1, 2, 3};

// The program's icon (XPM data), shown by the main window and the About box.
const char* const* ProgramIcon();
