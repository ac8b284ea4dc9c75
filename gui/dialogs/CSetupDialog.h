// CSetupDialog: what every setup dialog offers its opener.
//
// The constructor builds the dialog on the image and attaches its bindings, so any
// binding error (CCtrlErr) is raised there, never from inside an event handler. After
// the modal dialog has ended with OK its opener calls Commit, which stores every bound
// value into the image; Cancel stores nothing. PrintSection draws the dialog's section
// of the setup report at pos and returns the position below it.
#pragma once

#include <QDialog>
#include <QPoint>

class QPainter;

class CSetupDialog : public QDialog {
public:
    using QDialog::QDialog;

    virtual void Commit() = 0;
    virtual QPoint PrintSection(QPainter& painter, QPoint pos) = 0;
};
