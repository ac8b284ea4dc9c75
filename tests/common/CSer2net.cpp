#include "CSer2net.h"

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

namespace {

bool Accepts(quint16 port) {
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    const bool connected = socket.waitForConnected(200);
    socket.abort();
    return connected;
}

} // namespace

quint16 CSer2net::FreePort() {
    QTcpServer server;
    return server.listen(QHostAddress::LocalHost) ? server.serverPort() : 0;
}

CSer2net::CSer2net(const QString& device, const QString& folder)
    : m_rawPort(FreePort()), m_telnetPort(FreePort()), m_plainTelnetPort(FreePort()) {
    QFile config(QDir(folder).filePath(QStringLiteral("ser2net.yaml")));
    if (!config.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    const QString connector = QStringLiteral("serialdev,%1,9600n81,local").arg(device);
    config.write(QStringLiteral("connection: &raw\n  accepter: tcp,127.0.0.1,%1\n  connector: %3\n"
                                "connection: &telnet\n"
                                "  accepter: telnet(rfc2217),tcp,127.0.0.1,%2\n  connector: %3\n"
                                "connection: &plain\n"
                                "  accepter: telnet,tcp,127.0.0.1,%4\n  connector: %3\n")
                     .arg(m_rawPort)
                     .arg(m_telnetPort)
                     .arg(connector)
                     .arg(m_plainTelnetPort)
                     .toUtf8());
    config.close();
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral("ser2net"), {"-n", "-d", "-c", config.fileName()});
    const auto accepting = [&] {
        return Accepts(m_rawPort) && Accepts(m_telnetPort) && Accepts(m_plainTelnetPort);
    };
    m_started = m_process.waitForStarted(5000) && QTest::qWaitFor(accepting, 5000);
}

CSer2net::~CSer2net() {
    m_process.terminate();
    if (!m_process.waitForFinished(3000))
        m_process.kill();
}

QString CSer2net::RawAddress() const {
    return QStringLiteral("socket://127.0.0.1:%1").arg(m_rawPort);
}

QString CSer2net::TelnetAddress() const {
    return QStringLiteral("rfc2217://127.0.0.1:%1").arg(m_telnetPort);
}

QString CSer2net::PlainTelnetAddress() const {
    return QStringLiteral("rfc2217://127.0.0.1:%1").arg(m_plainTelnetPort);
}
