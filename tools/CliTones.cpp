#include "tools/CliTones.h"

#include "core/image/CE2prom.h"
#include "core/tones/CToneDecoder.h"
#include "core/tones/ToneMeaning.h"
#include "core/tones/TonePlan.h"
#include "core/tones/ToneSynth.h"
#include "core/tones/WavFile.h"
#include "tools/CliArguments.h"
#include "tools/CliCommon.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <cmath>
#include <cstdio>

namespace {

void PrintLine(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
}

// "1124", "1055.5": the frequency as short as it is exact to a tenth of a hertz.
QString HzText(double hz) {
    return QString::number(hz, 'f', 1).remove(QRegularExpression("\\.0$"));
}

TONE_PLAN PlanOf(const CE2prom& image, const CCliCommand& command) {
    if (command.trcFunction > 0) {
        TRC_TIMING timing;
        if (command.holdMs >= 0)
            timing.holdMs = command.holdMs;
        return TrcCommandPlan(image, command.trcFunction, timing);
    }
    TELEGRAM_VALUES values;
    if (command.anyTone >= 0)
        values.anyTone = command.anyTone;
    return TelegramPlan(image, FindTelegram(command.telegram.toStdString())->id, values);
}

QJsonObject ToneJson(const HEARD_TONE& tone) {
    return {{"start_ms", tone.startMs},
            {"length_ms", tone.lengthMs},
            {"hz", std::round(tone.hz * 10) / 10},
            {"level_db", std::round(tone.levelDb * 10) / 10},
            {"symbol", QString::fromStdString(tone.symbol)}};
}

} // namespace

int RunCliTones(const CCliCommand& command) {
    CE2prom image;
    if (const int status = CliLoad(image, command.files[0]); status != CLI_OK)
        return status;
    if (command.trcFunction <= 0 && !FindTelegram(command.telegram.toStdString())) {
        CliError(QStringLiteral("no telegram is called '%1' (Decoder 1 to 4, Disconnect, "
                                "Acknowledge, Alarm)")
                     .arg(command.telegram));
        return CLI_USAGE;
    }
    const TONE_PLAN plan = PlanOf(image, command);
    if (command.wavPath.isEmpty()) {
        for (const TONE_SEGMENT& segment : plan)
            PrintLine(QStringLiteral("%1 %2 %3 %4 %5")
                          .arg(segment.startMs)
                          .arg(segment.lengthMs)
                          .arg(HzText(segment.hz), HzText(segment.levelDb),
                               QString::fromStdString(segment.symbol)));
        return CLI_OK;
    }
    const WAV_SOUND sound{command.sampleRate, SynthesizePlan(plan, command.sampleRate)};
    QString error;
    if (!WriteWav(command.wavPath, sound, &error)) {
        CliError(error);
        return CLI_CANNOT_WRITE;
    }
    return CLI_OK;
}

int RunCliListen(const CCliCommand& command) {
    CE2prom image;
    if (const int status = CliLoad(image, command.files[0]); status != CLI_OK)
        return status;
    WAV_SOUND sound;
    QString error;
    if (!ReadWav(command.files[1], &sound, &error) ||
        !(error = DecodeRateProblem(sound.sampleRate)).isEmpty()) {
        CliError(QStringLiteral("%1: %2").arg(command.files[1], error));
        return CLI_BAD_INPUT;
    }
    const std::vector<HEARD_TONE> heard =
        DecodeTones(ToneSystemOf(image), sound.sampleRate, sound.samples);
    const std::vector<TONE_MEANING> meanings = MeaningsOf(image, heard, command.language);
    bool recognised = false;
    for (const TONE_MEANING& meaning : meanings)
        recognised = recognised || meaning.matched;
    if (command.json) {
        QJsonArray tones;
        for (const HEARD_TONE& tone : heard)
            tones.append(ToneJson(tone));
        QJsonArray found;
        for (const TONE_MEANING& meaning : meanings)
            found.append(QJsonObject{{"start_ms", meaning.startMs},
                                     {"matched", meaning.matched},
                                     {"text", meaning.text}});
        PrintLine(QString::fromUtf8(
            QJsonDocument(
                QJsonObject{{"tones", tones}, {"meanings", found}, {"recognised", recognised}})
                .toJson(QJsonDocument::Compact)));
    } else {
        for (const HEARD_TONE& tone : heard)
            PrintLine(QStringLiteral("%1 %2 %3 %4")
                          .arg(tone.startMs)
                          .arg(tone.lengthMs)
                          .arg(HzText(tone.hz), QString::fromStdString(tone.symbol)));
        for (const TONE_MEANING& meaning : meanings)
            PrintLine(meaning.text);
    }
    return recognised ? CLI_OK : CLI_NOT_RECOGNISED;
}
