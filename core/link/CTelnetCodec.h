// CTelnetCodec: the Telnet layer of an rfc2217:// connection, as bytes in and bytes out,
// with no socket of its own (CNetworkPort feeds it).
//
// Outgoing data has every 0xFF byte doubled, and every CR followed by a NUL while the
// server speaks Telnet and the client's binary transmission is not in effect (a bare CR
// is not allowed in a Telnet stream outside binary mode). Incoming data has doubled 0xFF
// bytes undoubled and every Telnet command taken out.
//
// The client offers and asks for binary transmission and suppress-go-ahead and offers
// the COM port control option; an option is only in effect once the other side has
// agreed. Once the server agrees to COM port control (DO COM-PORT-OPTION) the link's
// speed, data size, parity and stop size are sent as subnegotiations. Options the client
// does not know are refused, and an answer is only given when it changes an option's
// state, so two sides never answer each other for ever. Of the server's subnegotiations
// only its answer to the speed is kept; the others (its echo of the other settings, line
// and modem state) are dropped, and so is one longer than MAX_SUB_LENGTH, whole.
#pragma once

#include "core/image/CLinkSettings.h"

#include <QByteArray>
#include <array>
#include <optional>

class CTelnetCodec {
public:
    static constexpr unsigned char IAC = 255;
    static constexpr unsigned char DONT = 254;
    static constexpr unsigned char DO = 253;
    static constexpr unsigned char WONT = 252;
    static constexpr unsigned char WILL = 251;
    static constexpr unsigned char SB = 250;
    static constexpr unsigned char SE = 240;
    static constexpr unsigned char OPT_BINARY = 0;
    static constexpr unsigned char OPT_SGA = 3;
    static constexpr unsigned char OPT_COM_PORT = 44;
    // COM port control commands from client to server.
    static constexpr unsigned char SET_BAUDRATE = 1;
    static constexpr unsigned char SET_DATASIZE = 2;
    static constexpr unsigned char SET_PARITY = 3;
    static constexpr unsigned char SET_STOPSIZE = 4;

    explicit CTelnetCodec(const CLinkSettings& settings = CLinkSettings()) : m_settings(settings) {}

    // What the client sends first: WILL and DO BINARY, WILL and DO SGA, WILL COM-PORT.
    QByteArray Opening();
    // The link's serial settings as COM port subnegotiations.
    QByteArray ComPortSettings() const;
    // Subnegotiations longer than this (option and command included) are dropped whole.
    static constexpr int MAX_SUB_LENGTH = 256;

    // data as it goes on the wire: 0xFF doubled, CR as CR NUL outside binary mode.
    QByteArray Encode(const QByteArray& data) const;
    // Takes bytes from the server (a command may be split across calls); returns the data
    // they carry and appends to replies what the client must send back.
    QByteArray Decode(const QByteArray& bytes, QByteArray& replies);

    // The server's answer to COM port control: 1 agreed, -1 refused, 0 none yet.
    int ComPortAnswer() const { return m_comPortAnswer; }
    // The speed in baud that the server answered to the speed request; none yet.
    std::optional<quint32> SpeedAnswer() const { return m_speedAnswer; }

private:
    enum class State { Data, Command, Option, Sub, SubCommand };
    // One side's state of an option: Asked while its request waits for the answer.
    enum class Option : unsigned char { Off, Asked, On };

    void Negotiate(unsigned char verb, unsigned char option, QByteArray& replies);
    // Keeps a byte of the subnegotiation being read, as far as MAX_SUB_LENGTH.
    void KeepSubByte(unsigned char b);
    // Takes in a whole subnegotiation (option, command, value; 0xFF undoubled).
    void Subnegotiation(const QByteArray& sub);
    static bool ClientOffers(unsigned char option);
    static bool ClientAccepts(unsigned char option);

    CLinkSettings m_settings;
    State m_state = State::Data;
    unsigned char m_verb = 0;
    QByteArray m_sub;                   // the subnegotiation being read
    bool m_subTooLong = false;          // it went past MAX_SUB_LENGTH
    bool m_serverSpeaksTelnet = false;  // it has sent a negotiation or subnegotiation
    std::array<Option, 256> m_client{}; // the client's options (WILL sent, DO received)
    std::array<Option, 256> m_server{}; // the server's options (DO sent, WILL received)
    int m_comPortAnswer = 0;
    std::optional<quint32> m_speedAnswer;
};
