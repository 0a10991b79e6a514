#include "device/upload_driver.h"

#include <algorithm>

namespace mmx {

namespace {

constexpr int kTickMs = 1000;

}  // namespace

UploadDriver::UploadDriver(Connection& connection)
    : connection_(connection), session_(connection.session()), events_(connection.events()) {}

void UploadDriver::pumpClock() {
    const int64_t now = connection_.clock().nowMs();
    while (now >= nextTickMs_) {
        connection_.tickClock();
        nextTickMs_ += kTickMs;
    }
}

void UploadDriver::end(UploadResult& result) {
    session_.leaveDataMode();
    connection_.Disconnect();
    connection_.clearClockAndProgress();
    events_.controlsReleased();
    if (session_.cancelRequested() && !result.succeeded()) {
        result.verdict = UploadVerdict::Cancelled;
        result.fault = UploadFault::Cancelled;
    }
}

UploadResult UploadDriver::run(const image::UnitImage& image, const UploadOptions& options) {
    session_.resetCounters();
    UploadResult result = runSteps(image, options);
    result.frameResends = session_.frameResends();
    connection_.protocol().setWaitHook(nullptr);
    session_.setAnswerHook(nullptr);
    session_.clearCancel();
    return result;
}

UploadResult UploadDriver::runSteps(const image::UnitImage& image, const UploadOptions& options) {
    UploadResult result;
    result.messagesUploaded = options.readTableFirst;
    connection_.showProgress(false);
    events_.progressCleared();

    if (!image.fitsMemory()) {
        events_.status(LinkStatus::UploadFailed);
        events_.alert(LinkAlert::OverCapacity);
        failWith(result, UploadStep::CheckImage, UploadFault::OverCapacity);
        result.neededBytes = image.storedBytes();
        return result;
    }

    if (!connection_.Connect()) {
        events_.status(LinkStatus::UploadFailed);
        connection_.clearClockAndProgress();
        events_.controlsReleased();
        events_.alert(LinkAlert::PortCannotOpen);
        result.verdict = UploadVerdict::PortError;
        result.failedStep = UploadStep::Connect;
        result.fault = UploadFault::PortCannotOpen;
        result.portError = connection_.lastError();
        return result;
    }
    const std::string description = connection_.portDescription();
    result.port = description.substr(0, description.find(' '));
    nextTickMs_ = connection_.clock().nowMs() + kTickMs;
    // The clock and the progress caption go on while the unit takes its time to answer.
    connection_.protocol().setWaitHook([this] { pumpClock(); });
    session_.setAnswerHook([this] { pumpClock(); });
    session_.clearReceived();

    const bool unchanged = unitHoldsImageMessages(image, options, result);
    if (result.failedStep != UploadStep::None) {
        events_.status(LinkStatus::UploadFailed);
        end(result);
        return result;
    }

    const UnitAnswer started = session_.start();
    if (!started.acknowledged()) {
        events_.status(LinkStatus::UploadFailed);
        failOn(result, UploadStep::Start, started);
        end(result);
        return result;
    }

    if (unchanged) {
        if (configurationOnly(image, result)) {
            events_.status(LinkStatus::ConfigurationSucceeded);
            result.verdict = UploadVerdict::ConfigurationSucceeded;
            if (options.verify) verifyTable(result);
        } else {
            events_.status(LinkStatus::ConfigurationFailed);
            result.failedStep = UploadStep::ConfigurationOnly;
        }
        end(result);
        return result;
    }

    result.fullUpload = true;
    if (!eraseMessages(result)) {
        end(result);
        return result;
    }

    session_.clearReceived();
    UploadProgress& progress = connection_.progress();
    progress.totalBytes = static_cast<int32_t>(image.storedBytes());
    progress.sentBytes = 1;
    progress.ticks = 1;
    connection_.showProgress(true);
    events_.progressValue(0, progress.totalBytes);

    for (const image::StoredMessage& message : image.messages()) {
        events_.sendingMessage(message.slot, message.name);
        if (!sendMessage(message, result)) {
            events_.status(LinkStatus::UploadFailed);
            result.failedSlot = message.slot;
            end(result);
            return result;
        }
        result.storedLengths[static_cast<size_t>(message.slot - 1)] = static_cast<int32_t>(message.bytes.size());
        events_.messageSent(message.slot, message.name);
    }

    if (!writeTables(image, result, UploadStep::WriteTables)) {
        events_.status(LinkStatus::UploadFailed);
        end(result);
        return result;
    }
    const UnitAnswer ended = session_.end();
    if (!ended.acknowledged()) {
        events_.status(LinkStatus::UploadFailed);
        failOn(result, UploadStep::Finish, ended);
        end(result);
        return result;
    }

    result.messagesUploaded = true;
    result.verdict = UploadVerdict::Succeeded;
    events_.status(LinkStatus::UploadSucceeded);
    if (options.verify) verifyTable(result);
    end(result);
    return result;
}

bool UploadDriver::unitHoldsImageMessages(const image::UnitImage& image, const UploadOptions& options,
                                          UploadResult& result) {
    if (!options.readTableFirst || options.forceFull) return false;
    const TableAnswer read = session_.readMessageTable();
    if (!read.table) {
        if (!connection_.isConnected() || read.answer.cancelled()) {
            // The line was given up while waiting: nothing more can be said to the unit, and
            // the read's own failure is the reason the upload ends.
            failOn(result, UploadStep::ReadTable, read.answer);
            return false;
        }
        // The unit answered, but with no table: it is rewritten in full.
        events_.status(LinkStatus::ReadingFailed);
        return false;
    }
    result.tableReadBack = true;
    // Equal lengths say nothing about the sound: only a sealed table that is exactly the one
    // recorded for these messages, and this image's own, leaves the messages alone.
    const auto recorded = options.recordedUnitTables.find(result.port);
    return image::decodeMessageTable(*read.table).trustworthy() && recorded != options.recordedUnitTables.end() &&
           *read.table == recorded->second && *read.table == image.messageTable();
}

bool UploadDriver::eraseMessages(UploadResult& result) {
    UnitAnswer erased = session_.erase(kEraseFirstHalf);
    if (erased.acknowledged()) {
        result.unitErased = true;
        erased = session_.erase(kEraseSecondHalf);
    }
    if (!erased.acknowledged()) failOn(result, UploadStep::Erase, erased);
    return erased.acknowledged();
}

bool UploadDriver::sendMessage(const image::StoredMessage& message, UploadResult& result) {
    const UnitAnswer series = session_.beginSeries();
    if (!series.acknowledged()) {
        failOn(result, UploadStep::SendMessage, series);
        return false;
    }
    UploadProgress& progress = connection_.progress();
    for (uint32_t block = 0; block < message.blockCount(); ++block) {
        const auto payload = std::span<const uint8_t>(message.bytes).subspan(block * image::kBlockBytes, image::kBlockBytes);
        const UnitAnswer answer = session_.writeBlock(message.address + block * image::kBlockWords, payload);
        if (!answer.acknowledged()) {
            failOn(result, UploadStep::SendMessage, answer);
            return false;
        }
        ++result.blocksSent;
        progress.sentBytes = std::min<int32_t>(progress.sentBytes + static_cast<int32_t>(image::kBlockBytes),
                                               progress.totalBytes);
        events_.progressValue(progress.sentBytes, progress.totalBytes);
    }
    const UnitAnswer closed = session_.closeSeries();
    if (!closed.acknowledged()) {
        failOn(result, UploadStep::SendMessage, closed);
        return false;
    }
    return true;
}

bool UploadDriver::writeTables(const image::UnitImage& image, UploadResult& result, UploadStep step) {
    result.messageTable = image.messageTable();
    result.triggerTable = image.triggerTable();
    const UnitAnswer written = session_.writeTables(image.messageTable(), image.triggerTable());
    if (!written.acknowledged()) failOn(result, step, written);
    return written.acknowledged();
}

bool UploadDriver::configurationOnly(const image::UnitImage& image, UploadResult& result) {
    session_.clearReceived();
    const UnitAnswer erased = session_.erase(image::kTriggerTableAddress);
    if (!erased.acknowledged()) {
        failOn(result, UploadStep::ConfigurationOnly, erased);
        return false;
    }
    if (!writeTables(image, result, UploadStep::ConfigurationOnly)) return false;
    const UnitAnswer ended = session_.end();
    if (!ended.acknowledged()) failOn(result, UploadStep::ConfigurationOnly, ended);
    return ended.acknowledged();
}

void UploadDriver::verifyTable(UploadResult& result) {
    // "Every frame acknowledged" is weaker than "the unit holds it": read the table back.
    events_.status(LinkStatus::Checking);
    const TableAnswer read = session_.readMessageTable();
    const bool same = read.table && result.messageTable && *read.table == *result.messageTable;
    if (!same) {
        events_.status(LinkStatus::CheckFailed);
        if (read.table) {
            failWith(result, UploadStep::Verify, UploadFault::VerifyMismatch);
        } else if (read.answer.acknowledged()) {
            // Acknowledged, but too few bytes for a table.
            failWith(result, UploadStep::Verify, UploadFault::Refused);
        } else {
            failOn(result, UploadStep::Verify, read.answer);
        }
        result.answer = read.answer;
        result.messagesUploaded = false;
        return;
    }
    result.verified = true;
    // The panel ends with the upload's own verdict.
    events_.status(result.verdict == UploadVerdict::Succeeded ? LinkStatus::UploadSucceeded
                                                              : LinkStatus::ConfigurationSucceeded);
}

void UploadDriver::failWith(UploadResult& result, UploadStep step, UploadFault fault) {
    result.verdict = UploadVerdict::Failed;
    result.failedStep = step;
    result.fault = fault;
}

void UploadDriver::failOn(UploadResult& result, UploadStep step, const UnitAnswer& answer) {
    result.answer = answer;
    if (session_.cancelRequested() || answer.cancelled()) {
        failWith(result, step, UploadFault::Cancelled);
        return;
    }
    const UploadFault fault = answer.kind == AnswerKind::NoAnswer ? UploadFault::NoAnswer : UploadFault::Refused;
    failWith(result, step, fault);
    result.byteTimeOutMs = session_.byteTimeOutMs();
    result.answerTimeOutMs = session_.answerTimeOutMs();
}

}  // namespace mmx
