#include "core/sound/CRtAudioSound.h"

#include "core/lang/CurrentLanguage.h"

#include <RtAudio.h>

#include <algorithm>
#include <cstring>

// KARVO_SOUND_API, the sound API, is the platform's choice (cmake/Platform.cmake):
// UNSPECIFIED lets RtAudio take the first API with devices (PulseAudio when a server runs,
// else ALSA, on Linux); WINDOWS_DS on Windows, since under Wine WASAPI lists devices but
// cannot start a stream.

namespace {

// About 20 ms at 48 kHz: short enough for Stop to be heard at once, long enough not to
// starve on a busy laptop.
constexpr unsigned BUFFER_FRAMES = 1024;

QString Reason(const std::exception& e) {
    return Tr("The sound device could not be opened: %1").arg(QString::fromLocal8Bit(e.what()));
}

void SetError(QString* error, const QString& reason) {
    if (error)
        *error = reason;
}

std::unique_ptr<RtAudio> MakeRtAudio(QString* error) {
    try {
        auto audio = std::make_unique<RtAudio>(RtAudio::KARVO_SOUND_API);
        audio->showWarnings(false); // warnings go to stderr otherwise
        return audio;
    } catch (const std::exception& e) {
        *error = Reason(e);
        return nullptr;
    }
}

} // namespace

CRtAudioSound::CRtAudioSound() {
    m_output = MakeRtAudio(&m_startError);
    if (m_output)
        m_input = MakeRtAudio(&m_startError);
}

CRtAudioSound::~CRtAudioSound() {
    Stop();
}

std::vector<SOUND_DEVICE> CRtAudioSound::Devices() {
    std::vector<SOUND_DEVICE> devices;
    if (!m_output)
        return devices;
    try {
        const unsigned count = m_output->getDeviceCount();
        for (unsigned id = 0; id < count; ++id) {
            // One device that cannot be probed does not hide the others.
            try {
                const RtAudio::DeviceInfo info = m_output->getDeviceInfo(id);
                if (!info.probed || (info.outputChannels == 0 && info.inputChannels == 0))
                    continue;
                devices.push_back({id, QString::fromStdString(info.name), info.outputChannels > 0,
                                   info.inputChannels > 0,
                                   info.isDefaultOutput || info.isDefaultInput});
            } catch (const std::exception&) {
            }
        }
    } catch (const std::exception&) {
    }
    return devices;
}

bool CRtAudioSound::Play(unsigned deviceId, std::vector<std::int16_t> samples, int sampleRate,
                         QString* error) {
    if (!m_output) {
        SetError(error, m_startError);
        return false;
    }
    Close(m_output.get());
    m_samples = std::move(samples);
    m_position = 0;
    return Open(*m_output, deviceId, true, sampleRate, error);
}

bool CRtAudioSound::Playing() const {
    return m_output && m_output->isStreamRunning();
}

bool CRtAudioSound::Record(unsigned deviceId, int sampleRate, QString* error) {
    if (!m_input) {
        SetError(error, m_startError);
        return false;
    }
    Close(m_input.get());
    {
        const std::lock_guard lock(m_recordedMutex);
        m_recorded.clear();
    }
    return Open(*m_input, deviceId, false, sampleRate, error);
}

bool CRtAudioSound::Recording() const {
    return m_input && m_input->isStreamRunning();
}

std::vector<std::int16_t> CRtAudioSound::TakeRecorded() {
    std::vector<std::int16_t> taken;
    const std::lock_guard lock(m_recordedMutex);
    taken.swap(m_recorded);
    return taken;
}

void CRtAudioSound::Stop() {
    Close(m_output.get());
    Close(m_input.get());
}

bool CRtAudioSound::Open(RtAudio& audio, unsigned deviceId, bool output, int sampleRate,
                         QString* error) {
    try {
        if (audio.getDeviceCount() == 0) {
            SetError(error, Tr("No sound device was found."));
            return false;
        }
        if (deviceId >= audio.getDeviceCount()) {
            SetError(error, Tr("There is no sound device %1.").arg(deviceId));
            return false;
        }
        const RtAudio::DeviceInfo info = audio.getDeviceInfo(deviceId);
        if ((output ? info.outputChannels : info.inputChannels) == 0) {
            SetError(error,
                     output ? Tr("%1 cannot play sound.").arg(QString::fromStdString(info.name))
                            : Tr("%1 cannot record sound.").arg(QString::fromStdString(info.name)));
            return false;
        }
        RtAudio::StreamParameters parameters;
        parameters.deviceId = deviceId;
        parameters.nChannels = 1;
        unsigned frames = BUFFER_FRAMES;
        audio.openStream(output ? &parameters : nullptr, output ? nullptr : &parameters,
                         RTAUDIO_SINT16, unsigned(sampleRate), &frames,
                         output ? &CRtAudioSound::PlayCallback : &CRtAudioSound::RecordCallback,
                         this);
        audio.startStream();
        return true;
    } catch (const std::exception& e) {
        SetError(error, Reason(e));
        Close(&audio);
        return false;
    }
}

void CRtAudioSound::Close(RtAudio* audio) {
    if (!audio)
        return;
    try {
        if (audio->isStreamRunning())
            audio->abortStream();
        if (audio->isStreamOpen())
            audio->closeStream();
    } catch (const std::exception&) {
        // Closing a stream that fails to stop leaves nothing to do.
    }
}

int CRtAudioSound::PlayCallback(void* output, void*, unsigned frames, double, unsigned,
                                void* self) {
    auto* sound = static_cast<CRtAudioSound*>(self);
    auto* out = static_cast<std::int16_t*>(output);
    const std::size_t left = sound->m_samples.size() - sound->m_position;
    const std::size_t n = std::min<std::size_t>(frames, left);
    std::memcpy(out, sound->m_samples.data() + sound->m_position, n * sizeof(std::int16_t));
    std::fill(out + n, out + frames, std::int16_t(0));
    sound->m_position += n;
    // 1: RtAudio plays what it holds and then stops the stream by itself.
    return sound->m_position < sound->m_samples.size() ? 0 : 1;
}

int CRtAudioSound::RecordCallback(void*, void* input, unsigned frames, double, unsigned,
                                  void* self) {
    auto* sound = static_cast<CRtAudioSound*>(self);
    const auto* in = static_cast<const std::int16_t*>(input);
    const std::lock_guard lock(sound->m_recordedMutex);
    sound->m_recorded.insert(sound->m_recorded.end(), in, in + frames);
    return 0;
}
