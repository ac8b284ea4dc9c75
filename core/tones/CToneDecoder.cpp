#include "core/tones/CToneDecoder.h"

#include "core/lang/CurrentLanguage.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <deque>
#include <numbers>

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
// Consecutive windows at the same frequency (within 1.2%; a weak tone may miss two) make one
// run: one physical tone, reported once; a run of one window is a noise peak. Once a run has
// three windows it is followed at 6 dB above the noise, at its own frequency, and a run of
// one or two windows that slides on into a tone within 2% becomes that tone. Its frequency
// and level are the medians over its steady windows; its edges are where its bin's amplitude
// crosses half its steady value (the window's middle then lies on the edge). A run is a tone
// of a set when it lies within 2% of one of the set's tones, stands 10 dB above every other
// tone of the set over the run, and lasts 60% of the set's nominal length (the system's tone
// length; 40 ms for function tones as a command sends them, and the same for guard tones).
//
// Sets overlap (CCIR E at 2110 Hz and the 2100 Hz guard, ZVEI1 1060 Hz and F11 at 1050 Hz),
// so the tone before, if it ended where this one starts, chooses the set tried first:
// - after a guard tone: the Function set (the command's function tone follows its guard);
// - after a function tone: the Guard set (the guard held low while the command lasts);
// - after a telegram tone: the Telegram set, so a 2100-ish tone there is the repeat tone E;
// - otherwise (after silence): the repeat tone E does not start anything, so a 2100-ish tone
//   is a guard; of the Telegram and Guard sets the one with the nearer tone is tried first,
//   the Telegram set on a tie.
// The Function set is tried only right after a guard tone.

namespace {

using Complex = std::complex<double>;

constexpr int WINDOW_MS = 20;
constexpr int BLOCKS_PER_WINDOW = 4;
constexpr double MIX_RATIO = 10.0;     // a second tone within 10 dB: an edge window
constexpr double MAIN_LOBE_BINS = 1.1; // leakage beyond this is below -13 dB
constexpr std::size_t MIN_RUN_HOPS = 2;
constexpr std::size_t SETTLING_HOPS = 3;
constexpr double PRESENCE_RATIO = 16.0;  // a window holds a tone: bin vs noise, 12 dB
constexpr double FOLLOW_RATIO = 4.0;     // and still holds a tone already heard, 6 dB
constexpr double DOMINANCE_RATIO = 10.0; // a tone stands 10 dB above its set's others
constexpr double FLOOR_DBFS = -60.0;
constexpr double MAX_DEVIATION = 0.02;    // of the nominal frequency
constexpr double RUN_DEVIATION = 0.012;   // windows belong to one run
constexpr double MIN_LENGTH_SHARE = 0.6;  // of the nominal length
constexpr int TRC_TONE_MS = 40;           // function tone; the least a guard lasts
constexpr int ADJACENT_MS = 12;           // edges this close: no gap between the tones
constexpr int EDGE_SEARCH_HOPS = 8;       // how far to look for a run's edges
constexpr int MAX_MISSED_HOPS = 2;        // a weak tone may miss a window or two
constexpr double STEADY_DEVIATION = 0.01; // windows that measure a run's tone
constexpr double STEADY_SHARE = 0.9;      // of the run's full amplitude
constexpr std::size_t HISTORY_HOPS = 64;
constexpr std::size_t RUN_RECORDS = 2000; // 10 s
constexpr double FULL_SCALE = 32768.0;
// The search grid covers every tone of every set, 2% off.
constexpr double GRID_FIRST_HZ = 620.0;
constexpr double GRID_LAST_HZ = 3350.0;

struct BIN {
    double hz;
    ToneSet set;
    int symbol; // 0..14; F1..F15 as 1..15; guard tones 0..3
};

struct HOP {
    std::vector<float> amplitude; // |X| of every bin
};

// One window of a run: its measured frequency and the tone's amplitude there.
struct RUN_HOP {
    long hop;
    double hz, amplitude;
};

double Median(std::vector<double> v) {
    std::nth_element(v.begin(), v.begin() + std::ptrdiff_t(v.size() / 2), v.end());
    return v[v.size() / 2];
}

struct RUN {
    long firstHop = 0, lastHop = 0;
    std::size_t windows = 0;
    std::vector<RUN_HOP> hops; // the first RUN_RECORDS windows, enough to measure a tone by
    double hzSum = 0;
    // Every bin's power summed over the windows near the run's mean frequency, and the tone's
    // own power there (|X|² at its frequency): what a set's tones are compared by.
    std::vector<double> powerSum;
    double tonePower = 0;
    // Chosen when the run ends, from its steady windows (those across an edge mix two tones;
    // medians keep them and noise from moving the frequency and level):
    int bin = -1; // the nearest bin
    double hz = 0;
    double amplitude = 0;    // the tone's
    double binAmplitude = 0; // the nearest bin's |X|
    double startMs = -1;     // found once the run has steadied, while its rise is at hand
    double MeanHz() const { return hzSum / double(windows); }
};

double WrapPhase(double a) {
    return a -
           2.0 * std::numbers::pi * std::floor((a + std::numbers::pi) / (2.0 * std::numbers::pi));
}

} // namespace

struct CToneDecoder::State {
    TONE_SYSTEM system;
    int rate;
    int hopLength, windowLength;
    std::vector<BIN> bins; // the sets' tones, then the search grid
    std::size_t nominalCount = 0;
    std::vector<float> tableCos, tableSin;   // bins × hopLength
    std::vector<Complex> blockTurn;          // per bin: e^{-iωH}
    std::deque<std::vector<Complex>> blocks; // the last four blocks' bins
    std::deque<double> blockEnergy;
    std::vector<float> pending; // samples of the block being filled
    std::vector<float> recent;  // the last window's samples
    long hopCount = 0;
    std::vector<Complex> lastWindow;
    bool lastWindowValid = false;
    std::deque<HOP> history; // the last hops, newest at the back
    long historyFirst = 0;   // hop number of history.front()
    std::unique_ptr<RUN> run;
    std::deque<RUN> ending; // runs whose end edge is still to come
    bool havePrevious = false;
    HEARD_TONE previous{};

    State(const TONE_SYSTEM& s, int r);
    void AddSamples(const std::int16_t* samples, std::size_t count, std::vector<HEARD_TONE>& out);
    void Block(std::vector<HEARD_TONE>& out);
    void Hop(const std::vector<Complex>& window, double energy, std::vector<HEARD_TONE>& out);
    bool HoldsTone(const std::vector<Complex>& window, double energy, double hz, double ratio,
                   double* amplitude) const;
    void AddToRun(long hop, double hz, double amplitude, const std::vector<Complex>& window);
    bool Settling(long hop, double hz) const;
    void CloseRun();
    void Settle(RUN& r) const;
    double StartEdge(const RUN& r) const;
    void ResolveEnding(bool finished, std::vector<HEARD_TONE>& out);
    double HopAmplitude(long hop, int bin) const;
    double HopCentreMs(double hop) const;
    void Report(const RUN& r, double startMs, double endMs, std::vector<HEARD_TONE>& out);
    bool TryAs(ToneSet set, const RUN& r, double hz, bool afterTelegram, HEARD_TONE& tone) const;
};

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

void CToneDecoder::State::CloseRun() {
    if (run->windows < MIN_RUN_HOPS) {
        run.reset(); // a noise peak, or a window across an edge
        return;
    }
    Settle(*run);
    if (run->startMs < 0)
        run->startMs = StartEdge(*run);
    ending.push_back(std::move(*run));
    run.reset();
}

// The run's frequency, level, bin and set powers from the windows so far.
void CToneDecoder::State::Settle(RUN& r) const {
    // Steady windows: this one and the one before (the phase turn is measured between
    // them) near the run's full amplitude, the 90th percentile so that noise peaks do not
    // set it. A short tone has few; the loudest window stands in when it has none.
    std::vector<double> amplitudes;
    for (const RUN_HOP& h : r.hops)
        amplitudes.push_back(h.amplitude);
    std::sort(amplitudes.begin(), amplitudes.end());
    const double full = amplitudes[amplitudes.size() * 9 / 10];
    std::vector<double> hzs;
    amplitudes.clear();
    const RUN_HOP* loudest = &r.hops.front();
    for (std::size_t i = 0; i < r.hops.size(); ++i) {
        const RUN_HOP& h = r.hops[i];
        if (h.amplitude > loudest->amplitude)
            loudest = &h;
        if (i > 0 && r.hops[i - 1].hop == h.hop - 1 && h.amplitude >= STEADY_SHARE * full &&
            r.hops[i - 1].amplitude >= STEADY_SHARE * full) {
            hzs.push_back(h.hz);
            amplitudes.push_back(h.amplitude);
        }
    }
    if (hzs.empty()) {
        hzs.push_back(loudest->hz);
        amplitudes.push_back(loudest->amplitude);
    }
    r.hz = Median(hzs);
    r.amplitude = Median(amplitudes);
    const double hz = r.hz;
    std::vector<double> binAmplitudes;
    // The run's own bin: the nearest one (the loudest could be a neighbour for a tone
    // sent 2% off between two bins).
    r.bin = 0;
    for (std::size_t k = 1; k < bins.size(); ++k)
        if (std::abs(bins[k].hz - hz) < std::abs(bins[std::size_t(r.bin)].hz - hz))
            r.bin = int(k);
    for (long hop = r.firstHop; hop <= r.lastHop; ++hop)
        if (const double a = HopAmplitude(hop, r.bin); a >= 0)
            binAmplitudes.push_back(a);
    r.binAmplitude = Median(binAmplitudes);
}

// Where the run's bin rose through half its amplitude; without a clean rise (a louder tone
// before leaks into the bin), where the first window that held the tone starts.
double CToneDecoder::State::StartEdge(const RUN& r) const {
    const double half = r.binAmplitude / 2.0;
    for (long hop = std::min(r.lastHop, r.firstHop + EDGE_SEARCH_HOPS);
         hop >= r.firstHop - EDGE_SEARCH_HOPS; --hop) {
        const double a = HopAmplitude(hop, r.bin), after = HopAmplitude(hop + 1, r.bin);
        if (a < 0)
            break;
        if (a < half && after >= half)
            return HopCentreMs(hop + (half - a) / (after - a));
    }
    return HopCentreMs(r.firstHop) - WINDOW_MS / 2.0;
}

double CToneDecoder::State::HopAmplitude(long hop, int bin) const {
    if (hop < historyFirst || hop >= historyFirst + long(history.size()))
        return -1.0;
    return history[std::size_t(hop - historyFirst)].amplitude[std::size_t(bin)];
}

double CToneDecoder::State::HopCentreMs(double hop) const {
    return (hop * hopLength + windowLength / 2.0) * 1000.0 / rate;
}

// A run's end edge needs the windows after it; once its bin has fallen below half its steady
// amplitude (or the sound has ended), the run becomes a tone.
void CToneDecoder::State::ResolveEnding(bool finished, std::vector<HEARD_TONE>& out) {
    while (!ending.empty()) {
        const RUN& r = ending.front();
        const double half = r.binAmplitude / 2.0;
        const long newest = hopCount - 1;
        double endHop = -1;
        for (long hop = std::max(r.firstHop, r.lastHop - EDGE_SEARCH_HOPS) + 1;
             hop <= newest && hop <= r.lastHop + EDGE_SEARCH_HOPS; ++hop) {
            const double a = HopAmplitude(hop, r.bin), before = HopAmplitude(hop - 1, r.bin);
            if (a >= 0 && a < half && before >= half) {
                endHop = hop - 1 + (before - half) / (before - a);
                break;
            }
        }
        if (endHop < 0 && !finished && newest < r.lastHop + EDGE_SEARCH_HOPS)
            return; // not yet
        if (endHop < 0)
            endHop = std::min<double>(newest, r.lastHop + 1);
        double startMs = r.startMs;
        // A tone that follows another without room for a gap starts where that one ended.
        if (havePrevious) {
            const double previousEnd = previous.startMs + previous.lengthMs;
            if (previousEnd >= HopCentreMs(r.firstHop) - WINDOW_MS)
                startMs = previousEnd;
            startMs = std::max(startMs, previousEnd);
        }
        Report(r, std::max(0.0, startMs), HopCentreMs(endHop), out);
        ending.pop_front();
    }
}

bool CToneDecoder::State::TryAs(ToneSet set, const RUN& r, double hz, bool afterTelegram,
                                HEARD_TONE& tone) const {
    int nearest = -1;
    for (std::size_t k = 0; k < nominalCount; ++k) {
        if (bins[k].set != set ||
            (set == ToneSet::Telegram && !afterTelegram && bins[k].symbol == REPEAT_SYMBOL))
            continue;
        if (nearest < 0 || std::abs(bins[k].hz - hz) < std::abs(bins[std::size_t(nearest)].hz - hz))
            nearest = int(k);
    }
    if (nearest < 0 || std::abs(hz / bins[std::size_t(nearest)].hz - 1.0) > MAX_DEVIATION)
        return false;
    const BIN& b = bins[std::size_t(nearest)];
    for (std::size_t k = 0; k < nominalCount; ++k)
        if (bins[k].set == set && int(k) != nearest &&
            r.tonePower < DOMINANCE_RATIO * r.powerSum[k])
            return false;
    const int nominalMs = set == ToneSet::Telegram ? system.toneMs : TRC_TONE_MS;
    if (tone.lengthMs < MIN_LENGTH_SHARE * nominalMs)
        return false;
    tone.set = set;
    tone.symbol = set == ToneSet::Telegram   ? std::string(1, SymbolChar(b.symbol))
                  : set == ToneSet::Function ? "F" + std::to_string(b.symbol)
                                             : std::string("G");
    tone.levelDb = 20.0 * std::log10(r.amplitude / FULL_SCALE);
    return true;
}

void CToneDecoder::State::Report(const RUN& r, double startMs, double endMs,
                                 std::vector<HEARD_TONE>& out) {
    const double hz = r.hz;
    HEARD_TONE tone{
        int(std::lround(startMs)), int(std::lround(endMs - startMs)), hz, 0, ToneSet::Telegram, {}};
    const bool adjacent =
        havePrevious && tone.startMs - (previous.startMs + previous.lengthMs) <= ADJACENT_MS;
    const ToneSet before = adjacent ? previous.set : ToneSet::Telegram;
    std::vector<ToneSet> order;
    // A function tone exists only right after its guard tone: elsewhere a short telegram
    // tone (cut by a gap in the recording) would pass for one, F9 for a ZVEI1 "3".
    if (adjacent && before == ToneSet::Guard)
        order = {ToneSet::Function, ToneSet::Guard, ToneSet::Telegram};
    else if (adjacent && before == ToneSet::Function)
        order = {ToneSet::Guard, ToneSet::Telegram};
    else if (adjacent)
        order = {ToneSet::Telegram, ToneSet::Guard};
    else {
        auto nearestOff = [&](ToneSet set) {
            double off = 1e9;
            for (std::size_t k = 0; k < nominalCount; ++k)
                if (const BIN& b = bins[k];
                    b.set == set && !(set == ToneSet::Telegram && b.symbol == REPEAT_SYMBOL))
                    off = std::min(off, std::abs(b.hz - hz));
            return off;
        };
        if (nearestOff(ToneSet::Guard) < nearestOff(ToneSet::Telegram))
            order = {ToneSet::Guard, ToneSet::Telegram};
        else
            order = {ToneSet::Telegram, ToneSet::Guard};
    }
    for (ToneSet set : order)
        if (TryAs(set, r, hz, adjacent && before == ToneSet::Telegram, tone)) {
            out.push_back(tone);
            previous = tone;
            havePrevious = true;
            return;
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
