#include "gui/tones/CTonesWindow.h"

#include "core/forms/CSettingForm.h"
#include "core/forms/FormTable.h"
#include "core/forms/ToneSequenceForms.h"
#include "core/image/CE2prom.h"
#include "core/lang/CProfile.h"
#include "core/lang/CurrentLanguage.h"
#include "core/link/CError.h"
#include "core/link/CMessages.h"
#include "core/settings/Mnemonic.h"
#include "core/tones/ToneMeaning.h"
#include "core/tones/ToneSynth.h"
#include "core/tones/WavFile.h"
#include "gui/app/CFileDialogs.h"
#include "gui/app/CMainFrame.h"
#include "gui/tones/CTonePictureView.h"
#include "gui/tones/ToneControls.h"
#include "print/TonePicture.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString SOUND_SECTION = QStringLiteral("Sound");
const QString OUTPUT_KEY = QStringLiteral("Output");
const QString INPUT_KEY = QStringLiteral("Input");

// The size of a saved picture, pixels.
constexpr QSize PICTURE_FILE_SIZE(1200, 560);
// The longest hold the option offers, ms.
constexpr int MAX_HOLD_MS = 60000;
constexpr int SAMPLE_RATES[] = {DEFAULT_SAMPLE_RATE, PHONE_SAMPLE_RATE};

const FORM_TABLE& TelegramForm(int telegram) {
    return telegram < DECODER_COUNT ? DecoderForm(telegram) : EncoderForm(telegram - DECODER_COUNT);
}

// A combo box of the fifteen telegram symbols, 0..9 and A..E, at symbol.
QComboBox* SymbolBox(int symbol, QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (int s = 0; s < TONE_SYMBOL_COUNT; ++s)
        box->addItem(QString(QLatin1Char(SymbolChar(s))));
    box->setCurrentIndex(symbol);
    return box;
}

} // namespace

CTonesWindow::CTonesWindow(CE2prom& image, QPrinter& printer, QWidget* parent)
    : QDialog(parent), m_image(image), m_device(CreateSoundDevice()), m_printer(printer) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Tr(QStringLiteral("Tones")));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("entries"));
    for (int row = 0; row < TONES_WINDOW_ROWS; ++row)
        m_list->addItem(QString());
    m_picture = new CTonePictureView(this);

    // Widgets are made in reading order, which is also the tab order: the list, the picture
    // and its buttons, the options, the Listen part.
    auto* left = new QVBoxLayout;
    left->addWidget(ToneBuddy(QStringLiteral("&Commands and telegrams:"), m_list, this));
    left->addWidget(m_list, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(m_picture, 1);
    right->addWidget(MakePlayButtons());
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(right, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 3);
    layout->addWidget(MakeOptions());
    layout->addWidget(MakeListen(), 1);
    auto* buttons = new QDialogButtonBox(this);
    connect(buttons->addButton(Tr(QStringLiteral("Close")), QDialogButtonBox::RejectRole),
            &QPushButton::clicked, this, &QDialog::close);
    layout->addWidget(buttons);

    m_listenTimer = new QTimer(this);
    connect(m_listenTimer, &QTimer::timeout, this, &CTonesWindow::TakeRecorded);
    connect(m_list, &QListWidget::currentRowChanged, this, [this] {
        RefreshEntries();
        RefreshPicture();
    });
    FillDevices();
    RefreshEntries();
    // Wide enough for the longest telegram, so the list needs no sideways scrolling.
    m_list->setMinimumWidth(m_list->sizeHintForColumn(0) + 2 * m_list->frameWidth() +
                            m_list->verticalScrollBar()->sizeHint().width());
    Choose(0);
    resize(1100, 720);
}

CTonesWindow::~CTonesWindow() {
    if (m_device)
        m_device->Stop();
}

CTonesWindow* CTonesWindow::ShowFor(CMainFrame* frame) {
    auto* window = frame->findChild<CTonesWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = new CTonesWindow(*frame->Image(), frame->Printer(), frame);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

QWidget* CTonesWindow::MakeOptions() {
    auto* box = new QGroupBox(Tr(QStringLiteral("Options")), this);
    const TRC_TIMING timing;
    const TELEGRAM_VALUES values;
    m_hold = new QSpinBox(box);
    m_hold->setRange(0, MAX_HOLD_MS);
    m_hold->setSingleStep(100);
    m_hold->setValue(timing.holdMs);
    m_hold->setToolTip(Tr(QStringLiteral("0 sends a pulse command")));
    m_anyTone = SymbolBox(values.anyTone, box);
    m_alarmNumber = SymbolBox(values.alarmNumber, box);
    m_alarmStatus = SymbolBox(values.alarmStatus, box);
    QString id;
    for (int digit : values.id)
        id += QLatin1Char(SymbolChar(digit));
    m_id = new QLineEdit(id, box);
    m_id->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9A-Ea-e]{11}")), m_id));
    m_rate = new QComboBox(box);
    m_rate->setObjectName(QStringLiteral("rate"));
    for (int rate : SAMPLE_RATES)
        m_rate->addItem(QStringLiteral("%1 Hz").arg(rate), rate);
    m_output = new QComboBox(box);
    m_input = new QComboBox(box);

    m_noDevice =
        new QLabel(Tr(QStringLiteral("No sound device was found. WAV files still work.")), box);
    m_noDevice->setWordWrap(true);
    m_noDevice->setObjectName(QStringLiteral("noDevice"));

    // Three columns of three: the values of the plans, then the sound.
    auto* grid = new QGridLayout(box);
    const std::pair<const char*, QWidget*> fields[] = {{"Ho&ld (ms):", m_hold},
                                                       {"An&y tone:", m_anyTone},
                                                       {"Alarm &number:", m_alarmNumber},
                                                       {"Alarm stat&us:", m_alarmStatus},
                                                       {"Unit I&D:", m_id},
                                                       {"Sample r&ate:", m_rate},
                                                       {"&Output:", m_output},
                                                       {"&Input:", m_input}};
    constexpr int ROWS = 3;
    for (int i = 0; i < int(std::size(fields)); ++i) {
        const int column = i / ROWS * 3;
        grid->addWidget(ToneBuddy(QString::fromLatin1(fields[i].first), fields[i].second, box),
                        i % ROWS, column);
        grid->addWidget(fields[i].second, i % ROWS, column + 1);
        grid->setColumnStretch(column + 1, column == 6 ? 3 : 1);
        if (column > 0)
            grid->setColumnMinimumWidth(column - 1, 16);
    }
    grid->addWidget(m_noDevice, 2, 6, 1, 2);

    auto refresh = [this] { RefreshPicture(); };
    connect(m_hold, &QSpinBox::valueChanged, this, refresh);
    for (QComboBox* symbol : {m_anyTone, m_alarmNumber, m_alarmStatus})
        connect(symbol, &QComboBox::currentIndexChanged, this, refresh);
    connect(m_id, &QLineEdit::textChanged, this, refresh);
    connect(m_output, &QComboBox::activated, this, [this] { StoreDevice(m_output, OUTPUT_KEY); });
    connect(m_input, &QComboBox::activated, this, [this] { StoreDevice(m_input, INPUT_KEY); });
    return box;
}

QWidget* CTonesWindow::MakePlayButtons() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    m_play = ToneButton(QStringLiteral("&Play"), row);
    m_play->setObjectName(QStringLiteral("play"));
    m_stop = ToneButton(QStringLiteral("&Stop"), row);
    QPushButton* wav = ToneButton(QStringLiteral("Save as &WAV..."), row);
    QPushButton* png = ToneButton(QStringLiteral("Save pic&ture..."), row);
    QPushButton* print = ToneButton(QStringLiteral("P&rint..."), row);
    for (QPushButton* button : {m_play, m_stop, wav, png, print})
        layout->addWidget(button);
    layout->addStretch();
    connect(m_play, &QPushButton::clicked, this, &CTonesWindow::Play);
    connect(m_stop, &QPushButton::clicked, this, &CTonesWindow::Stop);
    connect(wav, &QPushButton::clicked, this, [this] {
        const QString path = FileDialogs().SaveFileName(this, QStringLiteral("tones.wav"));
        if (!path.isEmpty())
            SaveWavTo(path);
    });
    connect(png, &QPushButton::clicked, this, [this] {
        const QString path = FileDialogs().SaveFileName(this, QStringLiteral("tones.png"));
        if (!path.isEmpty() && !SavePictureTo(path))
            ShowProblem(Tr(QStringLiteral("File cannot be written:")) + QLatin1Char(' ') + path);
    });
    connect(print, &QPushButton::clicked, this, &CTonesWindow::PrintPicture);
    return row;
}

void CTonesWindow::FillDevices() {
    m_devices = m_device ? m_device->Devices() : std::vector<SOUND_DEVICE>{};
    // The profile's device by name (numbers change as cards come and go), else the default.
    auto fill = [this](QComboBox* box, const QString& key, bool output) {
        const QString stored = CProfile::GetString(SOUND_SECTION, key);
        int chosen = -1;
        for (const SOUND_DEVICE& device : m_devices) {
            if (output ? !device.output : !device.input)
                continue;
            if (device.name == stored || (chosen < 0 && device.isDefault))
                chosen = box->count();
            box->addItem(device.name, device.id);
        }
        box->setCurrentIndex(std::max(0, chosen));
        box->setEnabled(box->count() > 0);
    };
    fill(m_output, OUTPUT_KEY, true);
    fill(m_input, INPUT_KEY, false);
    m_noDevice->setVisible(m_devices.empty());
    UpdateButtons();
}

void CTonesWindow::StoreDevice(QComboBox* box, const QString& key) {
    if (box->currentIndex() >= 0)
        CProfile::WriteString(SOUND_SECTION, key, box->currentText());
}

void CTonesWindow::UpdateButtons() {
    const bool listening = m_listenTimer->isActive();
    m_play->setEnabled(m_output->count() > 0);
    m_stop->setEnabled(m_output->count() > 0);
    m_record->setEnabled(m_input->count() > 0 && !listening);
    m_stopRecording->setEnabled(listening);
}

QStringList CTonesWindow::EntryTexts(CE2prom& image, int language) {
    QStringList texts;
    CSettingForm trc(TRC_SETUP_FORM, language);
    trc.Attach(&image);
    for (int n = 0; n < TRC_FUNCTION_COUNT; ++n)
        texts << Tr(QString::fromLatin1(TRC_SETUP_FORM.reportLines[std::size_t(n)].label),
                    language) +
                     QStringLiteral("  ") + trc.ValueText(TrcSetupIds::TRC_TONE_IDS[n]);
    for (int t = 0; t < TELEGRAM_COUNT; ++t) {
        CSettingForm form(TelegramForm(t), language);
        form.Attach(&image);
        QStringList tones;
        for (int k = 0; k < TelegramLength(form); ++k)
            tones << form.ValueText(TONE_COMBO_IDS[k]);
        texts << Tr(QString::fromLatin1(TelegramForm(t).caption), language) +
                     QStringLiteral(":  ") + tones.join(QStringLiteral(", "));
    }
    return texts;
}

void CTonesWindow::RefreshEntries() {
    const int language = GetCurrentLanguage();
    QStringList texts;
    try {
        texts = EntryTexts(m_image, language);
    } catch (const CError& error) {
        error.ReportError();
        return;
    }
    m_names.clear();
    for (int row = 0; row < TONES_WINDOW_ROWS; ++row) {
        m_list->item(row)->setText(texts[row]);
        m_names << (row < TRC_FUNCTION_COUNT
                        ? texts[row]
                        : Tr(QString::fromLatin1(TelegramForm(row - TRC_FUNCTION_COUNT).caption),
                             language));
    }
}

void CTonesWindow::Choose(int row) {
    m_list->setCurrentRow(row);
    RefreshPicture();
}

TONE_PLAN CTonesWindow::ChosenPlan() const {
    const int row = std::max(0, m_list->currentRow());
    if (row < TRC_FUNCTION_COUNT) {
        TRC_TIMING timing;
        timing.holdMs = m_hold->value();
        return TrcCommandPlan(m_image, row + 1, timing);
    }
    TELEGRAM_VALUES values;
    values.anyTone = m_anyTone->currentIndex();
    values.alarmNumber = m_alarmNumber->currentIndex();
    values.alarmStatus = m_alarmStatus->currentIndex();
    const QString id = m_id->text().toUpper();
    for (int k = 0; k < int(values.id.size()) && k < id.size(); ++k)
        values.id[std::size_t(k)] =
            id[k].isDigit() ? id[k].digitValue() : 10 + (id[k].unicode() - 'A');
    return TelegramPlan(m_image, TelegramId(row - TRC_FUNCTION_COUNT), values);
}

int CTonesWindow::SampleRate() const {
    return m_rate->currentData().toInt();
}

void CTonesWindow::RefreshPicture() {
    const int row = std::max(0, m_list->currentRow());
    const QString name = row < m_names.size() ? m_names[row] : QString();
    m_picture->SetPlan(ChosenPlan(),
                       TonePlanTitle(name, ToneSystemOf(m_image), GetCurrentLanguage()));
}

void CTonesWindow::Play() {
    if (!m_device || m_output->currentIndex() < 0)
        return;
    QString error;
    if (!m_device->Play(m_output->currentData().toUInt(),
                        SynthesizePlan(ChosenPlan(), SampleRate()), SampleRate(), &error))
        ShowProblem(error);
    UpdateButtons();
}

void CTonesWindow::Stop() {
    if (m_device)
        m_device->Stop();
    if (m_listenTimer->isActive()) {
        m_listenTimer->stop();
        TakeRecorded();
        AddHeard(m_decoder->Finish());
    }
    UpdateButtons();
}

bool CTonesWindow::SaveWavTo(const QString& path) {
    QString error;
    const WAV_SOUND sound{SampleRate(), SynthesizePlan(ChosenPlan(), SampleRate())};
    if (WriteWav(path, sound, &error))
        return true;
    ShowProblem(error);
    return false;
}

bool CTonesWindow::SavePictureTo(const QString& path) const {
    return TonePlanImage(m_picture->Plan(), m_picture->Title(), PICTURE_FILE_SIZE,
                         GetCurrentLanguage())
        .save(path, "PNG");
}

void CTonesWindow::PrintPicture() {
    QPrintDialog dialog(&m_printer, this);
    if (dialog.exec() == QDialog::Accepted && !PrintOn(m_printer))
        ShowProblem(Tr(QStringLiteral("File cannot be written:")) + QLatin1Char(' ') +
                    m_printer.outputFileName());
}

bool CTonesWindow::PrintOn(QPrinter& printer) const {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // Across the page's width, at the proportions of a saved picture.
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double height = page.width() * PICTURE_FILE_SIZE.height() / PICTURE_FILE_SIZE.width();
    DrawTonePlan(painter, QRectF(0, 0, page.width(), height), m_picture->Plan(), m_picture->Title(),
                 GetCurrentLanguage());
    return painter.end();
}

void CTonesWindow::ShowProblem(const QString& text) const {
    Messages().Show(text, Tr(QStringLiteral("Tones")), MsgIcon::Exclamation, MsgButtons::Ok);
}
