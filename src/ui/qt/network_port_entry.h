#pragma once
// The port menu's network entries: "Network address..." asks for a serial device server's
// address (checked by the address parser), and the address typed last is offered as a port of
// its own, remembered in the settings like the Com port number.
#include <QObject>
#include <functional>

#include "core/settings.h"

class QAction;
class QMenu;
class QWidget;

namespace mmx {

class NetworkPortEntry final : public QObject {
    Q_OBJECT
public:
    // settings: the port settings the window keeps (and saves); portChosen: called after the
    // choice of port changed, so the window checks the right item.
    NetworkPortEntry(QMenu& menu, PortSettings& settings, std::function<void()> portChosen, QWidget* window);

    // Asks for an address; with a good one, it becomes the port. `typed`, when given, stands in
    // for what the user types (tests); an empty one is a cancel.
    void askForAddress(const QString* typed = nullptr);
    // Takes the remembered address as the port again.
    void chooseRemembered();
    // The items' texts and check marks as the settings stand.
    void refresh();

    QAction* askAction() const { return ask_; }
    QAction* rememberedAction() const { return remembered_; }

private:
    PortSettings& settings_;
    std::function<void()> portChosen_;
    QWidget* window_;
    QAction* remembered_ = nullptr;
    QAction* ask_ = nullptr;
};

}  // namespace mmx
