// CProgress: the progress display of one device exchange, and CProgressFactory, which
// gives each exchange a fresh one.
//
// The exchange sets the range and the caption, then advances the position with SetStep
// and StepIt, shows a message line with SetMessage, and asks PollCancel whether the user
// wants to stop; the display is destroyed when the exchange ends, on every path.
// StepIt and PollCancel first let pending window events run (PumpMessages), and the
// exchange routes the port's waits to PumpMessages as well.
//
// This base class keeps the bounds, step, position and the cancel request, so that a
// display only shows: CProgressDlg for the GUI, a text line for the command line, a
// recorder for tests. Cancel only raises the request; the exchange takes it at its
// next PollCancel, which clears it.
#pragma once

#include <QString>
#include <memory>

class CProgress {
public:
    virtual ~CProgress() = default;

    // Stores the bounds: lower shows 0%, upper 100%. The position is kept within them.
    void SetRange(int lower, int upper);
    // Stores the amount StepIt adds.
    void SetStep(int step);
    // Lets events run, advances the position by the step and shows the percentage of
    // (previous position + step). A position past the upper bound starts again from the
    // lower bound, as a progress bar does. Returns the previous position.
    virtual int StepIt();
    // Lets events run; returns the cancel request and clears it.
    virtual bool PollCancel();
    // Raised by the Cancel button (close box, Escape) of a display, or by a test.
    void RequestCancel() { m_cancelRequested = true; }
    // True while a cancel request waits for the exchange's next PollCancel; the exchange
    // uses it to end a wait for the unit at once.
    virtual bool CancelPending() const { return m_cancelRequested; }
    // True when the program itself is being ended (the command-line tool on a signal): the
    // exchange stops at once, even where it no longer takes Cancel.
    virtual bool Ending() const { return false; }
    // From here on the exchange no longer takes Cancel (the unit already has everything
    // and stores it whatever happens); a display shows that its Cancel does nothing now.
    virtual void DisableCancel() {}

    virtual void SetCaption(const QString& caption) = 0;
    virtual void SetMessage(const QString& message) = 0;
    // Runs the window events that are waiting; nothing by default.
    virtual void PumpMessages() {}

    int Lower() const { return m_lower; }
    int Upper() const { return m_upper; }
    int Step() const { return m_step; }
    int Position() const { return m_position; }

protected:
    virtual void ShowRange(int lower, int upper) = 0;
    virtual void ShowStep(int step) { (void)step; }
    // position is the bar's new position; percentText the text for the advanced one.
    virtual void ShowPosition(int position, const QString& percentText) = 0;

private:
    int m_lower = 0;
    int m_upper = 100;
    int m_step = 1;
    int m_position = 0;
    bool m_cancelRequested = false;
};

// Creates the progress display of each exchange.
class CProgressFactory {
public:
    virtual ~CProgressFactory() = default;
    // A new display, already shown; nullptr when none can be shown.
    virtual std::unique_ptr<CProgress> CreateProgress() = 0;
};

// The percentage shown for a bar position: (position - lower) x 100 / (upper - lower),
// truncated, and taken modulo 100 unless it is exactly 100 (a position of 105 in 0 to
// 100 shows 5). An empty range shows 100 once the position reaches it, else 0.
int ProgressPercent(int position, int lower, int upper);

// The percentage as shown: the number directly followed by "%", e.g. "42%".
QString ProgressPercentText(int position, int lower, int upper);
