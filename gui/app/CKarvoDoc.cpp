#include "gui/app/CKarvoDoc.h"

#include "core/forms/CTextSetup.h"
#include "core/image/CE2prom.h"
#include "core/lang/CurrentLanguage.h"
#include "core/link/CError.h"
#include "core/link/CMessages.h"
#include "gui/app/CFileDialogs.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CRecentFileList.h"
#include "gui/shell/ShellResources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

CKarvoDoc::CKarvoDoc(CMainFrame& frame) : m_frame(frame), m_title(UntitledName()) {}

QString CKarvoDoc::UntitledName() {
    return Tr(QStringLiteral("Untitled"));
}

void CKarvoDoc::SetTitle(const QString& title) {
    m_title = title;
    emit TitleChanged();
}

void CKarvoDoc::SetPathName(const QString& path) {
    const QFileInfo info(path);
    m_path = info.absoluteFilePath();
    CRecentFileList::Add(m_path);
    SetTitle(info.fileName());
}

bool CKarvoDoc::SaveModified() {
    if (!m_frame.Image()->IsModified())
        return true;
    // The question names the full path, and a Yes saves to that same file.
    QString name = m_path;
    if (name.isEmpty())
        name = m_title.isEmpty() ? UntitledName() : m_title;
    const QString text = Tr(QStringLiteral("Save changes to %1?")).arg(name);
    const MsgAnswer answer =
        Messages().Show(text, QStringLiteral("Karvo"), MsgIcon::Question, MsgButtons::YesNo);
    if (answer == MsgAnswer::Yes)
        return DoFileSave();
    return true;
}

void CKarvoDoc::OnNewDocument() {
    m_path.clear();
    SetTitle(UntitledName());
    emit DocumentNew();
}

bool CKarvoDoc::OpenDocumentFile(const QString& path) {
    if (!SaveModified())
        return false;
    if (!OnOpenDocument(path))
        return false;
    // A text setup is not saved over: it opens as an untitled setup, saved as S-records.
    if (m_openedText)
        OnNewDocument();
    else
        SetPathName(path);
    emit DocumentOpened();
    return true;
}

bool CKarvoDoc::LoadTextSetup(const QString& path, const QByteArray& text, CE2prom& setup) {
    try {
        CTextSetup::LoadOnDefault(setup, text);
        return true;
    } catch (const TEXT_SETUP_ERROR& error) {
        const QString where = QDir::toNativeSeparators(path) +
                              (error.line > 0 ? QStringLiteral(":%1").arg(error.line) : QString());
        Messages().Show(where + QStringLiteral(": ") + error.Text(), QStringLiteral("Karvo"),
                        MsgIcon::Exclamation, MsgButtons::Ok);
        return false;
    } catch (const CError& error) {
        // A setting's logic refused to work: reported as every such error is.
        error.ReportError();
        return false;
    }
}

bool CKarvoDoc::OpenTextSetup(const QString& path, const QByteArray& text) {
    CE2prom setup;
    if (!LoadTextSetup(path, text, setup)) {
        m_openFailureShown = true;
        return false;
    }
    CE2prom* image = m_frame.Image();
    for (int address = 0; address < int(image->GetSize()); ++address)
        image->SetByte(address, setup.GetByte(address));
    m_openedText = true;
    return true;
}

bool CKarvoDoc::OnOpenDocument(const QString& path) {
    CE2prom* image = m_frame.Image();
    m_openFailureShown = false;
    m_openedText = false;
    if (QFile file(path); file.open(QIODevice::ReadOnly)) {
        const QByteArray text = file.readAll();
        if (CTextSetup::IsTextSetup(text))
            return OpenTextSetup(path, text);
    }
    try {
        QByteArray type;
        const int result = image->LoadSRecords(path, &type);
        if (result == -1) {
            ReportUnsupportedRecord(path, type);
            m_openFailureShown = true;
        }
        return result == 1;
    } catch (const CError& error) {
        // A damaged file: the image keeps its contents, the open fails.
        error.ReportError();
        m_openFailureShown = true;
        return false;
    }
}

void CKarvoDoc::ReportUnsupportedRecord(const QString& path, const QByteArray& type) {
    const QString text =
        Tr(QStringLiteral("%1 holds an %2 record, which Karvo does not read. Nothing was loaded."))
            .arg(QDir::toNativeSeparators(path), QString::fromLatin1(type));
    Messages().Show(text, QStringLiteral("Karvo"), MsgIcon::Exclamation, MsgButtons::Ok);
}

bool CKarvoDoc::OnSaveDocument(const QString& path) {
    CE2prom* image = m_frame.Image();
    try {
        return image->SaveSRecords(path) == 1;
    } catch (const CError& error) {
        error.ReportError();
        return false;
    }
}

bool CKarvoDoc::DoFileSave() {
    // A file marked read-only (no owner write permission) counts as read-only even for a
    // user who could write it anyway, as a read-only attribute would.
    const QFileInfo info(m_path);
    const bool readOnly = !info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner);
    if (m_path.isEmpty() || !info.exists() || readOnly)
        return DoSave(QString());
    return DoSave(m_path);
}

bool CKarvoDoc::DoSave(const QString& path) {
    QString name = path;
    if (name.isEmpty()) {
        name = FileDialogs().SaveFileName(&m_frame, m_path.isEmpty() ? m_title : m_path);
        if (name.isEmpty())
            return false;
    }
    if (!OnSaveDocument(name))
        return false;
    SetPathName(name);
    emit DocumentSaved();
    return true;
}

bool CKarvoDoc::OnCmdMsg(int id) {
    switch (id) {
    case ID_FILE_SAVE:
        DoFileSave();
        return true;
    case ID_FILE_SAVE_AS:
        DoSave(QString());
        return true;
    case ID_FILE_MRU_FILE1:
        // The recent-file list is kept but never shown; its command does nothing.
        return true;
    default:
        return false;
    }
}
