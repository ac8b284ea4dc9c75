// WAV files of our own: writes RIFF PCM 16-bit mono; reads RIFF PCM (and IEEE float) of any
// channel count, mixed to mono 16-bit, and refuses anything else with the reason.
#pragma once

#include <QString>

#include <cstdint>
#include <vector>

struct WAV_SOUND {
    int sampleRate = 0;
    std::vector<std::int16_t> samples; // mono
};

// False with the reason in *error (translated) when the file cannot be written.
bool WriteWav(const QString& path, const WAV_SOUND& sound, QString* error);
// False with the reason in *error (translated): not a RIFF WAVE file, a format it cannot
// read (compressed, an unusual sample size), a file cut short.
bool ReadWav(const QString& path, WAV_SOUND* sound, QString* error);
// The same on bytes in memory (for tests and the fuzzer).
bool ParseWav(const QByteArray& bytes, WAV_SOUND* sound, QString* error);
QByteArray WavBytes(const WAV_SOUND& sound);
