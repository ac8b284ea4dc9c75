#include "core/tones/ToneSynth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Edges and level steps take this long: short enough to leave a 40 ms tone its length,
// long enough that a start or stop makes no click.
constexpr double EDGE_MS = 2.5;
// The oscillator's length drifts by rounding; it is pulled back to 1 this often.
constexpr int RENORMALISE_EVERY = 512;

// Sample index of a time in ms, from the start of the plan (not from the previous segment),
// so rounding never accumulates.
long SampleAt(long ms, int rate) {
    return (ms * rate + 500) / 1000;
}

// Peak amplitude of a level relative to the plan's 0 dB; full scale at most.
double Amplitude(double levelDb) {
    return 32767.0 * std::min(1.0, std::pow(10.0, (FULL_LEVEL_DBFS + levelDb) / 20.0));
}

// Amplitudes stay below full scale (0 dB is FULL_LEVEL_DBFS), so rounding is enough.
std::int16_t ToSample(double v) {
    return static_cast<std::int16_t>(v + (v >= 0 ? 0.5 : -0.5));
}

// A sine whose frequency can change from one sample to the next without a phase jump: a
// unit vector turned by a fixed step per sample.
class COscillator {
public:
    void SetFrequency(double hz, int rate) {
        const double step = 2.0 * std::numbers::pi * hz / rate;
        m_stepCos = std::cos(step);
        m_stepSin = std::sin(step);
    }
    double Next() {
        const double sine = m_sin;
        const double c = m_cos * m_stepCos - m_sin * m_stepSin;
        m_sin = m_cos * m_stepSin + m_sin * m_stepCos;
        m_cos = c;
        if (++m_count == RENORMALISE_EVERY) {
            m_count = 0;
            // One Newton step towards length 1; the error is tiny, so this is enough.
            const double k = (3.0 - (m_cos * m_cos + m_sin * m_sin)) / 2.0;
            m_cos *= k;
            m_sin *= k;
        }
        return sine;
    }
    // count samples at a steady amplitude: four oscillators a sample apart, each turned by
    // four steps, so the samples do not wait for each other. Continues Next()'s phase.
    void Fill(std::int16_t* out, long count, double amplitude) {
        double c[4] = {m_cos}, s[4] = {m_sin};
        for (int j = 1; j < 4; ++j) {
            c[j] = c[j - 1] * m_stepCos - s[j - 1] * m_stepSin;
            s[j] = c[j - 1] * m_stepSin + s[j - 1] * m_stepCos;
        }
        const double c2 = m_stepCos * m_stepCos - m_stepSin * m_stepSin;
        const double s2 = 2.0 * m_stepCos * m_stepSin;
        const double c4 = c2 * c2 - s2 * s2, s4 = 2.0 * c2 * s2;
        long n = 0;
        for (int since = 0; n + 4 <= count; n += 4) {
            for (int j = 0; j < 4; ++j) {
                out[n + j] = ToSample(amplitude * s[j]);
                const double cj = c[j] * c4 - s[j] * s4;
                s[j] = c[j] * s4 + s[j] * c4;
                c[j] = cj;
            }
            if (++since == RENORMALISE_EVERY / 4) {
                since = 0;
                for (int j = 0; j < 4; ++j) {
                    const double k = (3.0 - (c[j] * c[j] + s[j] * s[j])) / 2.0;
                    c[j] *= k;
                    s[j] *= k;
                }
            }
        }
        m_cos = c[0];
        m_sin = s[0];
        for (; n < count; ++n)
            out[n] = ToSample(amplitude * Next());
    }

private:
    double m_cos = 1.0, m_sin = 0.0;
    double m_stepCos = 1.0, m_stepSin = 0.0;
    int m_count = 0;
};

struct SPAN {
    long first, end; // samples [first, end)
    double hz, amplitude;
};

} // namespace

std::vector<std::int16_t> SynthesizePlan(const TONE_PLAN& plan, int sampleRate) {
    std::vector<SPAN> spans;
    long total = 0;
    for (const TONE_SEGMENT& s : plan) {
        const SPAN span{SampleAt(s.startMs, sampleRate),
                        SampleAt(long(s.startMs) + s.lengthMs, sampleRate), s.hz,
                        s.hz > 0 ? Amplitude(s.levelDb) : 0.0};
        total = std::max(total, span.end);
        if (span.hz > 0 && span.end > span.first)
            spans.push_back(span);
    }
    std::vector<std::int16_t> out(std::size_t(std::max(total, 0L)), 0);

    // The raised-cosine ramp from 0 to 1, shared by every edge and level step.
    const int edge = std::max(1, int(std::lround(EDGE_MS * sampleRate / 1000.0)));
    std::vector<double> ramp(static_cast<std::size_t>(edge));
    for (int k = 0; k < edge; ++k)
        ramp[k] = 0.5 - 0.5 * std::cos(std::numbers::pi * (k + 0.5) / edge);

    COscillator osc;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const SPAN& s = spans[i];
        const bool afterTone = i > 0 && spans[i - 1].end == s.first;
        const bool beforeTone = i + 1 < spans.size() && spans[i + 1].first == s.end;
        const double from = afterTone ? spans[i - 1].amplitude : 0.0;
        const long length = s.end - s.first;
        // A segment shorter than two edges gets shorter edges rather than overlapping ones.
        const long rise = std::min<long>(edge, afterTone ? length : length / 2);
        const long fall = beforeTone ? 0 : std::min<long>(edge, length - rise);
        osc.SetFrequency(s.hz, sampleRate);
        long n = s.first;
        for (long k = 0; k < rise; ++k, ++n) {
            const double r = ramp[std::size_t(k * edge / rise)];
            out[n] = ToSample((from + (s.amplitude - from) * r) * osc.Next());
        }
        osc.Fill(&out[std::size_t(n)], s.end - fall - n, s.amplitude);
        n = s.end - fall;
        for (long k = fall - 1; k >= 0; --k, ++n)
            out[n] = ToSample(s.amplitude * ramp[std::size_t(k * edge / fall)] * osc.Next());
    }
    return out;
}
