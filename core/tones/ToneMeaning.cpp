// Heard tones read back against the setup. A telegram is compared as tokens: symbols with
// the repeat tone unfolded (2 E 2 heard is 2 2 2), and a pause for a gap of about a tone.
#include "core/tones/ToneMeaning.h"

#include "core/image/CE2prom.h"
#include "core/image/SettingIds.h"
#include "core/image/VariableTables.h"
#include "core/lang/CurrentLanguage.h"
#include "core/tones/TonePlan.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// A sequence ends at a gap longer than this many tone lengths.
constexpr int SEQUENCE_GAP_TONES = 3;
// A gap inside a telegram of at least half a tone length is its "Pause"; shorter gaps are
// the decoder's edges between abutting tones.
constexpr double PAUSE_MIN_TONES = 0.5;
// A guard tone counts as the setup's within this fraction of its frequency.
constexpr double GUARD_TOLERANCE = 0.02;

constexpr int PAUSE_TOKEN = -1;

// What one position of an expected telegram accepts.
enum class Want { Symbol, Pause, Any, AlarmNumber, AlarmNumberPlus1, AlarmStatus, Id };
struct WANT {
    Want kind;
    int value = 0; // the symbol, or the ID's index 0..10
};

std::vector<WANT> Expected(const CE2prom& image, TelegramId id) {
    std::vector<WANT> wants;
    for (int byte : TelegramBytes(image, id)) {
        if (byte >= 0 && byte < TONE_SYMBOL_COUNT)
            wants.push_back({Want::Symbol, byte});
        else if (byte >= TONE_ID_1 && byte < TONE_ID_1 + 11)
            wants.push_back({Want::Id, byte - TONE_ID_1});
        else if (byte == TONE_PAUSE)
            wants.push_back({Want::Pause});
        else if (byte == TONE_ANY)
            wants.push_back({Want::Any});
        else if (byte == TONE_ALARM_NUMBER_AND_STATUS)
            wants.insert(wants.end(), {{Want::AlarmNumber}, {Want::AlarmStatus}});
        else if (byte == TONE_ALARM_NUMBER_PLUS_1)
            wants.push_back({Want::AlarmNumberPlus1});
        else if (byte == TONE_ALARM_STATUS)
            wants.push_back({Want::AlarmStatus});
    }
    // Silence before or after a telegram cannot be heard as a pause.
    while (!wants.empty() && wants.back().kind == Want::Pause)
        wants.pop_back();
    while (!wants.empty() && wants.front().kind == Want::Pause)
        wants.erase(wants.begin());
    return wants;
}

// Whether a heard token fits a wanted one, ignoring what variables are bound to. A literal
// tone E also fits a token that the repeat tone unfolded into.
bool Fits(const WANT& want, const std::vector<int>& heard, std::size_t i) {
    const int token = heard[i];
    if (want.kind == Want::Pause)
        return token == PAUSE_TOKEN;
    if (token == PAUSE_TOKEN)
        return false;
    if (want.kind != Want::Symbol)
        return true;
    return token == want.value || (want.value == REPEAT_SYMBOL && i > 0 && heard[i - 1] == token);
}

struct ALARM_VALUES {
    std::optional<int> number, status;
    std::array<std::optional<int>, 11> id;
};

// Binds a variable, or false when it already holds another value.
bool Bind(std::optional<int>& slot, int value) {
    if (slot && *slot != value)
        return false;
    slot = value;
    return true;
}

// The telegram's variable tones read back, or nothing when the heard tokens do not match.
// A variable used twice (ID 3 in two places, the number and the number + 1) must agree.
std::optional<ALARM_VALUES> Match(const std::vector<WANT>& wants, const std::vector<int>& heard) {
    if (wants.empty() || wants.size() != heard.size())
        return std::nullopt;
    ALARM_VALUES values;
    for (std::size_t i = 0; i < wants.size(); ++i) {
        if (!Fits(wants[i], heard, i))
            return std::nullopt;
        bool bound = true;
        switch (wants[i].kind) {
        case Want::AlarmNumber:
            bound = Bind(values.number, heard[i]);
            break;
        case Want::AlarmNumberPlus1: // the number after 9 is 0
            bound = heard[i] < 10 && Bind(values.number, (heard[i] + 9) % 10);
            break;
        case Want::AlarmStatus:
            bound = Bind(values.status, heard[i]);
            break;
        case Want::Id:
            bound = Bind(values.id[std::size_t(wants[i].value)], heard[i]);
            break;
        default:
            break;
        }
        if (!bound)
            return std::nullopt;
    }
    return values;
}

int EditDistance(const std::vector<WANT>& wants, const std::vector<int>& heard) {
    std::vector<int> row(heard.size() + 1);
    for (std::size_t j = 0; j < row.size(); ++j)
        row[j] = int(j);
    for (std::size_t i = 1; i <= wants.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        for (std::size_t j = 1; j <= heard.size(); ++j) {
            const int above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1,
                               diagonal + (Fits(wants[i - 1], heard, j - 1) ? 0 : 1)});
            diagonal = above;
        }
    }
    return row.back();
}

int SymbolOf(const std::string& text) {
    if (text.size() != 1)
        return -2;
    const char c = text[0];
    return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'E' ? c - 'A' + 10 : -2;
}

QString SymbolText(int symbol) {
    return QString(QChar(SymbolChar(symbol)));
}

// The telegram tokens of a sequence: symbols with the repeat tone unfolded, pauses for gaps.
std::vector<int> TelegramTokens(const std::vector<HEARD_TONE>& tones, int toneMs) {
    std::vector<int> tokens;
    int lastEnd = -1, last = -2;
    for (const HEARD_TONE& tone : tones) {
        const int symbol = SymbolOf(tone.symbol);
        if (tone.set != ToneSet::Telegram || symbol < 0)
            continue;
        if (lastEnd >= 0 && tone.startMs - lastEnd >= PAUSE_MIN_TONES * toneMs) {
            tokens.push_back(PAUSE_TOKEN);
            last = -2;
        }
        const int unfolded = (symbol == REPEAT_SYMBOL && last >= 0) ? last : symbol;
        tokens.push_back(unfolded);
        last = symbol == REPEAT_SYMBOL ? -2 : symbol; // X E X: the second X is no repeat
        lastEnd = tone.startMs + tone.lengthMs;
    }
    return tokens;
}

QString FunctionText(const CE2prom& image, int function, int language) {
    const int address =
        FindVariable(&image, TRC_SETUP_TABLE, TrcSetupIds::TRC_TONE_IDS[function - 1], "MeaningsOf")
            .address;
    const int byte = image.GetByte(address);
    const char* text = TRC_FUNCTION_LIST[0].text; // "NULL" for a byte no entry has
    for (const VALUE_STRUCT* entry = TRC_FUNCTION_LIST; !IsEndEntry(*entry); ++entry)
        if (entry->low == byte)
            text = entry->text;
    return QStringLiteral("F%1: %2").arg(function).arg(Tr(text, language));
}

// A guard tone followed by a function tone; nothing when the sequence is no TRC command.
std::optional<TONE_MEANING> TrcMeaning(const CE2prom& image, const std::vector<HEARD_TONE>& tones,
                                       int language) {
    for (std::size_t i = 1; i < tones.size(); ++i) {
        if (tones[i - 1].set != ToneSet::Guard || tones[i].set != ToneSet::Function)
            continue;
        const int function = std::atoi(tones[i].symbol.c_str() + 1);
        if (function < 1 || function > TRC_FUNCTION_COUNT)
            continue;
        const double guardHz = GuardToneHz(image);
        const bool guardRight = std::abs(tones[i - 1].hz - guardHz) <= GUARD_TOLERANCE * guardHz;
        const QString text = FunctionText(image, function, language);
        return TONE_MEANING{tones.front().startMs, guardRight,
                            guardRight ? text : Tr("no match (nearest: %1)", language).arg(text)};
    }
    return std::nullopt;
}

QString MatchedText(const TELEGRAM_INFO& info, const ALARM_VALUES& values, int language) {
    QString text = Tr(info.name, language);
    QStringList parts;
    if (values.number)
        parts << Tr("alarm %1", language).arg(SymbolText(*values.number));
    if (values.status)
        parts << Tr("status %1", language).arg(SymbolText(*values.status));
    return parts.isEmpty() ? text : text + ": " + parts.join(", ");
}

TONE_MEANING TelegramMeaning(const CE2prom& image, const std::vector<int>& tokens, int startMs,
                             int language) {
    const TELEGRAM_INFO* nearest = nullptr;
    int nearestDistance = 0;
    for (int i = 0; i < TELEGRAM_COUNT; ++i) {
        const TELEGRAM_INFO& info = TelegramInfo(TelegramId(i));
        const std::vector<WANT> wants = Expected(image, info.id);
        if (const std::optional<ALARM_VALUES> values = Match(wants, tokens))
            return {startMs, true, MatchedText(info, *values, language)};
        const int distance = EditDistance(wants, tokens);
        if (!nearest || distance < nearestDistance) {
            nearest = &info;
            nearestDistance = distance;
        }
    }
    return {startMs, false,
            Tr("no match (nearest: %1)", language).arg(Tr(nearest->name, language))};
}

} // namespace

std::vector<TONE_MEANING> MeaningsOf(const CE2prom& image, const std::vector<HEARD_TONE>& heard,
                                     int language) {
    const int toneMs = ToneSystemOf(image).toneMs;
    std::vector<TONE_MEANING> meanings;
    std::size_t first = 0;
    for (std::size_t i = 1; i <= heard.size(); ++i) {
        const bool ends =
            i == heard.size() || heard[i].startMs - (heard[i - 1].startMs + heard[i - 1].lengthMs) >
                                     SEQUENCE_GAP_TONES * toneMs;
        if (!ends)
            continue;
        const std::vector<HEARD_TONE> tones(heard.begin() + qsizetype(first),
                                            heard.begin() + qsizetype(i));
        first = i;
        if (std::optional<TONE_MEANING> trc = TrcMeaning(image, tones, language)) {
            meanings.push_back(*trc);
            continue;
        }
        // A guard tone alone (a line held, a level test) means nothing.
        const std::vector<int> tokens = TelegramTokens(tones, toneMs);
        if (!tokens.empty())
            meanings.push_back(TelegramMeaning(image, tokens, tones.front().startMs, language));
    }
    return meanings;
}
