// CSetupComparer: the comparisons of the File menu. Compare with file asks for a setup file
// (in a file dialog of its own title, with Open's filters), reads it as Open would (a text
// setup applied to the shipped default setup) into an image of its own and shows how the
// main frame's image differs from it; Compare with device (DeviceCommands) shows its read
// the same way. One comparison window is open at a time, a Qt child of the frame; the
// frame's image, its modified flag and its undo history are never touched.
#pragma once

#include "gui/app/CComparisonWindow.h"

#include <QPointer>

class CE2prom;
class CMainFrame;

class CSetupComparer {
public:
    explicit CSetupComparer(CMainFrame& frame);

    void CompareWithFile();
    // Compares the frame's image with other and shows the outcome: otherName titles the
    // other setup's column, title the window ("Comparison with site.s19").
    void Show(CE2prom& other, const QString& otherName, const QString& title);
    // The comparison window shown last, while it is open.
    CComparisonWindow* Window() const { return m_window; }

private:
    CMainFrame& m_frame;
    QPointer<CComparisonWindow> m_window;
};
