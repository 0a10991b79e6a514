#include "ui/qt/unit_check.h"

#include <QAction>
#include <QDateTime>
#include <QMenu>
#include <QMessageBox>
#include <QMetaObject>
#include <QPointer>

#include "app/setup_files.h"
#include "core/upload_time.h"
#include "device/upload_result.h"
#include "platform/serial/port_names.h"
#include "device/answer_words.h"

namespace mmx {

namespace {

QString durationText(double seconds) {
    const int64_t about = aboutSeconds(seconds);
    if (about < 60) return UnitCheck::tr("%1 s").arg(about);
    if (about % 60 == 0) return UnitCheck::tr("%1 min").arg(about / 60);
    return UnitCheck::tr("%1 min %2 s").arg(about / 60).arg(about % 60);
}

QString holdingText(const app::StatusOutcome& status) {
    switch (status.holding) {
        case app::UnitHolding::ThisSetup:
            if (!status.writtenAt) return UnitCheck::tr("The unit holds this set-up.");
            return UnitCheck::tr("The unit holds this set-up (written from here %1).")
                .arg(QDateTime::fromSecsSinceEpoch(*status.writtenAt).toString(QStringLiteral("yyyy-MM-dd HH:mm")));
        case app::UnitHolding::TheseMessages:
            return UnitCheck::tr("The unit holds these messages, but this computer's record cannot vouch for the configuration.");
        case app::UnitHolding::OtherMessages:
            return UnitCheck::tr("The unit holds other messages (%1, end address 0x%2).")
                .arg(status.unitTable->directory.count)
                .arg(QStringLiteral("%1").arg(static_cast<uint>(std::max(status.unitTable->directory.endAddress, 0)), 6, 16, QLatin1Char('0')).toUpper());
        case app::UnitHolding::DamagedTable: return UnitCheck::tr("The unit's message table is damaged (its checksum is wrong).");
        case app::UnitHolding::Erased: return UnitCheck::tr("The unit is erased.");
        case app::UnitHolding::Unknown: break;
    }
    return {};
}

}  // namespace

UnitCheck::UnitCheck(QMenu& menu, UnitCheckSources sources, QWidget* window)
    : QObject(&menu), sources_(std::move(sources)), window_(window) {
    action_ = menu.addAction(QString(), this, [this] { start(); });
    action_->setObjectName(QStringLiteral("CheckUnit"));
    refresh();
}

UnitCheck::~UnitCheck() {
    if (worker_.joinable()) worker_.join();
}

void UnitCheck::refresh() { action_->setText(tr("Check unit")); }

QString UnitCheck::resultText(const app::StatusOutcome& status) {
    switch (status.verdict) {
        case app::LinkVerdict::Done: {
            const QString forecast =
                status.upload.road == app::UploadRoad::TablesOnly
                    ? tr("An upload would rewrite the tables only, about %1.").arg(durationText(status.upload.seconds))
                    : tr("An upload would send everything, about %1.").arg(durationText(status.upload.seconds));
            return holdingText(status) + QStringLiteral("\n") + forecast;
        }
        case app::LinkVerdict::PortError:
            return tr("The port cannot be opened: %1").arg(QString::fromStdString(status.portError));
        case app::LinkVerdict::Cancelled: break;
        case app::LinkVerdict::Failed: {
            const QString words =
                QString::fromStdString(answerFailureWords(status.answer, status.byteTimeOutMs, status.answerTimeOutMs));
            if (status.answer.acknowledged())
                return tr("The unit answered garbage: %1 bytes instead of its message table.").arg(status.payloadBytes);
            if (status.answer.kind == AnswerKind::NoAnswer || status.answer.code == ResultCode::TimeOut)
                return tr("The unit did not answer: %1").arg(words);
            return tr("The unit answered garbage: %1").arg(words);
        }
    }
    return tr("The check was interrupted.");
}

void UnitCheck::start() {
    if (running()) return;
    if (sources_.portInUse && sources_.portInUse()) {
        show(tr("The port is open: close the connection first, then check the unit."));
        return;
    }
    if (worker_.joinable()) worker_.join();
    finished_ = false;
    action_->setEnabled(false);
    // Everything the worker needs is copied here; it touches nothing of the window.
    const Setup setup = sources_.setup();
    const PortSettings port = sources_.port();
    worker_ = std::thread([this, setup, port, factoryFor = sources_.factoryFor, folder = sources_.recordFolder] {
        QString text;
        const LoadedImage loaded = app::buildUnitImage(setup);
        if (!loaded.image) {
            text = tr("Slot %1: its message file cannot be used, so there is nothing to compare the unit with.")
                       .arg(loaded.problem->slot);
        } else {
            LinkSettings link;
            std::string unusable;
            linkSettingsFor(port, link, unusable);
            SteadyClock clock;
            NoLinkEvents quiet;
            Connection connection(link, clock, quiet, factoryFor(port));
            text = resultText(app::unitStatus(connection, *loaded.image, folder));
        }
        QMetaObject::invokeMethod(this, [this, text] { finish(text); }, Qt::QueuedConnection);
    });
}

void UnitCheck::finish(const QString& text) {
    finished_ = true;
    action_->setEnabled(true);
    show(text);
    Q_EMIT checked(text);
}

void UnitCheck::show(const QString& text) {
    if (box_) box_->close();
    box_ = new QMessageBox(QMessageBox::Information, window_ != nullptr ? window_->windowTitle() : QString(), text,
                           QMessageBox::Ok, window_);
    box_->setAttribute(Qt::WA_DeleteOnClose);
    box_->setObjectName(QStringLiteral("UnitCheckResult"));
    box_->setModal(false);
    box_->show();
}

}  // namespace mmx
