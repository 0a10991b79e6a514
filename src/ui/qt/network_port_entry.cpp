#include "ui/qt/network_port_entry.h"

#include <QAction>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>

#include "platform/net/network_address.h"

namespace mmx {

NetworkPortEntry::NetworkPortEntry(QMenu& menu, PortSettings& settings, std::function<void()> portChosen, QWidget* window)
    : QObject(&menu), settings_(settings), portChosen_(std::move(portChosen)), window_(window) {
    menu.addSeparator();
    remembered_ = menu.addAction(QString(), this, [this] { chooseRemembered(); });
    remembered_->setObjectName(QStringLiteral("NetworkPort"));
    remembered_->setCheckable(true);
    ask_ = menu.addAction(QString(), this, [this] { askForAddress(); });
    ask_->setObjectName(QStringLiteral("NetworkAddress"));
    refresh();
}

void NetworkPortEntry::refresh() {
    ask_->setText(tr("Network address..."));
    remembered_->setText(QString::fromStdString(settings_.networkPort));
    remembered_->setVisible(!settings_.networkPort.empty());
    remembered_->setChecked(settings_.networkPortChosen && !settings_.networkPort.empty());
}

void NetworkPortEntry::chooseRemembered() {
    settings_.networkPortChosen = !settings_.networkPort.empty();
    portChosen_();
}

void NetworkPortEntry::askForAddress(const QString* typed) {
    QString text = QString::fromStdString(settings_.networkPort);
    if (typed != nullptr) {
        text = *typed;
    } else {
        bool accepted = false;
        text = QInputDialog::getText(window_, tr("Network address"),
                                     tr("The unit's serial device server, rfc2217://HOST:PORT (the tool sets the line) "
                                        "or tcp://HOST:PORT (the server's line settings):"),
                                     QLineEdit::Normal, text.isEmpty() ? QStringLiteral("rfc2217://") : text, &accepted);
        if (!accepted) text.clear();
    }
    text = text.trimmed();
    if (text.isEmpty()) {
        refresh();
        return;
    }
    std::string error;
    const auto address = parseNetworkAddress(text.toStdString(), error);
    if (!address) {
        QMessageBox::warning(window_, window_ != nullptr ? window_->windowTitle() : QString(),
                             tr("This is no network address: %1").arg(QString::fromStdString(error)));
        refresh();
        return;
    }
    settings_.networkPort = address->text();
    settings_.networkPortChosen = true;
    portChosen_();
}

}  // namespace mmx
