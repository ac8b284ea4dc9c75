// CTonesWindow: View > "Tones...": the setup's fifteen TRC commands and seven telegrams,
// the chosen one drawn, played through the sound card, saved as WAV or PNG and printed;
// and a Listen part that records the line (or opens a WAV file) and shows the tones heard
// and what they mean in the setup. A window of the main frame's own (a Qt child, deleted
// when closed). It only shows and wires: plans, sound, decoding and meanings are the
// core's. It reads the image anew whenever the choice or an option changes.
#pragma once

#include "core/sound/CSoundDevice.h"
#include "core/tones/CToneDecoder.h"
#include "core/tones/TonePlan.h"

#include <QDialog>
#include <memory>
#include <vector>

class CE2prom;
class CMainFrame;
class CTonePictureView;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPrinter;
class QPushButton;
class QSpinBox;
class QTimer;
class QTreeWidget;

// The list's rows: F1 to F15, then the telegrams in TelegramId order.
inline constexpr int TONES_WINDOW_ROWS = TRC_FUNCTION_COUNT + TELEGRAM_COUNT;

class CTonesWindow : public QDialog {
    Q_OBJECT
public:
    // How often the recorded sound is taken and decoded while recording.
    static constexpr int LISTEN_TICK_MS = 20;

    // The sound device comes from CreateSoundDevice (a test installs its fake there).
    CTonesWindow(CE2prom& image, QPrinter& printer, QWidget* parent);
    ~CTonesWindow() override;

    // Shows the frame's window, creating it when none is open.
    static CTonesWindow* ShowFor(CMainFrame* frame);

    // The list's texts in language: "F3 1850 Hz  CHN1 KEY", "Alarm:  Tone 1, Tone 2, ...".
    // CError as the setup dialogs raise it.
    static QStringList EntryTexts(CE2prom& image, int language);

    void Choose(int row);
    // The chosen command or telegram with the options as they stand.
    TONE_PLAN ChosenPlan() const;
    int SampleRate() const;

    void Play();
    void Stop();
    bool SaveWavTo(const QString& path);
    bool SavePictureTo(const QString& path) const;
    // Asks for the printer (the report's set-up) and prints the picture at the page's top.
    void PrintPicture();
    bool PrintOn(QPrinter& printer) const;

    void Record();
    // Decodes a WAV file into the Listen lists; false (and a box) when it cannot be read.
    bool ListenToFile(const QString& path);
    // What the timer does while recording: takes the sound, decodes, appends.
    void TakeRecorded();

    // The Listen lists as shown, one line a row, columns apart by tabs.
    QStringList HeardLines() const;
    QStringList MeaningLines() const;

private:
    QWidget* MakeOptions();
    QWidget* MakePlayButtons();
    QWidget* MakeListen();
    void FillDevices();
    void StoreDevice(QComboBox* box, const QString& key);
    void RefreshEntries();
    void RefreshPicture();
    void StartListening(int sampleRate);
    void AddHeard(const std::vector<HEARD_TONE>& heard);
    void ShowProblem(const QString& text) const;
    void UpdateButtons();

    CE2prom& m_image;
    std::unique_ptr<CSoundDevice> m_device;
    QPrinter& m_printer;
    std::vector<SOUND_DEVICE> m_devices;
    std::unique_ptr<CToneDecoder> m_decoder;
    std::vector<HEARD_TONE> m_heard;
    QStringList m_names; // what each row is called in the picture's title

    QListWidget* m_list = nullptr;
    QSpinBox* m_hold = nullptr;
    QComboBox* m_anyTone = nullptr;
    QComboBox* m_alarmNumber = nullptr;
    QComboBox* m_alarmStatus = nullptr;
    QLineEdit* m_id = nullptr;
    QComboBox* m_rate = nullptr;
    QComboBox* m_output = nullptr;
    QComboBox* m_input = nullptr;
    QLabel* m_noDevice = nullptr;
    CTonePictureView* m_picture = nullptr;
    QPushButton* m_play = nullptr;
    QPushButton* m_stop = nullptr;
    QPushButton* m_record = nullptr;
    QPushButton* m_stopRecording = nullptr;
    QTreeWidget* m_heardList = nullptr;
    QListWidget* m_meanings = nullptr;
    QTimer* m_listenTimer = nullptr;
};
