#include "platform/qt/single_instance.h"

#include <pwd.h>
#include <unistd.h>

#include <QLocalServer>
#include <QLocalSocket>

namespace mmx {

namespace {
constexpr char kYes[] = "1\n";
constexpr char kNo[] = "0\n";
}  // namespace

SingleInstance::SingleInstance(QString serverName, QObject* parent)
    : QObject(parent), serverName_(std::move(serverName)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverNameForUser() {
    QString user;
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_name != nullptr)
        user = QString::fromLocal8Bit(entry->pw_name);
    if (user.isEmpty()) user = QString::number(getuid());
    return QStringLiteral("mmx4210-") + user;
}

bool SingleInstance::bringRunningCopyForward(const std::string& caption, int timeoutMs) const {
    if (caption.empty()) return false;
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(timeoutMs)) return false;
    QByteArray request = QByteArray::fromStdString(caption);
    request.replace('\n', ' ');
    socket.write(request + '\n');
    if (!socket.waitForBytesWritten(timeoutMs)) return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs)) return false;
    }
    return socket.readLine() == kYes;
}

bool SingleInstance::listen(std::function<std::string()> currentCaption) {
    currentCaption_ = std::move(currentCaption);
    if (server_ == nullptr) {
        server_ = new QLocalServer(this);
        server_->setSocketOptions(QLocalServer::UserAccessOption);
        connect(server_, &QLocalServer::newConnection, this, &SingleInstance::answer);
    }
    if (server_->isListening()) return true;
    // Asked before listening: with restricted access rights the server is set up under another
    // name and renamed into place, which would take the name from a live copy.
    QLocalSocket probe;
    probe.connectToServer(serverName_);
    if (probe.waitForConnected(200)) return false;  // a live copy owns the name
    // What is left is a socket of a copy that did not end cleanly: nobody answers on it.
    QLocalServer::removeServer(serverName_);
    return server_->listen(serverName_);
}

bool SingleInstance::listening() const { return server_ != nullptr && server_->isListening(); }

void SingleInstance::answer() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) return;
            QByteArray line = socket->readLine().trimmed();
            const std::string mine = currentCaption_ ? currentCaption_() : std::string();
            QByteArray expected = QByteArray::fromStdString(mine);
            expected.replace('\n', ' ');
            const bool match = !line.isEmpty() && line == expected.trimmed();
            socket->write(match ? kYes : kNo);
            socket->flush();
            if (match) Q_EMIT raiseRequested();
        });
    }
}

}  // namespace mmx
