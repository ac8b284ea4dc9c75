// Tone plans of TRC commands and telegrams, read from the image through the same addresses
// and lists as the setup dialogs.
#include "core/tones/TonePlan.h"

#include "core/forms/ToneSequenceForms.h"
#include "core/image/CE2prom.h"
#include "core/image/VariableTables.h"
#include "core/tones/ToneTables.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace {

// Offsets inside a telegram's block.
constexpr int DECODER_PROLONGED = 0, DECODER_PROLONGED_LENGTH = 1, DECODER_TONES = 4;
constexpr int ENCODER_PREAMBLE = 0, ENCODER_PROLONGED = 1, ENCODER_PROLONGED_LENGTH = 2,
              ENCODER_TONES = 3;

std::array<TELEGRAM_INFO, TELEGRAM_COUNT> MakeInfos() {
    std::array<TELEGRAM_INFO, TELEGRAM_COUNT> infos{};
    for (int i = 0; i < DECODER_COUNT; ++i)
        infos[i] = {TelegramId(i), DecoderForm(i).caption, false, DECODER_BASE[i]};
    for (int i = 0; i < ENCODER_COUNT; ++i)
        infos[DECODER_COUNT + i] = {TelegramId(DECODER_COUNT + i), EncoderForm(i).caption, true,
                                    ENCODER_BASE[i]};
    return infos;
}

const std::array<TELEGRAM_INFO, TELEGRAM_COUNT>& Infos() {
    static const std::array<TELEGRAM_INFO, TELEGRAM_COUNT> infos = MakeInfos();
    return infos;
}

// Builds a plan whose segments abut.
class CPlanBuilder {
public:
    explicit CPlanBuilder(const TONE_SYSTEM& system) : m_system(system) {}

    void Add(int lengthMs, double hz, double levelDb, std::string symbol) {
        m_plan.push_back({m_endMs, lengthMs, hz, levelDb, std::move(symbol)});
        m_endMs += lengthMs;
    }
    void Silence(int lengthMs, const char* symbol) {
        Add(lengthMs, 0, 0, symbol);
        m_lastSymbol = -1;
    }
    // A telegram tone: one equal to the tone sent just before it goes out as the repeat
    // tone, so 2 2 2 is sent as 2 E 2.
    void Tone(int symbol, int lengthMs) {
        if (symbol < 0 || symbol >= TONE_SYMBOL_COUNT)
            return;
        if (symbol == m_lastSymbol)
            symbol = REPEAT_SYMBOL;
        Add(lengthMs, m_system.hz[symbol], 0, std::string(1, SymbolChar(symbol)));
        m_lastSymbol = symbol;
    }
    TONE_PLAN Take() { return std::move(m_plan); }

private:
    const TONE_SYSTEM& m_system;
    TONE_PLAN m_plan;
    int m_endMs = 0;
    int m_lastSymbol = -1;
};

// Alarm numbers are digits: the number after 9 is 0, as a decade counter counts.
int NextDigit(int digit) {
    return (digit % 10 + 1) % 10;
}

// The symbols one stored tone byte stands for (two for "Alarm no. and status"; none for a
// byte no list has).
std::vector<int> SymbolsOf(int byte, const TELEGRAM_VALUES& values) {
    if (byte >= 0 && byte < TONE_SYMBOL_COUNT)
        return {byte};
    if (byte >= TONE_ID_1 && byte < TONE_ID_1 + ID_COUNT)
        return {values.id[byte - TONE_ID_1]};
    switch (byte) {
    case TONE_ANY:
        return {values.anyTone};
    case TONE_ALARM_NUMBER_AND_STATUS:
        return {values.alarmNumber, values.alarmStatus};
    case TONE_ALARM_NUMBER_PLUS_1:
        return {NextDigit(values.alarmNumber)};
    case TONE_ALARM_STATUS:
        return {values.alarmStatus};
    default:
        return {};
    }
}

} // namespace

TONE_PLAN TrcCommandPlan(const CE2prom& image, int function, const TRC_TIMING& timing) {
    if (function < 1 || function > TRC_FUNCTION_COUNT)
        throw std::out_of_range("TRC function tone out of range");
    const double guardHz = GuardToneHz(image);
    CPlanBuilder plan(ToneSystemOf(image));
    plan.Add(timing.guardMs, guardHz, 0, "G");
    plan.Add(timing.functionMs, TrcFunctionHz(function), timing.functionDb,
             "F" + std::to_string(function));
    if (timing.holdMs > 0)
        plan.Add(timing.holdMs, guardHz, timing.holdDb, "G");
    return plan.Take();
}

const TELEGRAM_INFO& TelegramInfo(TelegramId id) {
    return Infos().at(std::size_t(id));
}

const TELEGRAM_INFO* FindTelegram(const std::string& name) {
    const auto same = [&](const TELEGRAM_INFO& info) {
        const std::string caption = info.name;
        return std::equal(
            caption.begin(), caption.end(), name.begin(), name.end(),
            [](unsigned char a, unsigned char b) { return std::tolower(a) == std::tolower(b); });
    };
    const auto it = std::find_if(Infos().begin(), Infos().end(), same);
    return it == Infos().end() ? nullptr : &*it;
}

std::vector<int> TelegramBytes(const CE2prom& image, TelegramId id) {
    const TELEGRAM_INFO& info = TelegramInfo(id);
    const int first = info.base + (info.encoder ? ENCODER_TONES : DECODER_TONES);
    std::vector<int> bytes;
    for (int i = 0; i < MAX_TONES; ++i) {
        const int byte = image.GetByte(first + i);
        if (byte == TONE_END)
            break;
        bytes.push_back(byte);
    }
    return bytes;
}

TONE_PLAN TelegramPlan(const CE2prom& image, TelegramId id, const TELEGRAM_VALUES& values) {
    const TELEGRAM_INFO& info = TelegramInfo(id);
    const TONE_SYSTEM& system = ToneSystemOf(image);
    const int prolonged =
        image.GetByte(info.base + (info.encoder ? ENCODER_PROLONGED : DECODER_PROLONGED));
    // The encoder dialog counts its preamble and prolonged tone in tens of milliseconds
    // ("Preamble length (10ms)"; the shipped Alarm's 60 is the usual 600 ms preamble), the
    // decoder dialog its prolonged tone in milliseconds.
    const int unitMs = info.encoder ? 10 : 1;
    // A prolonged length of 0 would make the tone vanish; the unit's tone then keeps its
    // nominal length.
    const int prolongedMs =
        unitMs *
        LongTimeToValue(image.GetByte(
            info.base + (info.encoder ? ENCODER_PROLONGED_LENGTH : DECODER_PROLONGED_LENGTH)));
    CPlanBuilder plan(system);
    if (info.encoder) {
        const int preambleMs =
            unitMs * LongTimeToValue(image.GetByte(info.base + ENCODER_PREAMBLE));
        if (preambleMs > 0)
            plan.Silence(preambleMs, "Preamble");
    }
    const std::vector<int> bytes = TelegramBytes(image, id);
    for (int i = 0; i < int(bytes.size()); ++i) {
        // Tone i + 1 is the prolonged one: every tone its byte stands for (both of "Alarm no.
        // and status"), or its pause, lasts the prolonged length.
        const int lengthMs = (i + 1 == prolonged && prolongedMs > 0) ? prolongedMs : system.toneMs;
        if (bytes[i] == TONE_PAUSE) {
            plan.Silence(lengthMs, "Pause");
            continue;
        }
        for (int symbol : SymbolsOf(bytes[i], values))
            plan.Tone(symbol, lengthMs);
    }
    return plan.Take();
}

int PlanLengthMs(const TONE_PLAN& plan) {
    return plan.empty() ? 0 : plan.back().startMs + plan.back().lengthMs;
}
