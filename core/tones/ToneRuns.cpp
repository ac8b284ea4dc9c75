// The tone decoder's second half: what becomes of a run of windows at one frequency once it
// has ended (see CToneDecoder.cpp for how the runs are found).
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
#include "core/tones/ToneDecoderState.h"

#include <string>

using namespace ToneDecoding;

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
