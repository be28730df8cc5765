#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace tc::app {

namespace {
constexpr char kRaise[] = "raise\n";
}

SingleInstance::SingleInstance(QString key, QObject* parent) : QObject(parent), key_(std::move(key)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultKey() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = QDir::home().dirName();
    // Keep the name a plain file name whatever the user name holds.
    QString safe;
    for (QChar c : user) safe += c.isLetterOrNumber() ? c : QChar('_');
    // The home folder as a short hash: local socket names are short.
    const QByteArray home = QCryptographicHash::hash(QDir::homePath().toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return QStringLiteral("arolmev-") + safe + QLatin1Char('-') + QString::fromLatin1(home);
}

bool SingleInstance::claim(int timeoutMs) {
    {
        QLocalSocket probe;
        probe.connectToServer(key_);
        if (probe.waitForConnected(timeoutMs)) {
            probe.write(kRaise);
            probe.waitForBytesWritten(timeoutMs);
            probe.disconnectFromServer();
            return false;
        }
    }
    // Nobody answered: a name left behind by a copy that crashed is stale.
    QLocalServer::removeServer(key_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(key_)) {
        // Without the name this copy still runs; it just cannot be found.
        return true;
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = server_->nextPendingConnection()) {
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            connect(s, &QLocalSocket::readyRead, this, [this, s] {
                // Only the one short request is understood; anything else
                // (or too much of it) ends the connection.
                const QByteArray data = s->read(64);
                if (data.startsWith(kRaise)) emit raiseRequested();
                s->disconnectFromServer();
            });
        }
    });
    return true;
}

} // namespace tc::app
