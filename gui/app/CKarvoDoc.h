// CKarvoDoc: the single document. It holds no data of its own: the setup it stands for is
// the main frame's image, and the document connects the file commands (New, Open, Save,
// Save As, closing) to the image's S-record load and save and to its modified flag. It
// keeps the file's path and the title shown in the window caption.
#pragma once

#include "gui/app/CCommandTarget.h"

#include <QObject>
#include <QString>

class CE2prom;
class CMainFrame;

class CKarvoDoc : public QObject, public CCommandTarget {
    Q_OBJECT
public:
    explicit CKarvoDoc(CMainFrame& frame);

    // The full path of the file, empty for an untitled document.
    QString PathName() const { return m_path; }
    // The file's name, or "Untitled".
    QString Title() const { return m_title; }
    static QString UntitledName();

    // Asks "Save changes to ...?" (Yes, No) when the image is modified. Yes saves as the
    // Save command does. Returns true to go on, false to stop the operation that asked
    // (the save failed or was cancelled).
    bool SaveModified();

    // File New after the question: the document becomes untitled, the image stays as it is.
    void OnNewDocument();
    // Asks the save question, then loads path into the image; on success the document
    // takes the file's path and title and the file joins the recent-file list.
    bool OpenDocumentFile(const QString& path);
    // Loads path into the image: success exactly when the load returns 1. Image errors
    // and unsupported record types are reported and count as failure.
    bool OnOpenDocument(const QString& path);
    // True when the last failed open has shown why; a file that could not be opened at
    // all shows nothing.
    bool OpenFailureShown() const { return m_openFailureShown; }
    // The box for a setup file that holds a record type Karvo does not read ("S2").
    static void ReportUnsupportedRecord(const QString& path, const QByteArray& type);
    // Fills setup from a text setup (applied to the shipped default setup); a refused text
    // is reported with its file and line, and false returned.
    static bool LoadTextSetup(const QString& path, const QByteArray& text, CE2prom& setup);
    // Saves the image to path; image errors are reported and count as failure.
    bool OnSaveDocument(const QString& path);
    // Save: to the document's file, or as Save As when there is none, or it is read-only
    // or gone.
    bool DoFileSave();
    // Save As when path is empty (the dialog proposes the current name), else a save to
    // path; on success the document takes the new path and title.
    bool DoSave(const QString& path);

    bool OnCmdMsg(int id) override;

signals:
    void TitleChanged();
    // A file was opened into the image, the document became new, the image was saved.
    void DocumentOpened();
    void DocumentNew();
    void DocumentSaved();

private:
    void SetPathName(const QString& path);
    void SetTitle(const QString& title);
    bool OpenTextSetup(const QString& path, const QByteArray& text);

    CMainFrame& m_frame;
    QString m_path;
    QString m_title;
    bool m_openFailureShown = false;
    bool m_openedText = false; // the last open read a text setup
};
