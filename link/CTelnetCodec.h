// CTelnetCodec: the Telnet layer of an rfc2217:// connection, as bytes in and bytes out,
// with no socket of its own (CNetworkPort feeds it).
//
// Outgoing data has every 0xFF byte doubled; incoming data has doubled 0xFF bytes
// undoubled and every Telnet command taken out. The client offers and asks for binary
// transmission and suppress-go-ahead and offers the COM port control option; once the
// server agrees to COM port control (DO COM-PORT-OPTION) the link's speed, data size,
// parity and stop size are sent as subnegotiations. Options the client does not know
// are refused, and an answer is only given when it changes an option's state, so two
// sides never answer each other for ever. The server's subnegotiations (its echo of the
// settings, line and modem state) are read and dropped.
#pragma once

#include "image/CLinkSettings.h"

#include <QByteArray>
#include <array>

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
    // data as it goes on the wire: 0xFF doubled.
    static QByteArray Escape(const QByteArray& data);
    // Takes bytes from the server (a command may be split across calls); returns the data
    // they carry and appends to replies what the client must send back.
    QByteArray Decode(const QByteArray& bytes, QByteArray& replies);

    // The server's answer to COM port control: 1 agreed, -1 refused, 0 none yet.
    int ComPortAnswer() const { return m_comPortAnswer; }

private:
    enum class State { Data, Command, Option, Sub, SubCommand };

    void Negotiate(unsigned char verb, unsigned char option, QByteArray& replies);
    static bool ClientOffers(unsigned char option);
    static bool ClientAccepts(unsigned char option);

    CLinkSettings m_settings;
    State m_state = State::Data;
    unsigned char m_verb = 0;
    int m_subLength = 0;
    std::array<bool, 256> m_clientDoes{}; // options the client has in force (WILL sent)
    std::array<bool, 256> m_serverDoes{}; // options the server has in force (DO sent)
    int m_comPortAnswer = 0;
};
