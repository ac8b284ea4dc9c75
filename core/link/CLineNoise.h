// CLineNoise: a noisy serial line in one direction, for tests and demonstrations: what a
// long cable or a cheap USB adapter does to the bytes on their way. Each byte may have a
// bit flipped, be lost or arrive twice; a line end (CR) may be lost, merging two lines;
// a whole line may be lost. The choices come from a seeded generator, so a run is
// repeated exactly by its seed.
//
// The virtual unit puts it on its pseudo-terminal and the scripted port on its timeline.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <random>

// The chance of each kind of damage: per byte, per line end, per line.
struct LINE_NOISE_RATES {
    double bitFlip = 0;     // a byte arrives with one bit flipped
    double lostByte = 0;    // a byte never arrives
    double doubledByte = 0; // a byte arrives twice
    double lostCR = 0;      // a line end (CR) never arrives: two lines merge
    double lostLine = 0;    // a whole line, its CR included, never arrives
    // An S1 record line arrives with two bits flipped whose changes cancel in its 8-bit
    // checksum: one data byte one higher, another one lower. Only a second read sees it.
    double cancellingPair = 0;

    bool IsQuiet() const {
        return bitFlip <= 0 && lostByte <= 0 && doubledByte <= 0 && lostCR <= 0 &&
               lostLine <= 0 && cancellingPair <= 0;
    }
};

class CLineNoise {
public:
    explicit CLineNoise(LINE_NOISE_RATES rates = {}, unsigned seed = 1);

    // Rates from "flip=0.001,lose=0.001,double=0.001,cr=0.01,line=0.01,pair=0.01" (any of them, in
    // any order, each between 0 and 1); nothing with the reason in error for anything else.
    static std::optional<LINE_NOISE_RATES> ParseRates(const QString& text, QString* error);

    const LINE_NOISE_RATES& Rates() const { return m_rates; }
    // The bytes as they arrive at the other end. Line ends are followed across calls, so a
    // lost line may start in one piece and end in the next.
    QByteArray Apply(const QByteArray& bytes);

private:
    bool Chance(double rate);
    // The line (without its CR) with a cancelling pair of flipped bits, when it is an S1
    // record with the digits for one; otherwise as it was.
    QByteArray CancellingPair(QByteArray line);

    LINE_NOISE_RATES m_rates;
    std::mt19937 m_random;
    bool m_atLineStart = true;
    bool m_droppingLine = false;
};
