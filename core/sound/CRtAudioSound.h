// The sound card through RtAudio: one output stream for Play and one input stream for
// Record, both 16-bit mono, each opened afresh for every Play or Record. RtAudio's errors
// end here as a translated reason; none leaves the class.
#pragma once

#include "core/sound/CSoundDevice.h"

#include <mutex>

class RtAudio;

class CRtAudioSound : public CSoundDevice {
public:
    CRtAudioSound();
    ~CRtAudioSound() override;

    std::vector<SOUND_DEVICE> Devices() override;
    bool Play(unsigned deviceId, std::vector<std::int16_t> samples, int sampleRate,
              QString* error) override;
    bool Playing() const override;
    bool Record(unsigned deviceId, int sampleRate, QString* error) override;
    bool Recording() const override;
    std::vector<std::int16_t> TakeRecorded() override;
    void Stop() override;

private:
    // Called on RtAudio's own thread.
    static int PlayCallback(void* output, void* input, unsigned frames, double time,
                            unsigned status, void* self);
    static int RecordCallback(void* output, void* input, unsigned frames, double time,
                              unsigned status, void* self);

    bool Open(RtAudio& audio, unsigned deviceId, bool output, int sampleRate, QString* error);
    static void Close(RtAudio* audio);

    std::unique_ptr<RtAudio> m_output; // null when RtAudio could not start at all
    std::unique_ptr<RtAudio> m_input;
    QString m_startError; // why RtAudio could not start

    std::vector<std::int16_t> m_samples; // read by the play callback only while it runs
    std::size_t m_position = 0;          // next sample to play; the play callback's own

    mutable std::mutex m_recordedMutex;
    std::vector<std::int16_t> m_recorded;
};
