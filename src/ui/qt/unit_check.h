#pragma once
// Setup menu "Check unit": what the unit on the chosen port holds, read off the window thread
// (one table read), and what an upload would do there, shown in a message box.
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "app/link/unit_status.h"
#include "core/settings.h"
#include "core/setup.h"
#include "device/connection.h"

class QAction;
class QMenu;
class QWidget;

namespace mmx {

struct UnitCheckSources {
    std::function<Setup()> setup;          // the set-up the editor shows now
    std::function<PortSettings()> port;    // the port settings now
    // Opens the port these settings choose; the settings live as long as the factory.
    std::function<PortFactory(const PortSettings&)> factoryFor;
    std::string recordFolder;              // where this computer's upload record lives
    std::function<bool()> portInUse;       // the editor holds the port open
};

class UnitCheck final : public QObject {
    Q_OBJECT
public:
    UnitCheck(QMenu& menu, UnitCheckSources sources, QWidget* window);
    ~UnitCheck() override;

    // Starts a check (nothing when one runs); the result box shows when it ends.
    void start();
    bool running() const { return worker_.joinable() && !finished_; }
    QAction* action() const { return action_; }
    void refresh();

    // The words for a result, as the box shows them.
    static QString resultText(const app::StatusOutcome& status);

Q_SIGNALS:
    void checked(const QString& text);

private:
    void show(const QString& text);
    void finish(const QString& text);

    UnitCheckSources sources_;
    QWidget* window_;
    QAction* action_ = nullptr;
    std::thread worker_;
    bool finished_ = true;
    QPointer<QMessageBox> box_;
};

}  // namespace mmx
