// Command strings, accelerators, toolbar layout and images of the main window.
#include "gui/shell/ShellResources.h"

#include "res/shell/icons/about.xpm"
#include "res/shell/icons/com1.xpm"
#include "res/shell/icons/com2.xpm"
#include "res/shell/icons/com3.xpm"
#include "res/shell/icons/com4.xpm"
#include "res/shell/icons/info.xpm"
#include "res/shell/icons/open.xpm"
#include "res/shell/icons/print.xpm"
#include "res/shell/icons/program.xpm"
#include "res/shell/icons/read.xpm"
#include "res/shell/icons/save.xpm"
#include "res/shell/icons/write.xpm"

#include <QIcon>
#include <QPixmap>

namespace {

struct COMMAND_STRING {
    int id;
    const char* text;
};

// The English string table. The file, print, view and About strings are the usual ones
// of a document window; the others belong to this program. Without a status bar only the
// tooltips (after the line break) are ever seen. Note the two blanks after "Display".
const COMMAND_STRING COMMAND_STRINGS[] = {
    {ID_FILE_NEW, "Create a new document\nNew"},
    {ID_FILE_OPEN, "Open an existing document\nOpen"},
    {ID_FILE_SAVE, "Save the active document\nSave"},
    {ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As"},
    {ID_FILE_PRINT_SETUP, "Change the printer and printing options\nPrint Setup"},
    {ID_FILE_PRINT, "Print the active document\nPrint"},
    {ID_FILE_PRINT_PREVIEW, "Display full pages\nPrint Preview"},
    {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
    {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
    {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar"},
    {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar"},
    {32771, "TRC setup menu\n"},
    {ID_WRITE_DEVICE, "Write the current configuration to the device\nWrite device"},
    {ID_READ_DEVICE, "Read the configuration from the device\nRead device"},
    {ID_DEVICE_INFORMATION, "Display  information about target software\nDevice information"},
    {ID_COM_PORT_1, "Select COM port 1\nCOM port 1"},
    {ID_COM_PORT_2, "Select COM port 2\nCOM port 2"},
    {ID_COM_PORT_3, "Select COM port 3\nCOM port 3"},
    {ID_COM_PORT_4, "Select COM port 4\nCOM port 4"},
    {ID_SERIAL_PORTS, "Choose the serial device behind each COM port\nSerial ports"},
    {32800, "Radio interface menu\n"},
    {32801, "Repeater operation menu\n"},
    {32802, "Line interface menu\n"},
    {32803, "Line operation menu\n"},
    {32804, "Single tones menu\n"},
    {32810, "System setup menu\n"},
    {32813, "Disconnect menu (enabled only in full duplex mode)\n"},
    {32817, "Acknowledge menu (enabled only in full duplex mode)\n"},
    {32818, "Alarm menu\n"},
    {32819, "Decoder 1 menu (enabled only in full duplex mode)\n"},
    {32820, "Decoder 2 menu (enabled only in full duplex mode)\n"},
    {32821, "Decoder 3 menu (enabled only in full duplex mode)\n"},
    {32826, "Decoder 4 menu (enabled only in full duplex mode)\n"},
};

// Only the English resources carry accelerators. The editing keys are listed as the
// resource has them, although nothing in the program handles those commands.
const ACCELERATOR ENGLISH_ACCELERATORS[] = {
    {"Ctrl+N", ID_FILE_NEW},
    {"Ctrl+O", ID_FILE_OPEN},
    {"Ctrl+S", ID_FILE_SAVE},
    {"Ctrl+P", ID_FILE_PRINT},
    {"F1", ID_HELP},
    {"Shift+F1", ID_CONTEXT_HELP},
    {"F6", ID_NEXT_PANE},
    {"Shift+F6", ID_PREV_PANE},
    {"Ctrl+C", ID_EDIT_COPY},
    {"Ctrl+V", ID_EDIT_PASTE},
    {"Ctrl+X", ID_EDIT_CUT},
    {"Ctrl+Z", ID_EDIT_UNDO},
    {"Ctrl+Ins", ID_EDIT_COPY},
    {"Shift+Ins", ID_EDIT_PASTE},
    {"Shift+Del", ID_EDIT_CUT},
    {"Alt+Backspace", ID_EDIT_UNDO},
};

struct TOOLBAR_IMAGE {
    int id;
    const char* const* xpm;
};

const TOOLBAR_IMAGE TOOLBAR_IMAGES[] = {
    {ID_FILE_OPEN, open_xpm},          {ID_FILE_SAVE, save_xpm},     {ID_FILE_PRINT, print_xpm},
    {ID_APP_ABOUT, about_xpm},         {ID_WRITE_DEVICE, write_xpm}, {ID_READ_DEVICE, read_xpm},
    {ID_DEVICE_INFORMATION, info_xpm}, {ID_COM_PORT_1, com1_xpm},    {ID_COM_PORT_2, com2_xpm},
    {ID_COM_PORT_3, com3_xpm},         {ID_COM_PORT_4, com4_xpm},
};

} // namespace

const int TOOLBAR_LAYOUT[] = {
    ID_FILE_OPEN,   ID_FILE_SAVE,          0, ID_FILE_PRINT, ID_APP_ABOUT,  ID_WRITE_DEVICE,
    ID_READ_DEVICE, ID_DEVICE_INFORMATION, 0, ID_COM_PORT_1, ID_COM_PORT_2, ID_COM_PORT_3,
    ID_COM_PORT_4,
};
const int TOOLBAR_LAYOUT_COUNT = int(sizeof(TOOLBAR_LAYOUT) / sizeof(TOOLBAR_LAYOUT[0]));

const char* CommandString(int id) {
    for (const COMMAND_STRING& s : COMMAND_STRINGS)
        if (s.id == id)
            return s.text;
    return nullptr;
}

const ACCELERATOR* Accelerators(int resourceId, int& count) {
    if (resourceId != ENGLISH_RESOURCE) {
        count = 0;
        return nullptr;
    }
    count = int(sizeof(ENGLISH_ACCELERATORS) / sizeof(ENGLISH_ACCELERATORS[0]));
    return ENGLISH_ACCELERATORS;
}

const char* const* ToolbarImage(int id) {
    for (const TOOLBAR_IMAGE& image : TOOLBAR_IMAGES)
        if (image.id == id)
            return image.xpm;
    return nullptr;
}

QIcon ToolbarIcon(int id) {
    QIcon icon;
    if (const char* const* image = ToolbarImage(id)) {
        const QPixmap pixmap(image);
        for (const int scale : TOOLBAR_ICON_SCALES)
            icon.addPixmap(pixmap.scaled(pixmap.size() * scale, Qt::IgnoreAspectRatio,
                                         Qt::FastTransformation));
    }
    return icon;
}

const char* const* ProgramIcon() {
    return program_xpm;
}
