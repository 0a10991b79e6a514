#pragma once
// SIGTERM and SIGHUP (the session ending, a plain `kill`) turned into a Qt signal on the window
// thread, so the program closes its window the normal way: settings saved, the unsaved set-up
// asked about, the marker file removed.
#include <QObject>

class QSocketNotifier;

namespace mmx {

class TerminationSignal final : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignal(QObject* parent = nullptr);
    ~TerminationSignal() override;

    // The process was asked to end.
    Q_SIGNAL void requested();

private:
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace mmx
