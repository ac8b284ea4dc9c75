#include "gui/app/CSetupHistory.h"

#include "core/image/CE2prom.h"
#include "gui/app/AddedMenus.h"
#include "gui/app/CImageChangeCommand.h"
#include "gui/app/CKarvoDoc.h"
#include "gui/shell/ShellResources.h"

#include <QAction>

CSetupHistory::CSetupHistory(CE2prom& image, QObject* parent) : QObject(parent), m_image(image) {
    for (auto signal : {&QUndoStack::canUndoChanged, &QUndoStack::canRedoChanged})
        connect(&m_stack, signal, this, &CSetupHistory::UpdateActions);
    connect(&m_stack, &QUndoStack::indexChanged, this, &CSetupHistory::UpdateActions);
}

CSetupHistory::~CSetupHistory() {
    // The stack goes after this object's members; it has nothing more to say.
    m_stack.disconnect(this);
}

void CSetupHistory::Follow(CKarvoDoc& document, std::function<void()> setBaseline) {
    connect(&document, &CKarvoDoc::DocumentOpened, this, [this, setBaseline] {
        StartNew();
        setBaseline();
    });
    connect(&document, &CKarvoDoc::DocumentNew, this, &CSetupHistory::StartNew);
    connect(&document, &CKarvoDoc::DocumentSaved, this, [this, setBaseline] {
        setBaseline();
        MarkSaved();
    });
}

void CSetupHistory::ShowOn(QAction* undo, QAction* redo, int resourceId) {
    m_undo = undo;
    m_redo = redo;
    m_resourceId = resourceId;
    UpdateActions();
}

void CSetupHistory::Record(const QString& name, const IMAGE_STATE& before) {
    if (m_image.Bytes() == before.bytes)
        return;
    m_stack.push(new CImageChangeCommand(m_image, name, before));
}

void CSetupHistory::StartNew() {
    m_stack.clear();
    m_savedInHistory = false;
}

void CSetupHistory::MarkSaved() {
    m_stack.setClean();
    m_savedInHistory = true;
}

void CSetupHistory::Step(bool back) {
    if (back)
        m_stack.undo();
    else
        m_stack.redo();
    if (m_savedInHistory)
        m_image.SetModified(!m_stack.isClean());
}

void CSetupHistory::UpdateActions() {
    struct UNDO_TEXT {
        QAction* action;
        int id;
        const char* named;
        QString step;
        bool enabled;
    };
    const UNDO_TEXT texts[] = {{m_undo, ID_EDIT_UNDO, "&Undo %1", m_stack.undoText(), CanUndo()},
                               {m_redo, ID_EDIT_REDO, "&Redo %1", m_stack.redoText(), CanRedo()}};
    for (const UNDO_TEXT& text : texts) {
        if (!text.action)
            continue;
        text.action->setEnabled(text.enabled);
        const QString label = text.step.isEmpty()
                                  ? AddedMenuText(m_resourceId, text.id)
                                  : MenuLanguageText(m_resourceId, text.named).arg(text.step);
        const QList<QKeySequence> keys = AddedCommandKeys(text.id);
        text.action->setText(keys.isEmpty()
                                 ? label
                                 : label + u'\t' + keys.first().toString(QKeySequence::NativeText));
    }
}
