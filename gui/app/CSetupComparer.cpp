#include "gui/app/CSetupComparer.h"

#include "core/forms/CTextSetup.h"
#include "core/forms/SetupComparison.h"
#include "core/image/CE2prom.h"
#include "core/lang/CurrentLanguage.h"
#include "core/link/CError.h"
#include "core/link/CMessages.h"
#include "gui/app/AddedMenus.h"
#include "gui/app/CFileDialogs.h"
#include "gui/app/CKarvoDoc.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CProcessControl.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Reads a setup file into image as Open reads it; false (reported) when it cannot.
bool ReadSetupFile(const QString& path, CE2prom& image) {
    if (QFile file(path); file.open(QIODevice::ReadOnly)) {
        const QByteArray text = file.readAll();
        // A text setup is compared as it would open: applied to the shipped default setup.
        if (CTextSetup::IsTextSetup(text))
            return CKarvoDoc::LoadTextSetup(path, text, image);
    }
    try {
        QByteArray type;
        const int result = image.LoadSRecords(path, &type);
        if (result == -1)
            CKarvoDoc::ReportUnsupportedRecord(path, type);
        else if (result == 0)
            Messages().Show(
                Tr(QStringLiteral("Cannot open %1")).arg(QDir::toNativeSeparators(path)),
                QStringLiteral("Karvo"), MsgIcon::Exclamation, MsgButtons::Ok);
        return result == 1;
    } catch (const CError& error) {
        error.ReportError();
        return false;
    }
}

} // namespace

CSetupComparer::CSetupComparer(CMainFrame& frame) : m_frame(frame) {}

void CSetupComparer::CompareWithFile() {
    // The dialog is titled after the menu item, without its dots.
    QString title = PlainMenuText(AddedMenuText(m_frame.ResourceId(), ID_FILE_COMPARE_FILE));
    if (title.endsWith(QStringLiteral("...")))
        title.chop(3);
    const QString path = FileDialogs().OpenFileName(&m_frame, title);
    CE2prom other;
    if (path.isEmpty() || !ReadSetupFile(path, other))
        return;
    const QString name = QFileInfo(path).fileName();
    Show(other, name, Tr(QStringLiteral("Comparison with %1")).arg(name));
}

void CSetupComparer::Show(CE2prom& other, const QString& otherName, const QString& title) {
    SETUP_DIFFERENCES differences;
    try {
        differences = CompareSetups(*m_frame.Image(), other, GetCurrentLanguage());
    } catch (const CError& error) {
        if (error.ReportError())
            ProcessControl().EndProcess(0);
        return;
    }
    if (m_window)
        m_window->close();
    m_window = new CComparisonWindow(differences, *m_frame.Image(), other, otherName, title,
                                     m_frame.Printer(), &m_frame);
    m_window->show();
}
