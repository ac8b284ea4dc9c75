// Menu texts of the five languages, one row per item: English (128), French (164),
// German (172), Spanish (173), Italian (174). Blanks and punctuation are part of the
// texts: French " Fonction ligne" has a leading blank and "Langue " a trailing one.
#include "gui/shell/ShellResources.h"

#include <array>

namespace {

struct MENU_TEXT {
    int id;
    const char* text[5];
};

// clang-format off
const MENU_TEXT MENU_TEXTS[] = {
    {POPUP_FILE, {"&File", "&Fichier", "&Datei", "&Archivo", "&File"}},
    {ID_FILE_OPEN, {"&Open...\tCtrl+O", "&Ouvrir", "Ö&ffnen...", "&Abrir...", "&Apri..."}},
    {ID_FILE_SAVE, {"&Save\tCtrl+S", "&Enregistrer", "&Speichern", "&Guardar", "&Salva"}},
    {ID_FILE_SAVE_AS, {"Save &As...", "En&registrer sous", "Speichern &unter...", "G&uardar como...", "Sa&lva con nome..."}},
    {ID_READ_DEVICE, {"Read device", "Lire système", "Gerät lesen", "Leer dispositivo", "Leggi dispositivo"}},
    {ID_WRITE_DEVICE, {"Write device", "Ecrire système", "Gerät programmieren", "Escribir en dispositivo", "Scrivi dispositivo"}},
    {ID_DEVICE_INFORMATION, {"Device information", "Infos système", "Gerätedaten", "Información sobre dispositivo", "Informazioni sul dispositivo"}},
    {ID_FILE_PRINT, {"&Print...\tCtrl+P", "&Imprimer", "&Drucken...", "&Imprimir...", "Stam&pa..."}},
    {ID_FILE_PRINT_PREVIEW, {"Print Pre&view", "Aperçu a&vant impression", "Seiten&ansicht", "Pr&esentación preliminar", "Antepri&ma di stampa"}},
    {ID_FILE_PRINT_SETUP, {"P&rint Setup...", "Configurer l'impression.", "Drucker &einrichten...", "Con&figurar impresión...", "&Imposta stampante..."}},
    {ID_APP_EXIT, {"E&xit", "&Quitter", "&Beenden", "&Salir", "E&sci"}},
    {POPUP_SETUP, {"Setup", "Configurer", "Einstellungen", "Configurar", "Imposta"}},
    {32810, {"System Setup", "Configurer le système", "Systemeinstellungen", "Configurar sistema", "Imposta sistema"}},
    {32800, {"Radio Interface", "Interface radio", "Funkgeräteschnittstelle", "Interfaz de radio", "Interfaccia radio"}},
    {32801, {"Repeater Operation", "Fonction relais", "Repeaterbetrieb", "Funcionamiento del repetidor", "Funzionamento ripetitore"}},
    {32802, {"Line Interface", "Interface ligne", "Leitungseinstellungen", "Interfaz de línea", "Interfaccia linea"}},
    {32803, {"Line Operation", " Fonction ligne", "Leitungsbetrieb", "Funcionamiento de línea", "Funzionamento linea"}},
    {32804, {"Single tones", "Tonalités simples", "Einzeltöne", "Tonos únicos", "Toni singoli"}},
    {32771, {"TRC Setup", "Configuration TRC", "TRC-Einstellungen", "Configurar TRC", "Imposta TRC"}},
    {POPUP_ENCODERS, {"Encoders", "Encodeur", "Geber", "Codificadores", "Codificatori"}},
    {32813, {"Disconnect", "Déconnecter", "Trennen", "Desconectar", "Scollega"}},
    {32817, {"Acknowledge", "Accuser réception.", "Quittung", "Confirmar", "Autorisposta"}},
    {32818, {"Alarm", "Alarme", "Alarm", "Alarma", "Allarme"}},
    {POPUP_DECODERS, {"Decoders", "Décodeur", "Auswerter", "Decodificadores", "Decodificatori"}},
    {32819, {"Decoder 1", "Décodeur 1", "Auswerter 1", "Decodificador 1", "Decodificatore 1"}},
    {32820, {"Decoder 2", "Décodeur 2", "Auswerter 2", "Decodificador 2", "Decodificatore 2"}},
    {32821, {"Decoder 3", "Décodeur 3", "Auswerter 3", "Decodificador 3", "Decodificatore 3"}},
    {32826, {"Decoder 4", "Décodeur 4", "Auswerter 4", "Decodificador 4", "Decodificatore 4"}},
    {POPUP_CONFIGURATION, {"Configuration", "Configuration", "Konfiguration", "Configurar", "Configurazione"}},
    {ID_COM_PORT_1, {"COM port 1", "Port COM 1", "COM-Schnittstelle 1", "Puerto COM 1", "Porta COM 1"}},
    {ID_COM_PORT_2, {"COM port 2", "Port COM 2", "COM-Schnittstelle 2", "Puerto COM 2", "Porta COM 2"}},
    {ID_COM_PORT_3, {"COM port 3", "Port COM 3", "COM-Schnittstelle 3", "Puerto COM 3", "Porta COM 3"}},
    {ID_COM_PORT_4, {"COM port 4", "Port COM 4", "COM-Schnittstelle 4", "Puerto COM 4", "Porta COM 4"}},
    {ID_SERIAL_PORTS, {"Serial ports...", "Ports série...", "Serielle Schnittstellen...", "Puertos serie...", "Porte seriali..."}},
    {ID_LANGUAGE, {"Language", "Langue ", "Sprache", "Idioma", "Lingua"}},
    {POPUP_VIEW, {"&View", "&Visualiser", "&Ansicht", "&Ver", "&Visualizza"}},
    {ID_VIEW_TOOLBAR, {"&Toolbar", "&Barre d'outils", "S&ymbolleiste", "Barra de &herramientas", "&Barra degli strumenti"}},
    {ID_VIEW_STATUS_BAR, {"&Status Bar", "Barre d'état", "&Statusleiste", "Barra de &estado", "Ba&rra di stato"}},
    {ID_APP_ABOUT, {"&About karvo", "&A propos de Karvo", "&Info", "&Acerca de karvo", "Infor&mazioni su..."}},
};
// clang-format on

// Resource number of each language's menu, in the column order of MENU_TEXTS.
constexpr std::array<int, 5> MENU_RESOURCES = {128, 164, 172, 173, 174};

int ColumnOf(int resourceId) {
    for (int i = 0; i < int(MENU_RESOURCES.size()); ++i)
        if (MENU_RESOURCES[i] == resourceId)
            return i;
    return -1;
}

} // namespace

const MENU_ENTRY MENU_STRUCTURE[] = {
    {MenuEntryKind::Popup, POPUP_FILE},
    {MenuEntryKind::Command, ID_FILE_OPEN},
    {MenuEntryKind::Command, ID_FILE_SAVE},
    {MenuEntryKind::Command, ID_FILE_SAVE_AS},
    {MenuEntryKind::Separator, 0},
    {MenuEntryKind::Command, ID_READ_DEVICE},
    {MenuEntryKind::Command, ID_WRITE_DEVICE},
    {MenuEntryKind::Command, ID_DEVICE_INFORMATION},
    {MenuEntryKind::Separator, 0},
    {MenuEntryKind::Command, ID_FILE_PRINT},
    {MenuEntryKind::Command, ID_FILE_PRINT_PREVIEW},
    {MenuEntryKind::Command, ID_FILE_PRINT_SETUP},
    {MenuEntryKind::Separator, 0},
    {MenuEntryKind::Command, ID_APP_EXIT},
    {MenuEntryKind::EndPopup, 0},

    {MenuEntryKind::Popup, POPUP_SETUP},
    {MenuEntryKind::Command, 32810},
    {MenuEntryKind::Command, 32800},
    {MenuEntryKind::Command, 32801},
    {MenuEntryKind::Command, 32802},
    {MenuEntryKind::Command, 32803},
    {MenuEntryKind::Command, 32804},
    {MenuEntryKind::Separator, 0},
    {MenuEntryKind::Command, 32771},
    {MenuEntryKind::Popup, POPUP_ENCODERS},
    {MenuEntryKind::Command, 32813},
    {MenuEntryKind::Command, 32817},
    {MenuEntryKind::Command, 32818},
    {MenuEntryKind::EndPopup, 0},
    {MenuEntryKind::Popup, POPUP_DECODERS},
    {MenuEntryKind::Command, 32819},
    {MenuEntryKind::Command, 32820},
    {MenuEntryKind::Command, 32821},
    {MenuEntryKind::Command, 32826},
    {MenuEntryKind::EndPopup, 0},
    {MenuEntryKind::EndPopup, 0},

    {MenuEntryKind::Popup, POPUP_CONFIGURATION},
    {MenuEntryKind::Command, ID_COM_PORT_1},
    {MenuEntryKind::Command, ID_COM_PORT_2},
    {MenuEntryKind::Command, ID_COM_PORT_3},
    {MenuEntryKind::Command, ID_COM_PORT_4},
    {MenuEntryKind::Command, ID_SERIAL_PORTS},
    {MenuEntryKind::Command, ID_LANGUAGE},
    {MenuEntryKind::EndPopup, 0},

    {MenuEntryKind::Popup, POPUP_VIEW},
    {MenuEntryKind::Command, ID_VIEW_TOOLBAR},
    {MenuEntryKind::Command, ID_VIEW_STATUS_BAR},
    {MenuEntryKind::EndPopup, 0},

    {MenuEntryKind::Command, ID_APP_ABOUT},
};
const int MENU_STRUCTURE_COUNT = int(sizeof(MENU_STRUCTURE) / sizeof(MENU_STRUCTURE[0]));

bool IsMenuResource(int resourceId) {
    return ColumnOf(resourceId) >= 0;
}

const char* MenuText(int resourceId, int id) {
    const int column = ColumnOf(resourceId);
    if (column < 0)
        return nullptr;
    for (const MENU_TEXT& row : MENU_TEXTS)
        if (row.id == id)
            return row.text[column];
    return nullptr;
}
