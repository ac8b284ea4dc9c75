// A sound device for tests and benchmarks: a fixed list of devices, what Play was handed,
// and sound to hand out as recorded, as much as the test puts in between two takes.
#pragma once

#include "core/sound/CSoundDevice.h"

#include <utility>

class CFakeSoundDevice : public CSoundDevice {
public:
    explicit CFakeSoundDevice(std::vector<SOUND_DEVICE> devices) : m_devices(std::move(devices)) {}

    std::vector<SOUND_DEVICE> Devices() override { return m_devices; }
    bool Play(unsigned deviceId, std::vector<std::int16_t> samples, int sampleRate,
              QString*) override {
        playedDevice = deviceId;
        played = std::move(samples);
        playedRate = sampleRate;
        return true;
    }
    bool Playing() const override { return false; }
    bool Record(unsigned deviceId, int sampleRate, QString*) override {
        recordDevice = deviceId;
        recordRate = sampleRate;
        recording = true;
        return true;
    }
    bool Recording() const override { return recording; }
    std::vector<std::int16_t> TakeRecorded() override { return std::exchange(pending, {}); }
    void Stop() override { recording = false; }

    unsigned playedDevice = 0;
    std::vector<std::int16_t> played;
    int playedRate = 0;
    unsigned recordDevice = 0;
    int recordRate = 0;
    bool recording = false;
    std::vector<std::int16_t> pending; // handed out by the next TakeRecorded

private:
    std::vector<SOUND_DEVICE> m_devices;
};
