#include "ui/qt/upload_runner.h"

#include <QMetaObject>

namespace mmx {

UploadRunner::UploadRunner(Connection& connection, QObject* parent) : QObject(parent), connection_(connection) {
    qRegisterMetaType<mmx::UploadJobResult>("mmx::UploadJobResult");
}

UploadRunner::~UploadRunner() {
    cancel();
    join();
}

bool UploadRunner::start(const UploadSnapshot& snapshot, const UploadOptions& options) {
    if (running_.exchange(true)) return false;
    join();  // the thread of the previous upload has ended; collect it
    driver_ = std::make_unique<UploadDriver>(connection_);
    worker_ = std::thread([this, snapshot, options] {
        UploadJobResult job = runUploadJob(*driver_, snapshot, options, connection_.events());
        QMetaObject::invokeMethod(
            this,
            [this, job] {
                join();
                running_.store(false);
                Q_EMIT finished(job);
            },
            Qt::QueuedConnection);
    });
    return true;
}

void UploadRunner::cancel() {
    if (running_.load() && driver_) driver_->cancel();
}

void UploadRunner::join() {
    if (worker_.joinable()) worker_.join();
}

}  // namespace mmx
