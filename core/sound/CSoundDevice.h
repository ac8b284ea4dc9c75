// The sound seam: plays and records 16-bit mono sound through the machine's sound card.
// The Tones window goes through it only; tone plans, synthesis and decoding never touch it.
// Production: RtAudio (CreateSoundDevice). Playing and recording run on the sound library's
// own thread; recorded sound is collected here and taken by the caller's timer.
#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

struct SOUND_DEVICE {
    unsigned id; // the sound library's device number
    QString name;
    bool output; // can play
    bool input;  // can record
    bool isDefault;
};

class CSoundDevice {
public:
    virtual ~CSoundDevice() = default;

    // Every device with at least one channel; empty without a sound server or card.
    virtual std::vector<SOUND_DEVICE> Devices() = 0;

    // Starts playing and returns at once; false with the reason in *error.
    virtual bool Play(unsigned deviceId, std::vector<std::int16_t> samples, int sampleRate,
                      QString* error) = 0;
    // True until the last sample has been played or Stop was called.
    virtual bool Playing() const = 0;

    // Starts recording and returns at once; false with the reason in *error.
    virtual bool Record(unsigned deviceId, int sampleRate, QString* error) = 0;
    virtual bool Recording() const = 0;
    // The sound recorded since the last call.
    virtual std::vector<std::int16_t> TakeRecorded() = 0;

    // Ends playing and recording.
    virtual void Stop() = 0;
};

// The machine's sound card through RtAudio, or what the installed factory makes.
std::unique_ptr<CSoundDevice> CreateSoundDevice();

// Tests install a fake device here; an empty factory brings back the sound card.
using SoundDeviceFactory = std::function<std::unique_ptr<CSoundDevice>()>;
void SetSoundDeviceFactory(SoundDeviceFactory factory);
