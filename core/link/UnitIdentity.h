// The unit's identity as it follows the reply marker of a connection: six words separated
// by white space, the software name, the version ("V2.6": any character, the major number,
// any character, the minor number) and four words of the software date.
#pragma once

#include <QByteArray>

struct UNIT_IDENTITY {
    QByteArray name; // at most 19 characters
    QByteArray date; // the four date words (at most 11 characters each), one blank apart
    int major = 0;
    int minor = 0;
};

// The identity in afterMarker; a missing word is taken as empty, and version numbers the
// token does not supply keep the values given.
UNIT_IDENTITY ParseUnitIdentity(const QByteArray& afterMarker, int major, int minor);
