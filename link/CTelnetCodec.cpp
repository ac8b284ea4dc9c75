#include "link/CTelnetCodec.h"

#include <initializer_list>

namespace {

QByteArray Bytes(std::initializer_list<unsigned char> bytes) {
    QByteArray out;
    for (const unsigned char b : bytes)
        out += char(b);
    return out;
}

// Subnegotiations longer than this are not COM port answers; their bytes are dropped.
constexpr int MAX_SUB_LENGTH = 256;

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
    return Bytes({C::IAC, C::SB, C::OPT_COM_PORT, command}) + C::Escape(value) +
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
        m_clientDoes[option] = m_serverDoes[option] = true;
        out += Command(WILL, option) + Command(DO, option);
    }
    m_clientDoes[OPT_COM_PORT] = true;
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

QByteArray CTelnetCodec::Escape(const QByteArray& data) {
    QByteArray out = data;
    out.replace(QByteArray(1, char(IAC)), QByteArray(2, char(IAC)));
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
                m_subLength = 0;
                m_state = State::Sub;
            } // other commands (NOP, go ahead, break ...) carry nothing for the link
            break;
        case State::Option:
            Negotiate(m_verb, b, replies);
            m_state = State::Data;
            break;
        case State::Sub:
            if (b == IAC)
                m_state = State::SubCommand;
            else if (++m_subLength > MAX_SUB_LENGTH)
                m_state = State::Data; // not a subnegotiation after all
            break;
        case State::SubCommand:
            m_state = b == SE ? State::Data : State::Sub; // IAC IAC is a 0xFF inside it
            break;
        }
    }
    return data;
}

void CTelnetCodec::Negotiate(unsigned char verb, unsigned char option, QByteArray& replies) {
    switch (verb) {
    case DO:
        if (!ClientOffers(option)) {
            replies += Command(WONT, option);
            break;
        }
        if (!m_clientDoes[option]) {
            m_clientDoes[option] = true;
            replies += Command(WILL, option);
        }
        if (option == OPT_COM_PORT && m_comPortAnswer != 1) {
            m_comPortAnswer = 1;
            replies += ComPortSettings();
        }
        break;
    case DONT:
        if (option == OPT_COM_PORT)
            m_comPortAnswer = -1;
        if (m_clientDoes[option]) {
            m_clientDoes[option] = false;
            replies += Command(WONT, option);
        }
        break;
    case WILL:
        if (!ClientAccepts(option))
            replies += Command(DONT, option);
        else if (!m_serverDoes[option])
            replies += Command(DO, option);
        m_serverDoes[option] = ClientAccepts(option);
        break;
    case WONT:
        if (m_serverDoes[option]) {
            m_serverDoes[option] = false;
            replies += Command(DONT, option);
        }
        break;
    }
}
