#include "core/link/CError.h"

#include "core/lang/CurrentLanguage.h"
#include "core/lang/KarvoTexts.h"
#include "core/link/CMessages.h"

#include <array>

namespace {

const char* const UNKNOWN_ERROR = "Unknown error.";

const std::array<const char*, 7> COM_TEXTS = {
    "Free store exhasted.",
    "File not found.",
    "Timeout, device not responding.",
    "Checksum not correct.",
    nullptr, // code 4 names the serial-layer return code instead
    " Device is not responding.",
    " Device is not connected.",
};

const std::array<const char*, 7> E2_TEXTS = {
    "Free store exhasted.",
    "File not found.",
    "No address file.",
    "E2prom memmory not initiated.",
    "File not in the right format or damage.",
    "Checksum in Motorola file incorrect.",
    "Unknown error.",
};

const std::array<const char*, 7> CTRL_TEXTS = {
    "Free store exhasted.",
    "Object ID not found in VARIABLE_STRUCT contents.",
    "E2Prom class not initialized.",
    "Variable_struct not initiated.",
    "CString contained no valid number.",
    "Value_struct incorrect.",
    "Unknown error.",
};

const char* TextFor(const std::array<const char*, 7>& texts, int code) {
    if (code < 0 || code >= int(texts.size()) || texts[code] == nullptr)
        return UNKNOWN_ERROR;
    return texts[code];
}

struct LIBRARY_CODE {
    int code;
    const char* name;
    const char* text;
    bool namesDevice = false; // the text is "DEVICE: text" (a network address)
};

// Return codes of the serial layer, their names (reported untranslated by CComErr code 4)
// and their plain texts (appended to the device commands' error boxes).
const LIBRARY_CODE LIBRARY_CODES[] = {
    {-1, " AS GENERAL ERROR", "General error"},
    {-2, " AS INV PORT", "Invalid port"},
    {-3, " AS IN USE", "Port in use"},
    {-4, " AS INV BUF SIZE", "Invalid buffer size"},
    {-5, " AS NO MEMORY", "No memory"},
    {-6, " AS NOT SETUP", "Not setup"},
    {-7, " AS INV PAR", "Invalid parameter"},
    {-8, " AS BUFR EMPTY", "Buffer empty"},
    {-9, " AS BUFR FULL", "Buffer full"},
    {-10, " AS TIMEOUT", "Timeout"},
    {-11, " AS NO CTS", "No CTS"},
    {-12, " AS NO CD", "No CD"},
    {-13, " AS NO DSR", "No DSR"},
    {-14, " AS NO 8250", "No 8250"},
    {-15, " AS XM STATUS", "XM status"},
    {-16, " AS USER ABORT", "User abort"},
    {-17, " AS FILLER", "Filler"},
    {-18, " AS XM ERROR", "XM error"},
    {-19, " AS NO WIDERX", "No WIDERX"},
    {-20, " AS CONFLICT", "Conflict"},
    {-21, " AS CRC MODE", "CRC mode"},
    {-22, " AS NO HAYES OK", "No HAYES OK"},
    {-23, " AS NO HAYES RESPOND", "No HAYES RESPOND"},
    {-24, " AS NOT SUPPORTED", "Not supported"},
    {-25, " AS ILLEGAL BAUDRATE", "Illegal baudrate"},
    {-26, " AS ILLEGAL PARITY", "Illegal parity"},
    {-27, " AS ILLEGAL WORD LENGTH", "Illegal word length"},
    {-28, " AS ILLEGAL STOPBIT", "Illegal stopbit"},
    {-29, " AS NO COPYRIGHT NOTICE", "No copyrith notice"},
    {-30, " AS DRIVER NOT INSTALLED", "Driver not installed"},
    {-31, " AS OVERFLOW", "Overflow"},
    {-32, " AS CONNECT FAILURE", "Connect failure"},
    {-33, " AS DOS EXTENDER ERROR", "DOS extender error"},
    {-34, " AS ILLEGAL BOARD NUMBER", "Illegal board number"},
    {-35, " AS BOARD IN USE", "Board in use"},
    {-36, " AS HANDSHAKE BLOCK", "Handshake block"},
    {-37, " AS MAXPORTS EXCEEDED", "Maximum ports exceeded"},
    {-38, " AS ILLEGAL IRQ", "Illegal IRQ"},
    {-39, " AS IRQ IN USE", "IRQ in use"},
    {-40, " AS THUNK SETUP FAILED", "Thunk setup failed"},
    {-41, " AS NASI ERROR", "Nasi error"},
    {-42, " AS PACKING ERROR", "Packing error"},
    {-75, " AS USER DEFINED ERROR", "User defined error"},
    {-76, " AS NO PERMISSION",
     "No permission to open the port: the user must be a member of the group that owns the "
     "device (usually dialout; log in again after joining it)"},
    {-77, " AS PORT LOST", "The port went away (adapter pulled out or unit switched off)"},
    {-78, " AS BAD ADDRESS", "not a network address (socket://HOST:PORT or rfc2217://HOST:PORT)",
     true},
    {-79, " AS CONNECTION REFUSED", "connection refused (nothing listens at that port)", true},
    {-80, " AS HOST UNREACHABLE", "host not found or not reachable", true},
    {-81, " AS COM CONTROL REFUSED", "the server refuses COM port control (RFC 2217)", true},
    {-82, " AS SPEED REFUSED", "the server did not set its serial port to 9600 baud", true},
};

const LIBRARY_CODE* FindLibraryCode(int code) {
    for (const LIBRARY_CODE& entry : LIBRARY_CODES)
        if (entry.code == code)
            return &entry;
    return nullptr;
}

} // namespace

QString CError::ComposeText() const {
    QString text = QString::fromLatin1(m_objectName);
    text += QStringLiteral(" : ");
    AppendMessage(text);
    return text;
}

int CError::ReportError(CMessageService& messages) const {
    const QString caption = Tr(QStringLiteral("ERROR"));
    messages.Show(ComposeText(), caption, MsgIcon::Stop, MsgButtons::Ok);
    return IsFatal() ? 1 : 0;
}

int CError::ReportError() const {
    return ReportError(Messages());
}

void CComErr::AppendMessage(QString& text) const {
    if (m_code == 4) {
        text += LibraryErrorName(m_libCode);
        return;
    }
    text += Tr(QString::fromLatin1(TextFor(COM_TEXTS, m_code)));
}

void CE2Error::AppendMessage(QString& text) const {
    if (m_code == CANNOT_WRITE) {
        text += Tr(QStringLiteral("File cannot be written:")) + ' ' + m_reason;
        return;
    }
    text += QString::fromLatin1(TextFor(E2_TEXTS, m_code));
}

void CCtrlErr::AppendMessage(QString& text) const {
    text += QString::fromLatin1(TextFor(CTRL_TEXTS, m_code));
}

QString LibraryErrorName(int libraryCode) {
    const LIBRARY_CODE* entry = FindLibraryCode(libraryCode);
    return QString::fromLatin1(entry ? entry->name : " UNKNOWN");
}

QString LibraryErrorText(int libraryCode) {
    const LIBRARY_CODE* entry = FindLibraryCode(libraryCode);
    return QString::fromLatin1(entry ? entry->text : "Unknown");
}

void AppendLibraryErrorText(int libraryCode, QString& text, const QString& device) {
    // The library's own texts stay as the library gave them; Karvo's own port texts (no
    // permission, port lost, network addresses) are shown in the technician's language.
    const LIBRARY_CODE* entry = FindLibraryCode(libraryCode);
    if (entry && entry->namesDevice && !device.isEmpty())
        text += device + QStringLiteral(": ");
    text += KarvoText(GetCurrentLanguage(), LibraryErrorText(libraryCode));
}
