// CCommLog: the communication log of a device command: every line sent to the unit and
// received from it, with the milliseconds since the log started and the direction, so a
// technician sees what happened on the wire when the unit does not answer as expected.
//
// A port records into the log it is given (CPort::SetLog): each line written, each line
// or piece read, what a clear of the receive buffer discards, the time-outs that cut a
// reception short and the port's failures.
// Unprintable bytes are shown as escapes (\r, \n, \t, \\, \xNN), so a line of the log is
// one line of text whatever the unit sent. CommandLog() is the log of the program's last
// device command, which the port factory starts afresh for every port it makes; the
// main window shows it and karvo-cli --trace writes it.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class CCommLog {
public:
    enum class Direction { Sent, Received, Note };

    // Lines kept at most; a flood of a misbehaving unit ends in one line saying so.
    static constexpr int MAX_LINES = 5000;

    struct LINE {
        qint64 ms;
        Direction direction;
        QByteArray bytes; // the bytes sent or received, or the note's text
    };

    // Forgets every line.
    void Clear() {
        m_lines.clear();
        ++m_revision;
    }
    void Record(qint64 ms, Direction direction, const QByteArray& bytes);

    const QList<LINE>& Lines() const { return m_lines; }
    // Changes whenever a line is recorded or the log is cleared.
    int Revision() const { return m_revision; }
    // "   512 ms  <-  REPLY RM4811 V2.6\r" for each line.
    QStringList TextLines() const;
    // The text lines, each ended by a line break.
    QString Text() const;

    // bytes with every unprintable byte and the backslash as an escape.
    static QString Escaped(const QByteArray& bytes);

private:
    QList<LINE> m_lines;
    int m_revision = 0;
};

// The log of the program's last device command.
CCommLog& CommandLog();
