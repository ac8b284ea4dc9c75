#include "core/tones/CToneDecoder.h"

#include "core/lang/CurrentLanguage.h"
#include "core/tones/ToneDecoderState.h"

// How it listens
//
// Windows of 20 ms every 5 ms. 20 ms is the longest window that still fits several times
// inside EEA's 40 ms tones (36 ms when sent 10% short); a 5 ms step measures a frequency
// without ambiguity within 100 Hz of a bin and places edges to a few ms. A window's value at
// a frequency (the single DFT bin a Goertzel filter gives) is the sum of four 5 ms blocks,
// each turned by its phase, so every sample meets every bin once. The bins: the sets' tones
// (telegram symbols, guard tones, F1 to F15) and a search grid one bin width (50 Hz) apart,
// so that no tone 2% off its nominal frequency falls into a zero of its own bin.
//
// In each window the loudest grid bin gives the frequency, from how far its phase turns from
// one window to the next; the tone's energy is then taken at that frequency. The window holds
// a tone when that energy is 12 dB above what the rest of the window would put in one bin if
// it were noise: the threshold follows the noise, so the guard held 30 dB down is heard under
// noise louder than itself (a bin sees only its 50 Hz of the noise). Below -60 dBFS nothing
// counts. A window across the edge between two tones is no tone: it holds a second one within
// 10 dB, beyond the first one's main lobe and above the noise.
//
// What becomes of the runs is ToneRuns.cpp's.

using namespace ToneDecoding;

CToneDecoder::State::State(const TONE_SYSTEM& s, int r)
    : system(s), rate(r), hopLength(std::max(1, r * WINDOW_MS / 1000 / BLOCKS_PER_WINDOW)),
      windowLength(hopLength * BLOCKS_PER_WINDOW) {
    for (int i = 0; i < TONE_SYMBOL_COUNT; ++i)
        bins.push_back({system.hz[std::size_t(i)], ToneSet::Telegram, i});
    for (std::size_t i = 0; i < GUARD_TONES_HZ.size(); ++i)
        bins.push_back({GUARD_TONES_HZ[i], ToneSet::Guard, int(i)});
    for (int n = 1; n <= TRC_FUNCTION_COUNT; ++n)
        bins.push_back({TrcFunctionHz(n), ToneSet::Function, n});
    nominalCount = bins.size();
    // The search grid, one bin width apart, so no tone falls near a bin's zero.
    const double width = double(rate) / windowLength;
    for (double hz = GRID_FIRST_HZ; hz <= GRID_LAST_HZ && hz < rate / 2.0; hz += width)
        bins.push_back({hz, ToneSet::Telegram, -1});
    tableCos.resize(bins.size() * std::size_t(hopLength));
    tableSin.resize(tableCos.size());
    for (std::size_t k = 0; k < bins.size(); ++k) {
        const double w = 2.0 * std::numbers::pi * bins[k].hz / rate;
        for (int n = 0; n < hopLength; ++n) {
            tableCos[k * hopLength + n] = float(std::cos(w * n));
            tableSin[k * hopLength + n] = float(-std::sin(w * n));
        }
        blockTurn.push_back(std::polar(1.0, -w * hopLength));
    }
    pending.reserve(std::size_t(hopLength));
}

void CToneDecoder::State::AddSamples(const std::int16_t* samples, std::size_t count,
                                     std::vector<HEARD_TONE>& out) {
    // Too low a rate has no room for the tones (nor for the search grid the bins rely on).
    if (rate < MIN_DECODE_RATE)
        return;
    for (std::size_t i = 0; i < count; ++i) {
        pending.push_back(float(samples[i]));
        if (int(pending.size()) == hopLength) {
            Block(out);
            pending.clear();
        }
    }
}

// One 5 ms block: its value in every bin, then a window's worth if four blocks are in.
void CToneDecoder::State::Block(std::vector<HEARD_TONE>& out) {
    std::vector<Complex> values(bins.size());
    const float* x = pending.data();
    for (std::size_t k = 0; k < bins.size(); ++k) {
        const float* c = &tableCos[k * hopLength];
        const float* s = &tableSin[k * hopLength];
        // Four sums side by side so the additions need not wait for each other.
        float re[4] = {}, im[4] = {};
        int n = 0;
        for (; n + 4 <= hopLength; n += 4)
            for (int j = 0; j < 4; ++j) {
                re[j] += x[n + j] * c[n + j];
                im[j] += x[n + j] * s[n + j];
            }
        for (; n < hopLength; ++n) {
            re[0] += x[n] * c[n];
            im[0] += x[n] * s[n];
        }
        values[k] =
            Complex(double(re[0]) + re[1] + re[2] + re[3], double(im[0]) + im[1] + im[2] + im[3]);
    }
    double energy = 0;
    for (float v : pending)
        energy += double(v) * v;
    recent.insert(recent.end(), pending.begin(), pending.end());
    if (recent.size() > std::size_t(windowLength))
        recent.erase(recent.begin(), recent.begin() + hopLength);
    blocks.push_back(std::move(values));
    blockEnergy.push_back(energy);
    if (int(blocks.size()) < BLOCKS_PER_WINDOW)
        return;
    std::vector<Complex> window(bins.size());
    for (std::size_t k = 0; k < bins.size(); ++k) {
        Complex sum = 0, turn = 1;
        for (int j = 0; j < BLOCKS_PER_WINDOW; ++j, turn *= blockTurn[k])
            sum += blocks[std::size_t(j)][k] * turn;
        window[k] = sum;
    }
    double windowEnergy = 0;
    for (double e : blockEnergy)
        windowEnergy += e;
    blocks.pop_front();
    blockEnergy.pop_front();
    Hop(window, windowEnergy, out);
}

void CToneDecoder::State::Hop(const std::vector<Complex>& window, double energy,
                              std::vector<HEARD_TONE>& out) {
    const long hop = hopCount++;
    HOP h;
    h.amplitude.reserve(window.size());
    std::size_t best = nominalCount;
    for (std::size_t k = 0; k < window.size(); ++k) {
        h.amplitude.push_back(float(std::abs(window[k])));
        if (k >= nominalCount && h.amplitude[k] > h.amplitude[best])
            best = k;
    }
    history.push_back(std::move(h));
    if (history.size() > HISTORY_HOPS) {
        history.pop_front();
        ++historyFirst;
    }

    // The frequency from the phase turn since the last window.
    double hz = bins[best].hz;
    if (lastWindowValid && std::abs(lastWindow[best]) > 0) {
        const double turn = std::arg(window[best] * std::conj(lastWindow[best]));
        const double expected = 2.0 * std::numbers::pi * bins[best].hz * hopLength / rate;
        hz += WrapPhase(turn - expected) * rate / (2.0 * std::numbers::pi * hopLength);
    }
    lastWindow = window;
    lastWindowValid = true;

    double amplitude = 0;
    bool present = HoldsTone(window, energy, hz, PRESENCE_RATIO, &amplitude);
    // A tone once heard is followed at a lower threshold, at its own frequency: a weak one
    // (the held guard at 8 kHz) stands only a few dB above a bin's noise.
    if (!present && run && run->windows >= SETTLING_HOPS &&
        HoldsTone(window, energy, run->MeanHz(), FOLLOW_RATIO, &amplitude)) {
        present = true;
        hz = run->MeanHz();
    }
    if (run &&
        (hop - run->lastHop > MAX_MISSED_HOPS + 1 ||
         (present && std::abs(hz / run->MeanHz() - 1.0) > RUN_DEVIATION && !Settling(hop, hz))))
        CloseRun();
    if (present)
        AddToRun(hop, hz, amplitude, window);
    ResolveEnding(false, out);
}

// A run of a window or two sliding into the next tone (the windows across the edge measure a
// frequency between the two) goes on as that tone.
bool CToneDecoder::State::Settling(long hop, double hz) const {
    return run->windows < SETTLING_HOPS && hop == run->lastHop + 1 &&
           std::abs(hz / run->MeanHz() - 1.0) <= MAX_DEVIATION;
}

// Whether the window holds one tone at hz; its amplitude there (not at the bin, which may be
// up to half a bin off) in *amplitude.
bool CToneDecoder::State::HoldsTone(const std::vector<Complex>& window, double energy, double hz,
                                    double ratio, double* amplitude) const {
    const Complex step = std::polar(1.0, -2.0 * std::numbers::pi * hz / rate);
    Complex turn = 1, sum = 0;
    for (float x : recent) {
        sum += double(x) * turn;
        turn *= step;
    }
    const double power = std::norm(sum);
    *amplitude = 2.0 * std::sqrt(power) / windowLength;
    // The rest of the window as noise spread over the band: its share of one bin.
    const double noise = std::max(energy - power * 2.0 / windowLength, 1e-9);
    const double width = double(rate) / windowLength;
    double other = 0;
    for (std::size_t k = nominalCount; k < bins.size(); ++k)
        if (std::abs(bins[k].hz - hz) > MAIN_LOBE_BINS * width)
            other = std::max(other, std::norm(window[k]));
    const bool edge = power < MIX_RATIO * other && other >= PRESENCE_RATIO * noise;
    return *amplitude >= FULL_SCALE * std::pow(10.0, FLOOR_DBFS / 20.0) && power >= ratio * noise &&
           !edge;
}

void CToneDecoder::State::AddToRun(long hop, double hz, double amplitude,
                                   const std::vector<Complex>& window) {
    if (!run) {
        run = std::make_unique<RUN>();
        run->firstHop = hop;
        run->powerSum.assign(nominalCount, 0.0);
    }
    const bool steady =
        run->lastHop == hop - 1 && std::abs(hz / run->MeanHz() - 1.0) <= STEADY_DEVIATION;
    run->lastHop = hop;
    if (run->hops.size() < RUN_RECORDS)
        run->hops.push_back({hop, hz, amplitude});
    ++run->windows;
    run->hzSum += hz;
    if (steady) {
        for (std::size_t k = 0; k < nominalCount; ++k)
            run->powerSum[k] += std::norm(window[k]);
        run->tonePower += std::pow(amplitude * windowLength / 2.0, 2);
    }
    if (run->windows == 2 * EDGE_SEARCH_HOPS) {
        Settle(*run);
        run->startMs = StartEdge(*run);
    }
}

CToneDecoder::CToneDecoder(const TONE_SYSTEM& system, int sampleRate)
    : m_state(std::make_unique<State>(system, sampleRate)) {}

CToneDecoder::~CToneDecoder() = default;

std::vector<HEARD_TONE> CToneDecoder::Feed(const std::int16_t* samples, std::size_t count) {
    std::vector<HEARD_TONE> out;
    m_state->AddSamples(samples, count, out);
    return out;
}

std::vector<HEARD_TONE> CToneDecoder::Finish() {
    std::vector<HEARD_TONE> out;
    // A window and a half of silence after the sound, so a tone sounding to the very end
    // gets its end edge like any other.
    State& s = *m_state;
    const std::vector<std::int16_t> silence(
        std::size_t(s.windowLength + 2 * s.hopLength) - s.pending.size(), 0);
    s.AddSamples(silence.data(), silence.size(), out);
    if (s.run)
        s.CloseRun();
    s.ResolveEnding(true, out);
    return out;
}

QString DecodeRateProblem(int sampleRate) {
    if (sampleRate >= MIN_DECODE_RATE)
        return {};
    return Tr("the sample rate %1 Hz is too low to hear the tones (%2 Hz at the least)")
        .arg(sampleRate)
        .arg(MIN_DECODE_RATE);
}

std::vector<HEARD_TONE> DecodeTones(const TONE_SYSTEM& system, int sampleRate,
                                    const std::vector<std::int16_t>& samples) {
    CToneDecoder decoder(system, sampleRate);
    std::vector<HEARD_TONE> tones = decoder.Feed(samples.data(), samples.size());
    for (HEARD_TONE& t : decoder.Finish())
        tones.push_back(std::move(t));
    return tones;
}
