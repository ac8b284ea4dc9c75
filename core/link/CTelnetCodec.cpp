#include "core/link/CTelnetCodec.h"

#include <initializer_list>

namespace {

QByteArray Bytes(std::initializer_list<unsigned char> bytes) {
    QByteArray out;
    for (const unsigned char b : bytes)
        out += char(b);
    return out;
}

// The server's answers to COM port commands are the command's number plus this.
constexpr unsigned char SERVER_ANSWER = 100;

QByteArray DoubleIac(const QByteArray& data) {
    QByteArray out = data;
    out.replace(QByteArray(1, char(CTelnetCodec::IAC)), QByteArray(2, char(CTelnetCodec::IAC)));
    return out;
}

// RFC 2217's parity values: 1 none, 2 odd, 3 even, 4 mark, 5 space.
unsigned char ParityValue(char parity) {
    switch (parity) {
    case 'O':
        return 2;
    case 'E':
        return 3;
    case 'M':
        return 4;
    case 'S':
        return 5;
    default:
        return 1;
    }
}

QByteArray Command(unsigned char verb, unsigned char option) {
    return Bytes({CTelnetCodec::IAC, verb, option});
}

QByteArray ComPortCommand(unsigned char command, const QByteArray& value) {
    using C = CTelnetCodec;
    return Bytes({C::IAC, C::SB, C::OPT_COM_PORT, command}) + DoubleIac(value) +
           Bytes({C::IAC, C::SE});
}

} // namespace

bool CTelnetCodec::ClientOffers(unsigned char option) {
    return option == OPT_BINARY || option == OPT_SGA || option == OPT_COM_PORT;
}

bool CTelnetCodec::ClientAccepts(unsigned char option) {
    return option == OPT_BINARY || option == OPT_SGA;
}

QByteArray CTelnetCodec::Opening() {
    QByteArray out;
    for (unsigned char option : {OPT_BINARY, OPT_SGA}) {
        m_client[option] = m_server[option] = Option::Asked;
        out += Command(WILL, option) + Command(DO, option);
    }
    m_client[OPT_COM_PORT] = Option::Asked;
    return out + Command(WILL, OPT_COM_PORT);
}

QByteArray CTelnetCodec::ComPortSettings() const {
    const quint32 baud = quint32(m_settings.baudRate);
    const QByteArray speed =
        Bytes({quint8(baud >> 24), quint8(baud >> 16), quint8(baud >> 8), quint8(baud)});
    return ComPortCommand(SET_BAUDRATE, speed) +
           ComPortCommand(SET_DATASIZE, QByteArray(1, char(m_settings.dataBits))) +
           ComPortCommand(SET_PARITY, QByteArray(1, char(ParityValue(m_settings.parity)))) +
           ComPortCommand(SET_STOPSIZE, QByteArray(1, char(m_settings.stopBits == 2 ? 2 : 1)));
}

QByteArray CTelnetCodec::Encode(const QByteArray& data) const {
    QByteArray out = DoubleIac(data);
    // Outside binary mode a CR is the start of CR LF or CR NUL; a CR meant as itself
    // travels as CR NUL. A peer that has never spoken Telnet (a raw TCP accepter behind
    // an rfc2217:// address) gets the CR as it stands, as the unit expects it.
    if (m_serverSpeaksTelnet && m_client[OPT_BINARY] != Option::On)
        out.replace("\r", QByteArray("\r\0", 2));
    return out;
}

QByteArray CTelnetCodec::Decode(const QByteArray& bytes, QByteArray& replies) {
    QByteArray data;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        switch (m_state) {
        case State::Data:
            if (b == IAC)
                m_state = State::Command;
            else
                data += c;
            break;
        case State::Command:
            m_state = State::Data;
            if (b == IAC) {
                data += c;
            } else if (b >= WILL && b <= DONT) {
                m_verb = b;
                m_state = State::Option;
            } else if (b == SB) {
                m_sub.clear();
                m_subTooLong = false;
                m_state = State::Sub;
            } // other commands (NOP, go ahead, break ...) carry nothing for the link
            break;
        case State::Option:
            m_serverSpeaksTelnet = true;
            Negotiate(m_verb, b, replies);
            m_state = State::Data;
            break;
        case State::Sub:
            if (b == IAC)
                m_state = State::SubCommand;
            else
                KeepSubByte(b);
            break;
        case State::SubCommand:
            // Only IAC SE ends it: IAC IAC is a 0xFF of its value, any other command
            // inside it is ignored.
            m_state = State::Sub;
            if (b == IAC) {
                KeepSubByte(b);
            } else if (b == SE) {
                m_serverSpeaksTelnet = true;
                if (!m_subTooLong)
                    Subnegotiation(m_sub);
                m_sub.clear();
                m_state = State::Data;
            }
            break;
        }
    }
    return data;
}

void CTelnetCodec::KeepSubByte(unsigned char b) {
    if (m_sub.size() < MAX_SUB_LENGTH)
        m_sub += char(b);
    else
        m_subTooLong = true;
}

void CTelnetCodec::Subnegotiation(const QByteArray& sub) {
    const auto at = [&](int i) { return quint32(quint8(sub[i])); };
    if (sub.size() == 6 && at(0) == OPT_COM_PORT && at(1) == SERVER_ANSWER + SET_BAUDRATE)
        m_speedAnswer = at(2) << 24 | at(3) << 16 | at(4) << 8 | at(5);
}

void CTelnetCodec::Negotiate(unsigned char verb, unsigned char option, QByteArray& replies) {
    // A request is answered with the verb for the other side (WILL or WONT to DO ...);
    // an answer to the client's own request (the option was Asked) and a request for the
    // state an option already has are not answered.
    switch (verb) {
    case DO:
        if (!ClientOffers(option)) {
            replies += Command(WONT, option);
            break;
        }
        if (m_client[option] == Option::Off)
            replies += Command(WILL, option);
        m_client[option] = Option::On;
        if (option == OPT_COM_PORT && m_comPortAnswer != 1) {
            m_comPortAnswer = 1;
            replies += ComPortSettings();
        }
        break;
    case DONT:
        if (option == OPT_COM_PORT)
            m_comPortAnswer = -1;
        if (m_client[option] == Option::On)
            replies += Command(WONT, option);
        m_client[option] = Option::Off;
        break;
    case WILL:
        if (!ClientAccepts(option)) {
            replies += Command(DONT, option);
            break;
        }
        if (m_server[option] == Option::Off)
            replies += Command(DO, option);
        m_server[option] = Option::On;
        break;
    case WONT:
        // A server that says WONT COM-PORT-OPTION before agreeing refuses it as well.
        if (option == OPT_COM_PORT && m_comPortAnswer == 0)
            m_comPortAnswer = -1;
        if (m_server[option] == Option::On)
            replies += Command(DONT, option);
        m_server[option] = Option::Off;
        break;
    }
}
