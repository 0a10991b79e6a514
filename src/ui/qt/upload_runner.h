#pragma once
// Runs the upload on a worker thread so the window stays live: the driver reports progress
// through the connection's display (handed to the window thread there), and the verdict comes
// back to the window thread as a queued signal.
#include <QObject>
#include <atomic>
#include <memory>
#include <thread>

#include "device/upload_driver.h"
#include "ui/link/upload_job.h"

namespace mmx {

class UploadRunner final : public QObject {
    Q_OBJECT
public:
    explicit UploadRunner(Connection& connection, QObject* parent = nullptr);
    // Cancels a running upload and waits for its thread.
    ~UploadRunner() override;

    bool running() const { return running_.load(); }
    // Starts one upload of a snapshot of the set-up (its message files are read on the worker);
    // false when one is running already.
    bool start(const UploadSnapshot& snapshot, const UploadOptions& options = {});
    // Ends the running upload at its next wait (the port is closed and the verdict reported).
    void cancel();

Q_SIGNALS:
    // On the window thread, once per start().
    void finished(const mmx::UploadJobResult& job);

private:
    void join();

    Connection& connection_;
    std::unique_ptr<UploadDriver> driver_;
    std::thread worker_;
    std::atomic<bool> running_{false};
};

}  // namespace mmx
