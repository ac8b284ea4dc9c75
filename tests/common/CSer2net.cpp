#include "CSer2net.h"

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QtTest>

namespace {

constexpr int ATTEMPTS = 3;

// The inode of the socket that listens on 127.0.0.1:port (Linux's /proc/net/tcp: local
// address in hexadecimal, state 0A for listening, the inode in the tenth field); empty
// when none does.
QByteArray ListeningInode(quint16 port) {
    QFile table(QStringLiteral("/proc/net/tcp"));
    if (!table.open(QIODevice::ReadOnly))
        return {};
    const QByteArray local =
        "0100007F:" + QByteArray::number(port, 16).toUpper().rightJustified(4, '0');
    for (const QByteArray& row : table.readAll().split('\n')) {
        const QList<QByteArray> fields = row.simplified().split(' ');
        if (fields.size() > 9 && fields[1] == local && fields[3] == "0A")
            return fields[9];
    }
    return {};
}

} // namespace

quint16 CSer2net::FreePort() {
    QTcpServer server;
    return server.listen(QHostAddress::LocalHost) ? server.serverPort() : 0;
}

CSer2net::CSer2net(const QString& device, const QString& folder) {
    for (int attempt = 0; attempt < ATTEMPTS && !m_started; ++attempt)
        m_started = Start(device, folder);
}

bool CSer2net::Start(const QString& device, const QString& folder) {
    if (m_process.state() != QProcess::NotRunning) { // it never got its ports
        m_process.kill();
        m_process.waitForFinished();
    }
    m_rawPort = FreePort();
    m_telnetPort = FreePort();
    m_plainTelnetPort = FreePort();
    const bool distinct = m_rawPort != m_telnetPort && m_rawPort != m_plainTelnetPort &&
                          m_telnetPort != m_plainTelnetPort;
    QFile config(QDir(folder).filePath(QStringLiteral("ser2net.yaml")));
    if (!distinct || !config.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
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
    const auto listening = [&] {
        return Listens(m_rawPort) && Listens(m_telnetPort) && Listens(m_plainTelnetPort);
    };
    return m_process.waitForStarted(5000) && QTest::qWaitFor(listening, 5000);
}

// Whether ser2net itself holds the socket that listens on port, not another program that
// took the port after FreePort let it go.
bool CSer2net::Listens(quint16 port) const {
    const QByteArray inode = ListeningInode(port);
    if (inode.isEmpty())
        return false;
    const QString socket = QStringLiteral("socket:[%1]").arg(QString::fromLatin1(inode));
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(m_process.processId()));
    for (const QString& fd : fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        if (QFile::symLinkTarget(fds.filePath(fd)).endsWith(socket))
            return true;
    return false;
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
