// Hears tones in sound: a Goertzel bank over the tone system's fifteen symbols, the four
// guard tones and F1 to F15, in short overlapping windows. Fed in pieces of any size (a
// file at once, or the sound card as it records); a tone is reported once it has ended.
//
// A tone counts when it stands about 10 dB above every other tone of its set, lies within
// about 2% of its frequency, and lasts most of its nominal length.
#pragma once

#include "core/tones/ToneTables.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum class ToneSet { Telegram, Guard, Function };

// The lowest sample rate that carries every tone (the highest is the 3250 Hz guard tone, with
// the search bins to 3350 Hz); the decoder hears nothing in sound at a lower rate.
inline constexpr int MIN_DECODE_RATE = 8000;
// Why sound at sampleRate cannot be decoded (translated); empty when it can.
QString DecodeRateProblem(int sampleRate);

struct HEARD_TONE {
    int startMs;
    int lengthMs;
    double hz;      // the frequency measured
    double levelDb; // dB below full scale
    ToneSet set;
    std::string symbol; // "0".."9", "A".."E", "G", "F1".."F15"
};

class CToneDecoder {
public:
    CToneDecoder(const TONE_SYSTEM& system, int sampleRate);
    ~CToneDecoder();
    CToneDecoder(const CToneDecoder&) = delete;
    CToneDecoder& operator=(const CToneDecoder&) = delete;

    // More sound; returns the tones that ended within it.
    std::vector<HEARD_TONE> Feed(const std::int16_t* samples, std::size_t count);
    // The end of the sound: returns a tone still sounding.
    std::vector<HEARD_TONE> Finish();

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// A whole recording at once.
std::vector<HEARD_TONE> DecodeTones(const TONE_SYSTEM& system, int sampleRate,
                                    const std::vector<std::int16_t>& samples);
