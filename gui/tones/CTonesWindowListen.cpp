// CTonesWindow's Listen part: recording from the sound card or reading a WAV file, the
// decoder fed as the sound comes, and the heard tones and their meanings listed.
#include "gui/tones/CTonesWindow.h"

#include "core/image/CE2prom.h"
#include "core/lang/CurrentLanguage.h"
#include "core/settings/Mnemonic.h"
#include "core/tones/ToneMeaning.h"
#include "core/tones/WavFile.h"
#include "gui/app/CFileDialogs.h"
#include "gui/tones/ToneControls.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

QWidget* CTonesWindow::MakeListen() {
    auto* box = new QGroupBox(Tr(QStringLiteral("Listen")), this);
    m_record = ToneButton(QStringLiteral("R&ecord"), box);
    m_record->setObjectName(QStringLiteral("record"));
    m_stopRecording = ToneButton(QStringLiteral("Stop recordin&g"), box);
    QPushButton* open = ToneButton(QStringLiteral("Open WA&V..."), box);
    m_heardList = new QTreeWidget(box);
    m_heardList->setRootIsDecorated(false);
    m_heardList->setHeaderLabels({Tr(QStringLiteral("Start (ms)")),
                                  Tr(QStringLiteral("Length (ms)")), Tr(QStringLiteral("Tone")),
                                  QStringLiteral("Hz"), Tr(QStringLiteral("Level (dB)"))});
    m_meanings = new QListWidget(box);
    // A telegram's tones at a glance: six lines and the header.
    for (QAbstractItemView* list : {static_cast<QAbstractItemView*>(m_heardList),
                                    static_cast<QAbstractItemView*>(m_meanings)})
        list->setMinimumHeight(8 * list->fontMetrics().height());

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {m_record, m_stopRecording, open})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* heard = new QVBoxLayout;
    heard->addWidget(ToneBuddy(QStringLiteral("&Heard tones:"), m_heardList, box));
    heard->addWidget(m_heardList);
    auto* meanings = new QVBoxLayout;
    meanings->addWidget(ToneBuddy(QStringLiteral("&Meanings:"), m_meanings, box));
    meanings->addWidget(m_meanings);
    auto* lists = new QHBoxLayout;
    lists->addLayout(heard, 3);
    lists->addLayout(meanings, 2);
    auto* layout = new QVBoxLayout(box);
    layout->addLayout(buttons);
    layout->addLayout(lists);

    connect(m_record, &QPushButton::clicked, this, &CTonesWindow::Record);
    connect(m_stopRecording, &QPushButton::clicked, this, &CTonesWindow::Stop);
    connect(open, &QPushButton::clicked, this, [this] {
        const QString path =
            FileDialogs().OpenFileName(this, WithoutMnemonic(Tr(QStringLiteral("Open WA&V..."))));
        if (!path.isEmpty())
            ListenToFile(path);
    });
    return box;
}

void CTonesWindow::StartListening(int sampleRate) {
    m_decoder = std::make_unique<CToneDecoder>(ToneSystemOf(m_image), sampleRate);
    m_heard.clear();
    m_heardList->clear();
    m_meanings->clear();
}

void CTonesWindow::Record() {
    if (!m_device || m_input->currentIndex() < 0)
        return;
    QString error;
    if (!m_device->Record(m_input->currentData().toUInt(), SampleRate(), &error)) {
        ShowProblem(error);
        return;
    }
    StartListening(SampleRate());
    m_listenTimer->start(LISTEN_TICK_MS);
    UpdateButtons();
}

void CTonesWindow::TakeRecorded() {
    if (!m_decoder || !m_device)
        return;
    const std::vector<std::int16_t> sound = m_device->TakeRecorded();
    if (!sound.empty())
        AddHeard(m_decoder->Feed(sound.data(), sound.size()));
    // The device stopped on its own (unplugged, the server went away).
    if (m_listenTimer->isActive() && !m_device->Recording()) {
        m_listenTimer->stop();
        AddHeard(m_decoder->Finish());
        UpdateButtons();
    }
}

bool CTonesWindow::ListenToFile(const QString& path) {
    WAV_SOUND sound;
    QString error;
    if (!ReadWav(path, &sound, &error) ||
        !(error = DecodeRateProblem(sound.sampleRate)).isEmpty()) {
        ShowProblem(error);
        return false;
    }
    if (m_listenTimer->isActive())
        Stop();
    StartListening(sound.sampleRate);
    AddHeard(m_decoder->Feed(sound.samples.data(), sound.samples.size()));
    AddHeard(m_decoder->Finish());
    return true;
}

void CTonesWindow::AddHeard(const std::vector<HEARD_TONE>& heard) {
    if (heard.empty())
        return;
    for (const HEARD_TONE& tone : heard) {
        m_heard.push_back(tone);
        m_heardList->addTopLevelItem(new QTreeWidgetItem(
            {QString::number(tone.startMs), QString::number(tone.lengthMs),
             QString::fromStdString(tone.symbol), QString::number(tone.hz, 'f', 0),
             QString::number(tone.levelDb, 'f', 1)}));
    }
    m_heardList->scrollToBottom();
    m_meanings->clear();
    for (const TONE_MEANING& meaning : MeaningsOf(m_image, m_heard, GetCurrentLanguage())) {
        auto* item =
            new QListWidgetItem(QStringLiteral("%1 ms  %2").arg(meaning.startMs).arg(meaning.text));
        if (!meaning.matched)
            item->setForeground(palette().placeholderText());
        m_meanings->addItem(item);
    }
}

QStringList CTonesWindow::HeardLines() const {
    QStringList lines;
    for (int row = 0; row < m_heardList->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = m_heardList->topLevelItem(row);
        QStringList columns;
        for (int column = 0; column < item->columnCount(); ++column)
            columns << item->text(column);
        lines << columns.join(QLatin1Char('\t'));
    }
    return lines;
}

QStringList CTonesWindow::MeaningLines() const {
    QStringList lines;
    for (int row = 0; row < m_meanings->count(); ++row)
        lines << m_meanings->item(row)->text();
    return lines;
}
