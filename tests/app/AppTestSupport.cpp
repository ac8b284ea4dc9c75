#include "AppTestSupport.h"

#include "core/forms/ReportText.h"
#include "core/image/CE2prom.h"
#include "core/lang/CProfile.h"
#include "core/lang/CurrentLanguage.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTimer>
#include <QtTest>

CTestFolder::CTestFolder() : m_previous(QDir::currentPath()) {
    QVERIFY(m_dir.isValid());
    QDir::setCurrent(m_dir.path());
    CProfile::SetPath(m_dir.filePath(QStringLiteral("karvo.ini")));
    SetCurrentLanguage(0);
}

CTestFolder::~CTestFolder() {
    QDir::setCurrent(m_previous);
    CProfile::SetPath(QString());
    SetCurrentLanguage(0);
}

QString CTestFolder::Path(const QString& name) const {
    return m_dir.filePath(name);
}

void CTestFolder::Write(const QString& name, const QByteArray& data) const {
    QFile file(Path(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
}

QByteArray CTestFolder::Read(const QString& name) const {
    QFile file(Path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void CTestFolder::AddDefaultSetup() const {
    QVERIFY(QFile::copy(QStringLiteral(KARVO_DEFAULT_SETUP), Path(QStringLiteral("karvo.def"))));
}

void CTestFolder::AddHelpFolders() const {
    for (const char* folder : {"eng", "fra", "ger", "spa", "ita"}) {
        const QString source = QStringLiteral(KARVO_SHELL_DIR "/") + folder;
        QDir().mkpath(Path(folder));
        for (const QString& name : QDir(source).entryList(QDir::Files))
            QVERIFY(QFile::copy(source + '/' + name, Path(folder) + '/' + name));
    }
}

CRecordingProcess::CRecordingProcess() {
    SetProcessControl(this);
}
CRecordingProcess::~CRecordingProcess() {
    SetProcessControl(nullptr);
}

CScriptedFileDialogs::CScriptedFileDialogs() {
    SetFileDialogs(this);
}
CScriptedFileDialogs::~CScriptedFileDialogs() {
    SetFileDialogs(nullptr);
}

QString CScriptedFileDialogs::OpenFileName(QWidget*, const QString& title) {
    ++openCalls;
    openTitles.append(title);
    return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
}

QString CScriptedFileDialogs::SaveFileName(QWidget*, const QString& proposedName) {
    saveProposals.append(proposedName);
    return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
}

CFakeSetupDialog::CFakeSetupDialog(CE2prom* image, const FakeDialogPlan& plan, QWidget* parent)
    : CSetupDialog(parent), m_image(image), m_plan(plan) {
    if (m_plan.throwInConstructor)
        m_plan.throwInConstructor();
}

int CFakeSetupDialog::exec() {
    setResult(m_plan.result);
    return m_plan.result;
}

void CFakeSetupDialog::Commit() {
    if (m_plan.throwInCommit)
        m_plan.throwInCommit();
    m_image->SetByte(m_plan.commitAddress, std::uint8_t(m_plan.commitValue));
}

CMainFrame::SetupDialogSource CFakeDialogs::Source() {
    return {[this](int id) { return !available || available->contains(id); },
            [this](int id, CE2prom* image, bool readOnly, QWidget* parent) {
                built.append({id, readOnly, parent});
                auto dialog = std::make_unique<CFakeSetupDialog>(image, plans[id], parent);
                return std::unique_ptr<CSetupDialog>(std::move(dialog));
            },
            [this](const REPORT_SECTION& section, CE2prom* image) {
                reported.append(section.commandId);
                if (const auto& raise = plans[section.commandId].throwInConstructor)
                    raise();
                return ReportSectionText(section, *image, LANGUAGE_ENGLISH);
            }};
}

CModalWatcher::CModalWatcher(std::function<void(QWidget*)> action)
    : m_timer(std::make_unique<QTimer>()) {
    m_timer->setInterval(5);
    QObject::connect(m_timer.get(), &QTimer::timeout, [this, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || m_fired)
            return;
        m_fired = true;
        m_timer->stop();
        action(modal);
    });
    m_timer->start();
}

CModalWatcher::~CModalWatcher() = default;

bool NativePrintDialogs() {
    return QSysInfo::productType() == QLatin1String("windows");
}

QString ProfileString(const QString& section, const QString& entry) {
    return CProfile::GetString(section, entry);
}
