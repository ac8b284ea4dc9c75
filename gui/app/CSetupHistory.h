// CSetupHistory: the undo history of the setup (the main frame's image). Each change of the
// image by a setup dialog's OK or by Read device is one step holding the bytes and the
// modified flag before and after it. It owns its QUndoStack; the image is the frame's.
//
// The saved-state rule: undo and redo give back the modified flag of the state they return
// to, until the setup is saved within this history; from then on the saved state alone is
// unmodified, so a step back from it is never lost without the question to save.
//
// It follows the document: Open starts a new history and a new baseline (the setup the
// overview counts changes from), New starts a new history, Save takes a new baseline and
// marks the saved state.
#pragma once

#include <QObject>
#include <QUndoStack>
#include <functional>

class CE2prom;
class CKarvoDoc;
class QAction;
struct IMAGE_STATE;

class CSetupHistory : public QObject {
    Q_OBJECT
public:
    explicit CSetupHistory(CE2prom& image, QObject* parent = nullptr);
    ~CSetupHistory() override;

    // Follows the document's Open, New and Save; setBaseline takes the image as it is now
    // as the setup that changes are counted from.
    void Follow(CKarvoDoc& document, std::function<void()> setBaseline);
    // Keeps the texts ("&Undo Radio Interface") and enabled states of the Undo and Redo
    // actions up to date, in the language of the menus of resourceId.
    void ShowOn(QAction* undo, QAction* redo, int resourceId);

    // Makes the change of the image since before one step named name, when it changed
    // any byte.
    void Record(const QString& name, const IMAGE_STATE& before);
    void Undo() { Step(true); }
    void Redo() { Step(false); }
    bool CanUndo() const { return m_stack.canUndo(); }
    bool CanRedo() const { return m_stack.canRedo(); }
    // The steps held.
    int Count() const { return m_stack.count(); }

private:
    void Step(bool back);
    void StartNew();
    void MarkSaved();
    void UpdateActions();

    CE2prom& m_image;
    QUndoStack m_stack;
    bool m_savedInHistory = false; // the setup was saved since the history began
    QAction* m_undo = nullptr;     // the frame's actions (Qt children of the frame)
    QAction* m_redo = nullptr;
    int m_resourceId = 0;
};
