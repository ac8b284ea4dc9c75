// The tone decoder's inner state, shared by its two halves: CToneDecoder.cpp (the filter
// bank: samples into windows, windows into runs of one frequency) and ToneRuns.cpp (a run
// ended: its edges, frequency, level and set, reported as a heard tone). Nothing else
// includes it.
#pragma once

#include "core/tones/CToneDecoder.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <deque>
#include <memory>
#include <numbers>
#include <vector>

namespace ToneDecoding {

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

inline double Median(std::vector<double> v) {
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

inline double WrapPhase(double a) {
    return a -
           2.0 * std::numbers::pi * std::floor((a + std::numbers::pi) / (2.0 * std::numbers::pi));
}

} // namespace ToneDecoding

struct CToneDecoder::State {
    using Complex = ToneDecoding::Complex;
    using BIN = ToneDecoding::BIN;
    using HOP = ToneDecoding::HOP;
    using RUN = ToneDecoding::RUN;

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
