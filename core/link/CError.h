// The error objects that the whole program raises: CError and its three kinds,
// CComErr (serial link and device exchanges, object name "CComProm"),
// CE2Error (configuration image and S-record files, object name "E2prom") and
// CCtrlErr (setting bindings and the variable lookup, object name given by the thrower).
//
// Each carries the failing object's name and a code. ReportError shows
// "name : message" in a stop box captioned "ERROR" (translated) through the message
// seam and says whether the program must end. Thrown by value, caught by reference.
#pragma once

#include <QString>

class CMessageService;

class CError {
public:
    explicit CError(const char* objectName) : m_objectName(objectName) {}
    virtual ~CError() = default;

    // Appends this error's message text to text.
    virtual void AppendMessage(QString& text) const = 0;
    // True if the program must end once the error has been reported.
    virtual bool IsFatal() const = 0;

    // "object name : message", exactly as the report box shows it.
    QString ComposeText() const;
    // Shows the error in a stop box and returns IsFatal(); through messages, or the
    // program's message service.
    int ReportError(CMessageService& messages) const;
    int ReportError() const;

    const char* ObjectName() const { return m_objectName; }

protected:
    const char* m_objectName; // points at a static text; never owned
};

class CComErr : public CError {
public:
    explicit CComErr(int code) : CError("CComProm"), m_code(code) {}
    CComErr(int code, int libraryCode) : CError("CComProm"), m_code(code), m_libCode(libraryCode) {}

    void AppendMessage(QString& text) const override;
    bool IsFatal() const override { return m_code == 0; }

    int Code() const { return m_code; }
    int LibraryCode() const { return m_libCode; }

private:
    int m_code;
    int m_libCode = 0; // the serial layer's return value; meaningful for code 4 only
};

class CE2Error : public CError {
public:
    // A file that exists but cannot be written; the reason (permission, disk full) follows
    // the message.
    static constexpr int CANNOT_WRITE = 7;

    explicit CE2Error(int code, QString reason = {})
        : CError("E2prom"), m_code(code), m_reason(std::move(reason)) {}

    void AppendMessage(QString& text) const override;
    bool IsFatal() const override { return m_code == 0 || m_code == 4 || m_code == 5; }

    int Code() const { return m_code; }

private:
    int m_code;
    QString m_reason;
};

class CCtrlErr : public CError {
public:
    CCtrlErr(const char* objectName, int code) : CError(objectName), m_code(code) {}

    void AppendMessage(QString& text) const override;
    bool IsFatal() const override { return m_code >= 0 && m_code <= 3; }

    int Code() const { return m_code; }

private:
    int m_code;
};

// The name of a serial-layer return code as CComErr code 4 reports it (" AS TIMEOUT"),
// or " UNKNOWN" for a value outside the table.
QString LibraryErrorName(int libraryCode);

// The plain text of a serial-layer return code ("Timeout"), or "Unknown".
QString LibraryErrorText(int libraryCode);

// Appends the plain text of a serial-layer return code to text (which may hold text). The
// failures of a network port name its address first ("socket://site7:4001: connection
// refused") when device gives it.
void AppendLibraryErrorText(int libraryCode, QString& text, const QString& device = QString());
