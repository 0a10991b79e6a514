#pragma once
// One running copy per user and display: the first copy listens on a local socket named after
// both; a second start sends it the caption from the marker file (and a set-up file to open,
// when it was given one), and when that is the running copy's caption the running copy comes
// forward, opens the file, and the second start ends.
#include <QObject>
#include <QString>
#include <functional>
#include <string>

class QLocalServer;

namespace mmx {

class SingleInstance final : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QString serverName = serverNameForUser(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // "mmx4210-<user name>-<display>" ("mmx4210-<user name>" without a display).
    static QString serverNameForUser();

    // Second start: ask a running copy whose frame caption is `caption` to come forward.
    // True when it answered that it did. Blocks for at most timeoutMs; an empty caption
    // never matches (no window has an empty caption).
    bool bringRunningCopyForward(const std::string& caption, int timeoutMs = 2000,
                                 const std::string& fileToOpen = {}) const;

    // First start: answer later starts. The caption is asked for at each request, so a
    // language change or an opened set-up keeps the running copy findable.
    bool listen(std::function<std::string()> currentCaption);
    bool listening() const;

Q_SIGNALS:
    // A later start asked this copy to come forward.
    void raiseRequested();
    // A later start handed over a set-up file to open (after raiseRequested).
    void fileHanded(const QString& path);

private:
    void answer();

    QString serverName_;
    QLocalServer* server_ = nullptr;
    std::function<std::string()> currentCaption_;
};

}  // namespace mmx
