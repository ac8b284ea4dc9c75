// What heard tones mean in a setup: a TRC command ("F3: CHN1 KEY"), a decoder's telegram
// ("Decoder 2"), one of the unit's own telegrams ("Alarm: alarm 3, status 1"), or "no match"
// with the nearest telegram.
#pragma once

#include "core/tones/CToneDecoder.h"

#include <QString>

#include <vector>

class CE2prom;

struct TONE_MEANING {
    int startMs;  // the first tone it is made of
    bool matched; // false for "no match"
    QString text; // in the language given
};

// Splits the heard tones into commands and telegrams (a gap longer than a few tone lengths
// ends a telegram) and names each.
std::vector<TONE_MEANING> MeaningsOf(const CE2prom& image, const std::vector<HEARD_TONE>& heard,
                                     int language);
