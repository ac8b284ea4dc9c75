// CProgressDlg: the modeless progress dialog of the device exchanges (template 137):
// a bar, a percentage, a message line and Cancel.
//
// Create disables the owner's window for as long as the dialog exists, so no other
// command can start and the window cannot be closed meanwhile; the destructor enables it
// again on every path. Cancel
// (the button, the close box and Escape) only raises the request that the exchange
// takes at its next PollCancel; the dialog stays open. StepIt and PollCancel run the
// waiting window events, which keeps every window painted.
//
// The dialog is a window of its own (no Qt parent; the owner is its transient parent),
// so whoever created it owns it alone and disabling the owner leaves it usable.
#pragma once

#include "core/link/CProgress.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QProgressBar;
class QPushButton;

class CProgressDlg : public QDialog, public CProgress {
    Q_OBJECT
public:
    CProgressDlg();
    ~CProgressDlg() override;

    // Shows the dialog over owner's window and disables that window if it is enabled.
    // Returns 1.
    int Create(QWidget* owner);

    // The control with a template ID (1090, 1091, 1092, 2), or nullptr.
    QWidget* Control(int id) const;

    void SetCaption(const QString& caption) override;
    void SetMessage(const QString& message) override;
    void PumpMessages() override;
    void DisableCancel() override;

    // Gives each exchange a new dialog owned by the main window.
    class Factory : public CProgressFactory {
    public:
        explicit Factory(QWidget* owner) : m_owner(owner) {}
        std::unique_ptr<CProgress> CreateProgress() override;

    private:
        QPointer<QWidget> m_owner;
    };

protected:
    // Keeps the disabled owner from being closed (its close box still works on some
    // desktops) while the exchange runs.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override; // Escape
    void closeEvent(QCloseEvent* event) override;

    void ShowRange(int lower, int upper) override;
    void ShowPosition(int position, const QString& percentText) override;

private:
    void BuildControls();

    QProgressBar* m_bar = nullptr;
    QLabel* m_percent = nullptr;
    QLabel* m_message = nullptr;
    QPushButton* m_cancel = nullptr;
    QPointer<QWidget> m_owner;
    bool m_ownerDisabled = false;
};
