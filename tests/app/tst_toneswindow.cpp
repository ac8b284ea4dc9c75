// The tone picture and the Tones window: a small plan's bars where and as dark as their
// frequency, time and level say; the window's list from the shipped setup, what Play hands
// the sound device, the Listen lists from a WAV file, and the window without a device. The
// plans, the sound and the decoding themselves are the core's and tested there.
#include "AppTestSupport.h"
#include "CFakeSoundDevice.h"
#include "CRecordingMessages.h"

#include "core/image/CE2prom.h"
#include "core/lang/CProfile.h"
#include "core/tones/ToneSynth.h"
#include "core/tones/WavFile.h"
#include "gui/tones/CTonesWindow.h"
#include "print/TonePicture.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QtTest>

namespace {

// Guard tone, a pause, the function tone 10 dB down, the guard held 30 dB down.
const TONE_PLAN PLAN = {{0, 120, 2100, 0, "G"},
                        {120, 40, 0, 0, "Pause"},
                        {160, 40, 1850, -10, "F3"},
                        {200, 600, 2100, -30, "G"}};

enum Shade { Blank, Dark, Middle, Light };

Shade ShadeOf(QRgb pixel) {
    const int gray = qGray(pixel);
    if (gray == 255)
        return Blank;
    return gray < 90 ? Dark : gray < 170 ? Middle : Light;
}

SOUND_DEVICE Device(unsigned id, const char* name, bool output, bool input) {
    return {id, QString::fromLatin1(name), output, input, false};
}

} // namespace

class TestTonesWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void pictureBars_data();
    void pictureBars();
    void listsTheSetup();
    void playHandsOverThePlan_data();
    void playHandsOverThePlan();
    void listens_data();
    void listens();
    void unreadableWav();
    void devices_data();
    void devices();

private:
    CTonesWindow* MakeWindow(std::vector<SOUND_DEVICE> devices);

    std::unique_ptr<CTestFolder> m_folder;
    CE2prom m_image;
    QPrinter m_printer;
    CFakeSoundDevice* m_sound = nullptr; // owned by the window
    std::unique_ptr<CTonesWindow> m_window;
};

void TestTonesWindow::init() {
    m_folder = std::make_unique<CTestFolder>();
    m_image.LoadSRecords(KARVO_DEFAULT_SETUP);
}

void TestTonesWindow::cleanup() {
    m_window.reset();
    SetSoundDeviceFactory({});
    m_folder.reset();
}

CTonesWindow* TestTonesWindow::MakeWindow(std::vector<SOUND_DEVICE> devices) {
    SetSoundDeviceFactory([this, devices] {
        auto device = std::make_unique<CFakeSoundDevice>(devices);
        m_sound = device.get();
        return device;
    });
    m_window = std::make_unique<CTonesWindow>(m_image, m_printer, nullptr);
    m_window->setAttribute(Qt::WA_DeleteOnClose, false);
    return m_window.get();
}

void TestTonesWindow::pictureBars_data() {
    QTest::addColumn<int>("ms");
    QTest::addColumn<double>("hz");
    QTest::addColumn<int>("shade");
    QTest::newRow("guard at full level") << 10 << 2100.0 << int(Dark);
    QTest::newRow("nothing above the guard") << 10 << 2300.0 << int(Blank);
    QTest::newRow("pause left blank") << 130 << 2100.0 << int(Blank);
    QTest::newRow("function tone at -10 dB") << 163 << 1850.0 << int(Middle);
    QTest::newRow("nothing below the function tone") << 163 << 1650.0 << int(Blank);
    QTest::newRow("hold at -30 dB") << 300 << 2100.0 << int(Light);
    QTest::newRow("after the plan") << 850 << 2100.0 << int(Blank);
}

void TestTonesWindow::pictureBars() {
    QFETCH(int, ms);
    QFETCH(double, hz);
    QFETCH(int, shade);
    const QSize size(900, 420);
    const QImage image = TonePlanImage(PLAN, QStringLiteral("F3"), size, 0);
    // The axis runs from 0 ms to the tick after the plan's 800 ms, and 500 to 3500 Hz.
    const QRectF plot = PlotArea(QRectF(QPointF(0, 0), QSizeF(size)));
    QCOMPARE(PictureEndMs(PLAN), 900);
    const QPointF at(plot.left() + plot.width() * ms / 900,
                     plot.bottom() - plot.height() * (hz - 500) / 3000);
    QCOMPARE(int(ShadeOf(image.pixel(at.toPoint()))), shade);
}

void TestTonesWindow::listsTheSetup() {
    CTonesWindow* window = MakeWindow({});
    auto* list = window->findChild<QListWidget*>(QStringLiteral("entries"));
    QCOMPARE(list->count(), 22);
    QCOMPARE(list->item(0)->text(), QStringLiteral("F1 2050 Hz  MON"));
    QCOMPARE(list->item(3)->text(), QStringLiteral("F4 1750 Hz  CHN1 KEY"));
    QCOMPARE(list->item(14)->text(), QStringLiteral("F15 650 Hz  LINE TEST"));
    QCOMPARE(list->item(15)->text(),
             QStringLiteral("Decoder 1:  Tone 1, Tone 2, Tone 3, Tone 4, Tone 5"));
    QCOMPARE(list->item(21)->text(),
             QStringLiteral("Alarm:  Tone 1, Tone 2, Tone 3, Alarm no. and status"));
    // An edit of the setup shows at the next choice: F1 becomes CHN2 KEY.
    m_image.SetByte(164, 5);
    list->setCurrentRow(21);
    QCOMPARE(list->item(0)->text(), QStringLiteral("F1 2050 Hz  CHN2 KEY"));

    // The chosen plan is the one drawn, and it saves as a PNG that loads back.
    const QString path = m_folder->Path(QStringLiteral("alarm.png"));
    QVERIFY(window->SavePictureTo(path));
    const QImage saved(path);
    QCOMPARE(saved.size(), QSize(1200, 560));
    const QString title = TonePlanTitle(QStringLiteral("Alarm"), ToneSystemOf(m_image), 0);
    QCOMPARE(saved.convertToFormat(QImage::Format_RGB32),
             TonePlanImage(TelegramPlan(m_image, TelegramId::Alarm), title, saved.size(), 0));

    // Printed: a PDF page.
    QPrinter pdf;
    pdf.setOutputFileName(m_folder->Path(QStringLiteral("alarm.pdf")));
    QVERIFY(window->PrintOn(pdf));
    QVERIFY(m_folder->Read(QStringLiteral("alarm.pdf")).startsWith("%PDF"));
}

void TestTonesWindow::playHandsOverThePlan_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("rateIndex");
    QTest::addColumn<int>("rate");
    QTest::addColumn<QString>("stored"); // the profile's output device
    QTest::addColumn<unsigned>("device");
    QTest::newRow("F3 at 48000 Hz, the first device") << 2 << 0 << 48000 << "" << 3u;
    QTest::newRow("Decoder 2 at 8000 Hz, the stored device") << 16 << 1 << 8000 << "Line out" << 7u;
    QTest::newRow("a stored device that is gone") << 0 << 0 << 48000 << "USB headset" << 3u;
}

void TestTonesWindow::playHandsOverThePlan() {
    QFETCH(int, row);
    QFETCH(int, rateIndex);
    QFETCH(int, rate);
    QFETCH(QString, stored);
    QFETCH(unsigned, device);
    CProfile::WriteString(QStringLiteral("Sound"), QStringLiteral("Output"), stored);
    CTonesWindow* window =
        MakeWindow({Device(3, "Speakers", true, false), Device(7, "Line out", true, false)});
    window->findChild<QListWidget*>(QStringLiteral("entries"))->setCurrentRow(row);
    window->findChild<QComboBox*>(QStringLiteral("rate"))->setCurrentIndex(rateIndex);
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("play")), Qt::LeftButton);
    const TONE_PLAN plan =
        row < 15 ? TrcCommandPlan(m_image, row + 1) : TelegramPlan(m_image, TelegramId(row - 15));
    QCOMPARE(m_sound->playedRate, rate);
    QCOMPARE(m_sound->playedDevice, device);
    QVERIFY(m_sound->played == SynthesizePlan(plan, rate));
}

void TestTonesWindow::listens_data() {
    QTest::addColumn<bool>("fromDevice");
    QTest::addColumn<int>("rate");
    QTest::newRow("a WAV file at 8000 Hz") << false << 8000;
    QTest::newRow("a WAV file at 48000 Hz") << false << 48000;
    QTest::newRow("the sound card at 8000 Hz, in 20 ms pieces") << true << 8000;
    QTest::newRow("the sound card at 48000 Hz, in 20 ms pieces") << true << 48000;
}

// Decoder 1's telegram, heard whole: its five tones and one meaning.
void TestTonesWindow::listens() {
    QFETCH(bool, fromDevice);
    QFETCH(int, rate);
    CTonesWindow* window = MakeWindow({Device(4, "Line in", false, true)});
    const std::vector<std::int16_t> sound =
        SynthesizePlan(TelegramPlan(m_image, TelegramId::Decoder1), rate);
    if (fromDevice) {
        window->findChild<QComboBox*>(QStringLiteral("rate"))->setCurrentIndex(rate == 8000);
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("record")),
                          Qt::LeftButton);
        QCOMPARE(m_sound->recordRate, rate);
        const std::size_t piece = std::size_t(rate) / 50;
        for (std::size_t at = 0; at < sound.size(); at += piece) {
            m_sound->pending.assign(sound.begin() + std::ptrdiff_t(at),
                                    sound.begin() +
                                        std::ptrdiff_t(std::min(at + piece, sound.size())));
            window->TakeRecorded();
        }
        window->Stop();
    } else {
        const QString path = m_folder->Path(QStringLiteral("decoder1.wav"));
        QString error;
        QVERIFY(WriteWav(path, {rate, sound}, &error));
        QVERIFY(window->ListenToFile(path));
    }
    QStringList symbols;
    for (const QString& line : window->HeardLines())
        symbols << line.section(QLatin1Char('\t'), 2, 2);
    QCOMPARE(symbols, QStringList({"1", "2", "3", "4", "5"}));
    QCOMPARE(window->MeaningLines().size(), 1);
    QVERIFY2(window->MeaningLines()[0].contains(QStringLiteral("Decoder 1")),
             qPrintable(window->MeaningLines()[0]));
}

void TestTonesWindow::unreadableWav() {
    CTonesWindow* window = MakeWindow({});
    CRecordingMessages messages;
    m_folder->Write(QStringLiteral("no.wav"), "not a sound");
    QVERIFY(!window->ListenToFile(m_folder->Path(QStringLiteral("no.wav"))));
    QCOMPARE(messages.boxes.size(), 1);
}

void TestTonesWindow::devices_data() {
    QTest::addColumn<bool>("output");
    QTest::addColumn<bool>("input");
    QTest::newRow("none") << false << false;
    QTest::newRow("output only") << true << false;
    QTest::newRow("input only") << false << true;
    QTest::newRow("both") << true << true;
}

// Play and Record need a device of their own kind; the line shows only without any.
void TestTonesWindow::devices() {
    QFETCH(bool, output);
    QFETCH(bool, input);
    std::vector<SOUND_DEVICE> devices;
    if (output || input)
        devices.push_back(Device(1, "Card", output, input));
    CTonesWindow* window = MakeWindow(devices);
    QCOMPARE(window->findChild<QPushButton*>(QStringLiteral("play"))->isEnabled(), output);
    QCOMPARE(window->findChild<QPushButton*>(QStringLiteral("record"))->isEnabled(), input);
    auto* line = window->findChild<QLabel*>(QStringLiteral("noDevice"));
    QCOMPARE(line->isVisibleTo(window), !output && !input);
    QCOMPARE(line->text(), QStringLiteral("No sound device was found. WAV files still work."));
}

QTEST_MAIN(TestTonesWindow)
#include "tst_toneswindow.moc"
