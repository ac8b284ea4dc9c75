// LinkOutcome: how an exchange with the unit, or a device command's phase, ended. One
// numbering for everything the link answers: the results of Connect, ReadDevice and
// WriteDevice, the unit's verdict on a write (ClassifyReply) and what a device command
// records when it does not run an exchange. The port layer's negative return codes stay
// plain ints: they are the serial library's own codes.
#pragma once

enum class LinkOutcome {
    NotRun,    // the exchange was not run (a device command before or without it)
    Connected, // Connect: identity stored, port left open

    // ReadDevice. Only ReceptionOk changes the image; the others leave it alone and close
    // the port.
    ReceptionOk,     // the end record arrived after a whole dump
    BadChecksum,     // a record whose checksum does not hold
    RecordBroken,    // a record line that is not one well-formed record
    DumpIncomplete,  // the end record came before every address arrived
    EndRecordBroken, // the end record is damaged
    DumpsDisagree,   // a confirmed read: three dumps that all differ

    // The unit's verdict on a write, as ClassifyReply reads it from the unit's line.
    // WriteDevice answers each of them but ReceivedOk, which only extends the wait.
    SavedOk,           // "SAVED_OK"
    ReceivedOk,        // "RECEIVED_OK": the unit is storing what it received
    UnitTimeout,       // "TIMEOUT!!!"
    UnitFormatError,   // "FORMAT ERROR!!!"
    UnitAddressError,  // "ADDRESS ERROR!!!"
    UnitChecksumError, // "CHECKSUM ERROR!!!"
    UnknownVerdict,    // a line without any of the markers

    NoReply,       // no answer within the time-out (or the attempts)
    UserAborted,   // Cancel was pressed (or a stop signal came); the port is closed
    ErrorReported, // a link error was reported in a box; the port is closed
    OtherFirmware, // a device command: the unit runs firmware it does not program
};
