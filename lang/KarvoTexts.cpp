#include "lang/KarvoTexts.h"

namespace {

// clang-format off
const KARVO_TEXT ROWS[] = {
    // What a read or a write could not prove.
    {{"Damaged record in the dump", "Enregistrement endommagé dans le vidage",
      "Beschädigter Datensatz im Speicherabzug", "Registro dañado en el volcado",
      "Record danneggiato nel dump"}},
    {{"Damaged end record in the dump", "Enregistrement de fin endommagé dans le vidage",
      "Beschädigter Endedatensatz im Speicherabzug", "Registro final dañado en el volcado",
      "Record finale danneggiato nel dump"}},
    {{"Incomplete dump: no data for addresses %1",
      "Vidage incomplet : aucune donnée pour les adresses %1",
      "Unvollständiger Speicherabzug: keine Daten für die Adressen %1",
      "Volcado incompleto: sin datos para las direcciones %1",
      "Dump incompleto: nessun dato per gli indirizzi %1"}},
    {{"%1 to %2", "%1 à %2", "%1 bis %2", "%1 a %2", "da %1 a %2"}},
    {{"Verifying device ...", "Vérification du système ...", "Gerät prüfen ...",
      "Verificando disp. ...", "Verifica disp. ..."}},
    {{"The write could not be confirmed: the unit could not be read back.",
      "L'écriture n'a pas pu être confirmée : le système n'a pas pu être relu.",
      "Das Schreiben konnte nicht bestätigt werden: das Gerät konnte nicht zurückgelesen werden.",
      "No se pudo confirmar la escritura: no se pudo releer el dispositivo.",
      "Impossibile confermare la scrittura: il dispositivo non può essere riletto."}},
    {{"The unit holds other values than were written (sent, held):",
      "Le système contient d'autres valeurs que celles écrites (envoyé, contenu) :",
      "Das Gerät enthält andere Werte als geschrieben (gesendet, enthalten):",
      "El dispositivo contiene otros valores que los escritos (enviado, contenido):",
      "Il dispositivo contiene valori diversi da quelli scritti (inviato, contenuto):"}},
    {{"&Verify after writing", "&Vérifier après écriture", "Nach dem Schreiben &prüfen",
      "&Verificar tras escribir", "&Verifica dopo la scrittura"}},
    {{"Cannot open %1",
      "Impossible d'ouvrir %1",
      "%1 kann nicht geöffnet werden",
      "No se puede abrir %1",
      "Impossibile aprire %1"}},
    {{"Cannot open the help file Karvo.hlp.",
      "Impossible d'ouvrir le fichier d'aide Karvo.hlp.",
      "Die Hilfedatei Karvo.hlp kann nicht geöffnet werden.",
      "No se puede abrir el archivo de ayuda Karvo.hlp.",
      "Impossibile aprire il file della guida Karvo.hlp."}},
    {{"%1 holds an %2 record, which Karvo does not read. Nothing was loaded.",
      "%1 contient un enregistrement %2, que Karvo ne lit pas. Rien n'a été chargé.",
      "%1 enthält einen %2-Datensatz, den Karvo nicht liest. Es wurde nichts geladen.",
      "%1 contiene un registro %2, que Karvo no lee. No se ha cargado nada.",
      "%1 contiene un record %2, che Karvo non legge. Non è stato caricato nulla."}},
    {{"File cannot be written:",
      "Le fichier ne peut pas être écrit :",
      "Die Datei kann nicht geschrieben werden:",
      "No se puede escribir el archivo:",
      "Impossibile scrivere il file:"}},
    {{"Save changes to %1?",
      "Enregistrer les modifications de %1 ?",
      "Änderungen an %1 speichern?",
      "¿Guardar los cambios en %1?",
      "Salvare le modifiche a %1?"}},
    {{"Untitled", "Sans titre", "Unbenannt", "Sin título", "Senza titolo"}},
    {{"%1, up", "%1, vers le haut", "%1, aufwärts", "%1, arriba", "%1, su"}},
    {{"%1, down", "%1, vers le bas", "%1, abwärts", "%1, abajo", "%1, giù"}},
    {{"Setup tool for the TRC interface unit",
      "Outil de configuration de l'interface TRC",
      "Einstellprogramm für die TRC-Schnittstelle",
      "Herramienta de configuración de la interfaz TRC",
      "Strumento di configurazione dell'interfaccia TRC"}},
    {{"No permission to open the port: the user must be a member of the group that owns the "
      "device (usually dialout; log in again after joining it)",
      "Pas d'autorisation d'ouvrir le port : l'utilisateur doit être membre du groupe "
      "propriétaire du périphérique (en général dialout ; se reconnecter après y être entré)",
      "Keine Berechtigung, die Schnittstelle zu öffnen: der Benutzer muss Mitglied der "
      "Gruppe sein, der das Gerät gehört (meist dialout; nach dem Beitritt neu anmelden)",
      "Sin permiso para abrir el puerto: el usuario debe ser miembro del grupo propietario "
      "del dispositivo (normalmente dialout; vuelva a iniciar sesión tras unirse)",
      "Nessun permesso per aprire la porta: l'utente deve essere membro del gruppo "
      "proprietario del dispositivo (di solito dialout; accedere di nuovo dopo l'ingresso)"}},
    {{"The port went away (adapter pulled out or unit switched off)",
      "Le port a disparu (adaptateur débranché ou unité éteinte)",
      "Die Schnittstelle ist verschwunden (Adapter abgezogen oder Gerät ausgeschaltet)",
      "El puerto ha desaparecido (adaptador desconectado o unidad apagada)",
      "La porta è scomparsa (adattatore scollegato o unità spenta)"}},
    {{"Serial ports", "Ports série", "Serielle Schnittstellen", "Puertos serie",
      "Porte seriali"}},
    {{"Device of each COM port (blank: the built-in name)",
      "Périphérique de chaque port COM (vide : le nom par défaut)",
      "Gerät jeder COM-Schnittstelle (leer: der voreingestellte Name)",
      "Dispositivo de cada puerto COM (vacío: el nombre predeterminado)",
      "Dispositivo di ogni porta COM (vuoto: il nome predefinito)"}},
    {{"COM port %1", "Port COM %1", "COM-Schnittstelle %1", "Puerto COM %1", "Porta COM %1"}},
    {{"Open", "Ouvrir", "Öffnen", "Abrir", "Apri"}},
    {{"Save As", "Enregistrer sous", "Speichern unter", "Guardar como", "Salva con nome"}},
    {{"&Edit", "&Edition", "&Bearbeiten", "&Edición", "&Modifica"}},
    {{"&Undo", "&Annuler", "&Rückgängig", "&Deshacer", "&Annulla"}},
    {{"&Redo", "&Rétablir", "&Wiederholen", "&Rehacer", "&Ripeti"}},
    {{"&Undo %1", "&Annuler %1", "%1 &rückgängig", "&Deshacer %1", "&Annulla %1"}},
    {{"&Redo %1", "&Rétablir %1", "%1 &wiederholen", "&Rehacer %1", "&Ripeti %1"}},
    {{"Compare with file...", "Comparer avec un fichier...", "Mit Datei vergleichen...",
      "Comparar con archivo...", "Confronta con file..."}},
    {{"Compare with device", "Comparer avec le système", "Mit Gerät vergleichen",
      "Comparar con dispositivo", "Confronta con dispositivo"}},
    {{"Setting", "Paramètre", "Einstellung", "Ajuste", "Impostazione"}},
    {{"Value", "Valeur", "Wert", "Valor", "Valore"}},
    {{"Before", "Avant", "Vorher", "Antes", "Prima"}},
    {{"Section", "Section", "Bereich", "Sección", "Sezione"}},
    {{"Setup overview", "Vue d'ensemble de la configuration", "Übersicht der Einstellungen",
      "Vista general de la configuración", "Panoramica della configurazione"}},
    {{"Settings changed since the setup was opened, saved, read or written: %1",
      "Paramètres modifiés depuis l'ouverture, l'enregistrement, la lecture ou l'écriture : %1",
      "Seit dem Öffnen, Speichern, Lesen oder Programmieren geänderte Einstellungen: %1",
      "Ajustes cambiados desde que se abrió, guardó, leyó o escribió la configuración: %1",
      "Impostazioni modificate dall'apertura, salvataggio, lettura o scrittura: %1"}},
    {{"changed, was %1", "modifié, avant %1", "geändert, vorher %1", "cambiado, antes %1",
      "modificato, prima %1"}},
    {{"not available: %1", "non disponible : %1", "nicht verfügbar: %1", "no disponible: %1",
      "non disponibile: %1"}},
    {{"address %1", "adresse %1", "Adresse %1", "dirección %1", "indirizzo %1"}},
    {{"This setup", "Cette configuration", "Diese Einstellungen", "Esta configuración",
      "Questa configurazione"}},
    {{"The unit", "Le système", "Das Gerät", "El dispositivo", "Il dispositivo"}},
    {{"Comparison with %1", "Comparaison avec %1", "Vergleich mit %1", "Comparación con %1",
      "Confronto con %1"}},
    {{"The setups are equal.", "Les configurations sont identiques.",
      "Die Einstellungen sind gleich.", "Las configuraciones son iguales.",
      "Le configurazioni sono uguali."}},
    {{"Differences: %1", "Différences : %1", "Unterschiede: %1", "Diferencias: %1",
      "Differenze: %1"}},
    {{"Copy", "Copier", "Kopieren", "Copiar", "Copia"}},
    {{"Print...", "Imprimer...", "Drucken...", "Imprimir...", "Stampa..."}},
    {{"Close", "Fermer", "Schließen", "Cerrar", "Chiudi"}},
    {{"All Files (*)", "Tous les fichiers (*)", "Alle Dateien (*)", "Todos los archivos (*)",
      "Tutti i file (*)"}},
};
// clang-format on

} // namespace

std::span<const KARVO_TEXT> KarvoTextRows() {
    return ROWS;
}

QString KarvoText(int language, const QString& english) {
    if (language < 1 || language > 4)
        return english;
    for (const KARVO_TEXT& row : ROWS)
        if (english == QLatin1String(row.text[0]))
            return QString::fromUtf8(row.text[language]);
    return english;
}
