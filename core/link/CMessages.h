// The message seam: every message box of the program (error reports, outcome boxes,
// questions) goes through one service. The GUI installs a service that shows a
// QMessageBox, the tests install one that records and answers, and the default one
// writes the box to stderr and gives the default answer (for the command-line tool).
#pragma once

#include <QString>

enum class MsgIcon { None, Stop, Question, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

class CMessageService {
public:
    virtual ~CMessageService() = default;
    // Shows a modal box and returns the button the user chose.
    virtual MsgAnswer Show(const QString& text, const QString& caption, MsgIcon icon,
                           MsgButtons buttons) = 0;
};

// Writes each box as "caption: text" to stderr; answers Ok for Ok and OkCancel, Yes for
// YesNo and YesNoCancel.
class CStderrMessageService : public CMessageService {
public:
    MsgAnswer Show(const QString& text, const QString& caption, MsgIcon icon,
                   MsgButtons buttons) override;
};

// The service in use. Never null: without an installed service, a CStderrMessageService.
CMessageService& Messages();

// Installs a service (not owned; it must outlive its use). nullptr restores the default.
void SetMessageService(CMessageService* service);

// While it lives, every box goes unseen (answered Ok); the service installed before it
// comes back afterwards. For work that reports its own outcome: a probe of a port where no
// unit is no error, a refused value says so itself.
class CQuietMessages : public CMessageService {
public:
    CQuietMessages() : m_previous(&Messages()) { SetMessageService(this); }
    ~CQuietMessages() override { SetMessageService(m_previous); }
    CQuietMessages(const CQuietMessages&) = delete;
    CQuietMessages& operator=(const CQuietMessages&) = delete;
    MsgAnswer Show(const QString&, const QString&, MsgIcon, MsgButtons) override {
        return MsgAnswer::Ok;
    }

private:
    CMessageService* m_previous;
};
