#include "SingleInstance.h"

#include "storage/DataFolder.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

// One line per request; an organiser that does not know a request ignores it.
const QByteArray kRequests[] = {"show\n", "add-note\n", "today-popup\n", "sync\n"};
// Followed by the file's path in UTF-8 and a line end.
const QByteArray kImportRequest("import-ics ");

// Every path to the folder (a symbolic link, "..") names the same organiser.
QString canonicalFolder(const QString &appDir)
{
    const QString canonical = QFileInfo(appDir).canonicalFilePath();
    return canonical.isEmpty() ? appDir : canonical + QLatin1Char('/');
}

} // namespace

SingleInstance::SingleInstance(const QString &appDir, QObject *parent)
    : QObject(parent),
      m_serverName(
          QStringLiteral("marevo-notes-") +
          QString::fromLatin1(
              QCryptographicHash::hash(canonicalFolder(appDir).toUtf8(), QCryptographicHash::Sha1).toHex().left(16))),
      m_lock(canonicalFolder(appDir) + DataFolder::fileName(DataFolder::File::Lock))
{
    // A lock left by a crashed process is taken over at once.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire()
{
    if (!m_lock.tryLock(100))
        return false;
    // The lock is made under the umask; like the data files it is the owner's alone.
    QFile::setPermissions(m_lock.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

bool SingleInstance::notifyRunning(Request request)
{
    return send(kRequests[static_cast<int>(request)]);
}

bool SingleInstance::requestImport(const QString &calendarFile)
{
    return send(kImportRequest + calendarFile.toUtf8() + '\n');
}

bool SingleInstance::send(const QByteArray &request)
{
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(2000))
        return false;
    socket.write(request);
    const bool written = socket.waitForBytesWritten(2000);
    socket.disconnectFromServer();
    return written;
}

void SingleInstance::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(m_serverName);
    m_server->listen(m_serverName);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            // A request is one line; it may arrive in pieces.
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                while (socket->canReadLine()) {
                    const QByteArray line = socket->readLine();
                    if (line == kRequests[0])
                        Q_EMIT showRequested();
                    else if (line == kRequests[1])
                        Q_EMIT addNoteRequested();
                    else if (line == kRequests[2])
                        Q_EMIT todayPopupRequested();
                    else if (line == kRequests[3])
                        Q_EMIT syncRequested();
                    else if (line.startsWith(kImportRequest) && line.endsWith('\n'))
                        Q_EMIT importRequested(QString::fromUtf8(line.mid(kImportRequest.size()).chopped(1)));
                }
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}
