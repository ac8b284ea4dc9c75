// CDumpReceiver: the receiving end of one dump of the unit. It takes the dump's lines one
// by one, decodes each S1 record strictly, stores its bytes in a receive area addressed
// modulo 8192 and keeps which addresses arrived, so that only a whole, consistent dump
// is handed back at the end record.
#pragma once

#include <QByteArray>
#include <QList>

class CDumpReceiver {
public:
    // What a received line is.
    enum class Line {
        Other,       // not a record (a header, chatter, an empty line): skipped
        Record,      // a well-formed S1 record whose checksum holds (Store() takes it)
        BadChecksum, // a well-formed S1 record whose checksum does not hold
        Broken,      // not one well-formed S1 record: damaged digits, wrong length, or text
                     // after it (two lines merged by a lost line end)
        End,         // the end record's line (the rest of it is not looked at)
    };
    // What the end record ends with.
    enum class Ending { Whole, EndBroken, Incomplete };

    // image: its first bytes (addresses 0 to 210) are what the area holds before any
    // record; only address 0 can end the dump so, as no dump covers it.
    explicit CDumpReceiver(const QByteArray& image);

    // Looks at one received line.
    Line Take(const QByteArray& line);
    // The data bytes of the record Take last recognised.
    int RecordBytes() const { return int(m_record.size()); }
    // Stores the record Take last recognised; false, storing nothing, when an address it
    // covers already arrived with another byte (a repeat with the same bytes is harmless).
    bool Store();
    // At the end record: Whole with the dump (as many bytes as the image), EndBroken when
    // the end record is damaged, Incomplete when addresses 1 to 210 did not all arrive
    // (missing names them, in ascending order).
    Ending Finish(QByteArray& dump, QList<int>& missing) const;

private:
    int m_size;
    QByteArray m_area;
    QList<bool> m_arrived;
    QByteArray m_endToken;
    int m_address = 0;
    QByteArray m_record; // the data bytes of the last record
};
