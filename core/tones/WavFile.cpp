// RIFF WAVE reading and writing. A file is read whole into memory: the recordings this is
// for last seconds to minutes.
#include "core/tones/WavFile.h"

#include "core/lang/CurrentLanguage.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace {

constexpr int FORMAT_PCM = 1;
constexpr int FORMAT_FLOAT = 3;
constexpr int FORMAT_EXTENSIBLE = 0xFFFE;
constexpr int MAX_RATE = 384000;
// The sub-format GUID of WAVE_FORMAT_EXTENSIBLE after its first two bytes (the format code).
constexpr unsigned char GUID_TAIL[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                         0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

std::uint32_t Le(const char* p, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | std::uint8_t(p[i]);
    return value;
}

void PutLe(QByteArray& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.append(char(value >> (8 * i) & 0xFF));
}

struct FORMAT {
    int code = 0; // 1 PCM, 3 float, anything else compressed
    int channels = 0;
    int rate = 0;
    int bits = 0;
};

bool Fail(QString* error, const QString& reason) {
    if (error)
        *error = reason;
    return false;
}

// One sample, scaled so that 16-bit full scale is 32768.
double SampleAt(const char* p, const FORMAT& format) {
    switch (format.bits) {
    case 8:
        return (int(std::uint8_t(*p)) - 128) * 256.0;
    case 16:
        return std::int16_t(Le(p, 2));
    case 24:
        return std::int32_t(Le(p, 3) << 8) / 65536.0;
    default:
        if (format.code == FORMAT_FLOAT) {
            const std::uint32_t bits = Le(p, 4);
            float value;
            std::memcpy(&value, &bits, sizeof value);
            return std::isfinite(value) ? value * 32768.0 : 0.0;
        }
        return std::int32_t(Le(p, 4)) / 65536.0;
    }
}

// The "fmt " chunk, or the reason it cannot be read.
std::optional<FORMAT> ReadFormat(const char* p, std::uint32_t size, QString* error) {
    if (size < 16) {
        Fail(error, Tr("the WAV file's format chunk is too short"));
        return std::nullopt;
    }
    FORMAT format{int(Le(p, 2)), int(Le(p + 2, 2)), int(Le(p + 4, 4)), int(Le(p + 14, 2))};
    if (format.code == FORMAT_EXTENSIBLE && size >= 40 &&
        std::memcmp(p + 26, GUID_TAIL, sizeof GUID_TAIL) == 0)
        format.code = int(Le(p + 24, 2));
    if (format.code != FORMAT_PCM && format.code != FORMAT_FLOAT) {
        Fail(error, Tr("WAV format %1 is compressed and cannot be read").arg(format.code));
        return std::nullopt;
    }
    const bool readable = format.code == FORMAT_PCM ? (format.bits == 8 || format.bits == 16 ||
                                                       format.bits == 24 || format.bits == 32)
                                                    : format.bits == 32;
    if (!readable) {
        Fail(error, Tr("%1-bit WAV samples cannot be read").arg(format.bits));
        return std::nullopt;
    }
    if (format.channels == 0) {
        Fail(error, Tr("the WAV file has no channels"));
        return std::nullopt;
    }
    if (format.rate <= 0 || format.rate > MAX_RATE) {
        Fail(error,
             Tr("the WAV sample rate %1 Hz is out of range").arg(std::uint32_t(format.rate)));
        return std::nullopt;
    }
    return format;
}

std::vector<std::int16_t> MixToMono(const char* p, qsizetype bytes, const FORMAT& format) {
    const int sampleBytes = format.bits / 8;
    const qsizetype frameBytes = qsizetype(sampleBytes) * format.channels;
    std::vector<std::int16_t> mono(std::size_t(bytes / frameBytes));
    for (std::size_t frame = 0; frame < mono.size(); ++frame) {
        double sum = 0;
        for (int c = 0; c < format.channels; ++c)
            sum += SampleAt(p + qsizetype(frame) * frameBytes + c * sampleBytes, format);
        mono[frame] = std::int16_t(std::clamp(std::lround(sum / format.channels), -32768L, 32767L));
    }
    return mono;
}

} // namespace

QByteArray WavBytes(const WAV_SOUND& sound) {
    const std::uint32_t dataBytes = std::uint32_t(sound.samples.size() * 2);
    QByteArray out;
    out.reserve(int(44 + dataBytes));
    out.append("RIFF");
    PutLe(out, 36 + dataBytes, 4);
    out.append("WAVEfmt ");
    PutLe(out, 16, 4);
    PutLe(out, FORMAT_PCM, 2);
    PutLe(out, 1, 2); // mono
    PutLe(out, std::uint32_t(sound.sampleRate), 4);
    PutLe(out, std::uint32_t(sound.sampleRate) * 2, 4); // bytes per second
    PutLe(out, 2, 2);                                   // bytes per frame
    PutLe(out, 16, 2);
    out.append("data");
    PutLe(out, dataBytes, 4);
    for (std::int16_t sample : sound.samples)
        PutLe(out, std::uint16_t(sample), 2);
    return out;
}

bool WriteWav(const QString& path, const WAV_SOUND& sound, QString* error) {
    // QSaveFile writes beside the target and renames at commit: a failed write leaves the
    // old file (or none), never half a file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(error, Tr("cannot write %1: %2").arg(path, file.errorString()));
    const QByteArray bytes = WavBytes(sound);
    if (file.write(bytes) != bytes.size() || !file.commit())
        return Fail(error, Tr("cannot write %1: %2").arg(path, file.errorString()));
    return true;
}

bool ReadWav(const QString& path, WAV_SOUND* sound, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(error, Tr("cannot read %1: %2").arg(path, file.errorString()));
    return ParseWav(file.readAll(), sound, error);
}

bool ParseWav(const QByteArray& bytes, WAV_SOUND* sound, QString* error) {
    const char* p = bytes.constData();
    const qsizetype size = bytes.size();
    if (size < 12 || std::memcmp(p, "RIFF", 4) != 0 || std::memcmp(p + 8, "WAVE", 4) != 0)
        return Fail(error, Tr("not a RIFF WAVE file"));
    std::optional<FORMAT> format;
    qsizetype dataAt = -1, dataBytes = 0;
    for (qsizetype at = 12; at + 8 <= size;) {
        const std::uint32_t chunkBytes = Le(p + at + 4, 4);
        const qsizetype body = at + 8;
        const qsizetype there = std::min<qsizetype>(chunkBytes, size - body);
        if (std::memcmp(p + at, "fmt ", 4) == 0 && !format) {
            if (there < qsizetype(chunkBytes))
                return Fail(error, Tr("the WAV file is cut short"));
            if (!(format = ReadFormat(p + body, chunkBytes, error)))
                return false;
        } else if (std::memcmp(p + at, "data", 4) == 0 && dataAt < 0) {
            // A data chunk longer than the file (a recording that was stopped, or a writer
            // that never filled in the size) gives the whole frames that are there.
            dataAt = body;
            dataBytes = there;
        }
        at = body + qsizetype(chunkBytes) + (chunkBytes & 1); // chunks are padded to even
    }
    if (!format)
        return Fail(error, Tr("the WAV file has no format chunk"));
    if (dataAt < 0)
        return Fail(error, Tr("the WAV file has no data chunk"));
    if (sound) {
        sound->sampleRate = format->rate;
        sound->samples = MixToMono(p + dataAt, dataBytes, *format);
    }
    return true;
}
