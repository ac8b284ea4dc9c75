// Sound from a tone plan: a phase-continuous sine, short raised-cosine edges where a tone
// starts or stops against silence (no clicks), 16-bit PCM mono.
#pragma once

#include "core/tones/TonePlan.h"

#include <cstdint>
#include <vector>

inline constexpr int DEFAULT_SAMPLE_RATE = 48000;
inline constexpr int PHONE_SAMPLE_RATE = 8000;
// The plan's 0 dB as a peak level below full scale.
inline constexpr double FULL_LEVEL_DBFS = -6.0;

std::vector<std::int16_t> SynthesizePlan(const TONE_PLAN& plan,
                                         int sampleRate = DEFAULT_SAMPLE_RATE);
