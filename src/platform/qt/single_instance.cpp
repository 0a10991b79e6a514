#include "platform/qt/single_instance.h"

#include <pwd.h>
#include <unistd.h>

#include <QLocalServer>
#include <QLocalSocket>

namespace mmx {

namespace {
constexpr char kYes[] = "1\n";
constexpr char kNo[] = "0\n";
// Between the caption and the file handed over, on the request's one line.
constexpr char kFileSeparator = '\t';

QByteArray oneLine(const std::string& text) {
    QByteArray line = QByteArray::fromStdString(text);
    line.replace('\n', ' ');
    line.replace('\r', ' ');
    line.replace(kFileSeparator, ' ');
    return line;
}

// The display this copy shows on: one copy per display, so a second login's window is its own.
QString displayName() {
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty()) display = qEnvironmentVariable("DISPLAY");
    QString safe;
    for (const QChar c : display) safe += c.isLetterOrNumber() || c == '-' ? c : QChar('_');
    return safe;
}
}  // namespace

SingleInstance::SingleInstance(QString serverName, QObject* parent)
    : QObject(parent), serverName_(std::move(serverName)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverNameForUser() {
    QString user;
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_name != nullptr)
        user = QString::fromLocal8Bit(entry->pw_name);
    if (user.isEmpty()) user = QString::number(getuid());
    const QString display = displayName();
    return QStringLiteral("mmx4210-") + user + (display.isEmpty() ? QString() : QStringLiteral("-") + display);
}

bool SingleInstance::bringRunningCopyForward(const std::string& caption, int timeoutMs,
                                             const std::string& fileToOpen) const {
    if (caption.empty()) return false;
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(timeoutMs)) return false;
    QByteArray request = oneLine(caption);
    // A path is passed as it is; one holding a line break cannot be handed over.
    if (!fileToOpen.empty() && fileToOpen.find_first_of("\r\n\t") == std::string::npos)
        request += kFileSeparator + QByteArray::fromStdString(fileToOpen);
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
            QByteArray line = socket->readLine();
            line.chop(1);
            QByteArray file;
            if (const auto separator = line.indexOf(kFileSeparator); separator >= 0) {
                file = line.mid(separator + 1);
                line.truncate(separator);
            }
            line = line.trimmed();
            const std::string mine = currentCaption_ ? currentCaption_() : std::string();
            const bool match = !line.isEmpty() && line == oneLine(mine).trimmed();
            socket->write(match ? kYes : kNo);
            socket->flush();
            if (!match) return;
            Q_EMIT raiseRequested();
            if (!file.isEmpty()) Q_EMIT fileHanded(QString::fromUtf8(file));
        });
    }
}

}  // namespace mmx
