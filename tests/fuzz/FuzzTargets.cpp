#include "FuzzTargets.h"

#include "core/forms/CTextSetup.h"
#include "core/image/CE2prom.h"
#include "core/link/CDeviceLink.h"
#include "core/link/CError.h"
#include "core/link/CMessages.h"
#include "core/link/CScriptedPort.h"
#include "core/link/DeviceCommandFrames.h"
#include "core/tones/CToneDecoder.h"
#include "core/tones/WavFile.h"
#include "tools/CliArguments.h"
#include "tools/CliCommon.h"

#include <QList>
#include <algorithm>
#include <cstdlib>

namespace {

// An invariant broke: stop so that the fuzzer keeps the input.
void Require(bool condition) {
    if (!condition)
        std::abort();
}

QByteArray Bytes(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// An image whose bytes all differ from zero, so that a change shows.
void Fill(CE2prom& image) {
    QByteArray bytes(CE2prom::IMAGE_SIZE, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(0x5A ^ i);
    image.ReplaceBytes(bytes);
}

// Boxes are answered without being shown.
class CSilentMessages : public CMessageService {
public:
    CSilentMessages() { SetMessageService(this); }
    ~CSilentMessages() override { SetMessageService(nullptr); }
    MsgAnswer Show(const QString&, const QString&, MsgIcon, MsgButtons) override {
        return MsgAnswer::Yes;
    }
};

// Progress that shows nothing and raises Cancel at one poll.
class CCancellingProgress : public CProgress {
public:
    CCancellingProgress(int& polls, int cancelAt) : m_polls(polls), m_cancelAt(cancelAt) {}
    bool PollCancel() override {
        if (++m_polls == m_cancelAt)
            RequestCancel();
        return CProgress::PollCancel();
    }
    void SetCaption(const QString&) override {}
    void SetMessage(const QString&) override {}

protected:
    void ShowRange(int, int) override {}
    void ShowPosition(int, const QString&) override {}

private:
    int& m_polls;
    int m_cancelAt;
};

class CCancellingFactory : public CProgressFactory {
public:
    explicit CCancellingFactory(int cancelAt) : m_cancelAt(cancelAt) {}
    std::unique_ptr<CProgress> CreateProgress() override {
        return std::make_unique<CCancellingProgress>(m_polls, m_cancelAt);
    }

private:
    int m_polls = 0;
    int m_cancelAt;
};

// Return codes a failing port call may give.
constexpr int FAILURE_CODES[] = {PORT_GENERAL_ERROR, PORT_IN_USE, PORT_BUFFER_EMPTY, PORT_TIMEOUT};

// Connects and runs one exchange on the link, as the command frames do.
void RunExchange(int command, CE2prom& image, CScriptedPort& port, CProgressFactory& progress) {
    if (command == 0) {
        RunDeviceInformation(image, 0, port, &progress, Messages());
        return;
    }
    image.SetLinkSettings(13, 0, 9600, 'N', 8, 1, DEVICE_COMMAND_ATTEMPTS);
    CDeviceLink link(image, port, &progress, Messages());
    link.SetTracePath(QStringLiteral("/dev/null"));
    QString errorText;
    if (link.Connect(VERIFY_COMMAND, REPLY_MARKER, errorText, true) != LinkOutcome::Connected)
        return;
    const QByteArray before = image.Bytes();
    if (command == 1) {
        if (link.ReadDevice(errorText, true) != LinkOutcome::ReceptionOk)
            Require(image.Bytes() == before);
    } else {
        link.WriteDevice(PROGRAMMING_COMMAND, PROGRAMMING_PROMPT, errorText, true);
        Require(image.Bytes() == before);
    }
}

} // namespace

// A text setup is taken whole or not at all, and what it gives exports and reads back
// to the same bytes.
void FuzzTextSetup(const QByteArray& text) {
    CE2prom image;
    Fill(image);
    const QByteArray before = image.Bytes();
    try {
        CTextSetup::Parse(text).ApplyTo(image);
    } catch (const TEXT_SETUP_ERROR&) {
        Require(image.Bytes() == before && !image.IsModified());
        return;
    }
    CE2prom back;
    Fill(back);
    CTextSetup::Parse(CTextSetup::FromImage(image).Yaml()).ApplyTo(back);
    Require(back.Bytes().mid(1) == image.Bytes().mid(1));
}

int FuzzSRecordFile(const std::uint8_t* data, std::size_t size) {
    if (CTextSetup::IsTextSetup(Bytes(data, size))) {
        FuzzTextSetup(Bytes(data, size));
        return 0;
    }
    CE2prom image;
    Fill(image);
    const QByteArray before = image.Bytes();
    int result = 0;
    try {
        QByteArray type;
        result = image.LoadSRecordText(Bytes(data, size), &type);
        Require(result == 1 || (result == -1 && type.size() == 2));
    } catch (const CE2Error& error) {
        Require(error.Code() == 4 || error.Code() == 5);
    }
    Require(result == 1 || image.Bytes() == before);
    Require(!image.IsModified());
    return 0;
}

int FuzzUnitAnswers(const std::uint8_t* data, std::size_t size) {
    if (size < 3)
        return 0;
    const int command = data[0] % 3;
    CCancellingFactory progress(data[1]);
    CSilentMessages messages;
    CScriptedPort port;
    if (const int fail = data[2]) {
        const int code = FAILURE_CODES[(fail >> 6) % std::size(FAILURE_CODES)];
        port.FailCall(PortCall(fail % 3), (fail / 3) % 21 + 1, code);
    }
    QList<QByteArray> answers = Bytes(data + 3, size - 3).split('\xFF');
    port.OnWrite([&](const QByteArray&) {
        if (answers.isEmpty())
            return;
        const QByteArray answer = answers.takeFirst();
        if (!answer.isEmpty())
            port.Receive(answer.mid(1), 40 * qint64(quint8(answer[0])));
    });
    CE2prom image;
    Fill(image);
    RunExchange(command, image, port, progress);
    Require(!port.IsOpen());
    Require(!image.IsModified());
    return 0;
}

int FuzzCliArguments(const std::uint8_t* data, std::size_t size) {
    QStringList args;
    for (const QByteArray& word : Bytes(data, size).split('\0'))
        args << QString::fromUtf8(word);
    CCliCommand command;
    if (ParseCliCommand(args, command) != CLI_OK)
        return 0;
    Require(!command.name.isEmpty() && command.files.size() <= 2);
    Require(command.comPort >= -1 && command.comPort < 4);
    Require(command.language >= 0 && command.language < 5);
    for (const auto& [address, value] : command.pokes)
        Require(address >= 1 && address < int(CE2prom::IMAGE_SIZE) && value >= 0 && value < 256);
    Require(command.name != "poke" || !command.pokes.empty());
    Require(command.pdfPath.isEmpty() || command.name == "report");
    return 0;
}

int FuzzWavFile(const std::uint8_t* data, std::size_t size) {
    WAV_SOUND sound;
    QString error;
    if (!ParseWav(Bytes(data, size), &sound, &error)) {
        Require(!error.isEmpty());
        return 0;
    }
    Require(sound.sampleRate > 0 && sound.sampleRate <= 384000);
    const std::size_t heard = std::min(sound.samples.size(), std::size_t(sound.sampleRate) * 2);
    sound.samples.resize(heard);
    const double lengthMs = 1000.0 * double(heard) / sound.sampleRate;
    for (const HEARD_TONE& tone : DecodeTones(ToneSystemOfByte(6), sound.sampleRate, sound.samples))
        Require(tone.startMs >= 0 && tone.lengthMs > 0 &&
                tone.startMs + tone.lengthMs <= lengthMs + 50);
    return 0;
}
