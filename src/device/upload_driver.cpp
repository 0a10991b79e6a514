#include "device/upload_driver.h"

#include <algorithm>

#include "device/erase.h"
#include "device/frames.h"

namespace mmx {

namespace {

constexpr uint8_t kStartCommand = 'P';
constexpr uint8_t kWriteCommand = 'W';
constexpr uint8_t kListCommand = 'L';
constexpr uint8_t kReadCommand = 'R';
constexpr int kTickMs = 1000;
// After a refused or damaged reply the rest of that answer (or a second answer the unit made
// of a garbled frame) may still be on its way; a frame goes out again only once the line has
// been quiet this long, so a stale answer is never taken for the answer to the resend.
constexpr int kDrainQuietMs = 50;
constexpr int kDrainLimitMs = 2000;

bool acknowledged(uint8_t code) { return code == ResultCode::Ack; }
// A refusal or a damaged answer: the unit is there, the frame can go out again.
bool resendable(uint8_t code) { return code != ResultCode::Ack && code != ResultCode::TimeOut; }

std::string codeText(uint8_t code) {
    switch (code) {
        case ResultCode::BadChecksum: return "an answer with a wrong checksum (code 1)";
        case ResultCode::NoCarriageReturn: return "an answer without its CR (code 2)";
        case ResultCode::NoLineFeed: return "an answer without its LF (code 3)";
        case ResultCode::WrongCommand: return "an answer for another command (code 4)";
        case ResultCode::WrongParameter: return "an answer with another parameter (code 5)";
        case ResultCode::Nak: return "not acknowledged (21)";
        default: return "the answer " + std::to_string(code);
    }
}

}  // namespace

void UploadResult::applyTo(ProgramState& state) const {
    if (fullUpload && succeeded()) {
        for (int k = 1; k <= kSlotCount; ++k) {
            const int32_t stored = storedLengths[static_cast<size_t>(k - 1)];
            MessageSlot& slot = state.messages.slot(k);
            if (stored == 0 || !slot.filled()) continue;
            slot.TMsgSize = stored;
            slot.MsgSize = std::to_string(stored / 1000);
        }
        state.messages.recomputeTotals();
    }
    state.MessagesUploaded = messagesUploaded;
}

UploadDriver::UploadDriver(Connection& connection)
    : connection_(connection), protocol_(connection.protocol()), events_(connection.events()) {}

void UploadDriver::cancel() {
    cancelled_.store(true);
    protocol_.cancel();
}

void UploadDriver::pumpClock() {
    const int64_t now = protocol_.clock().nowMs();
    while (now >= nextTickMs_) {
        connection_.tickClock();
        nextTickMs_ += kTickMs;
    }
}

bool UploadDriver::commandDo(uint8_t command) {
    if (cancelRequested()) {
        protocol_.cancel();
        protocol_.Status = ResultCode::TimeOut;
        return false;
    }
    protocol_.DataLength = 0;  // P, W and L carry no data; the last answer left its length here
    const bool ok = protocol_.CommandDo(command, CommandProtocol::kParameter);
    pumpClock();
    return ok;
}

uint8_t UploadDriver::readDataReply() {
    protocol_.Status = protocol_.CommandRead(kWriteCommand, CommandProtocol::kParameter);
    pumpClock();
    return protocol_.Status;
}

void UploadDriver::drainLine() {
    protocol_.clearReceiveRing();
    BytePort* port = protocol_.port();
    if (port == nullptr || !port->isOpen()) return;
    const int64_t start = protocol_.clock().nowMs();
    uint8_t scratch[256];
    while (!cancelRequested() && protocol_.clock().nowMs() - start < kDrainLimitMs) {
        if (port->read(std::span<uint8_t>(scratch, sizeof scratch), kDrainQuietMs) <= 0) break;
    }
}

bool UploadDriver::sendDataFrame(uint32_t address, std::span<const uint8_t> payload, UploadResult& result,
                                 bool& silent) {
    // A refused or damaged reply sends the same frame again at the same address, within the tries.
    const std::vector<uint8_t> frame = frames::dataFrame(address, payload);
    silent = false;
    for (int tries = kFrameTries; tries > 0; --tries) {
        if (cancelRequested()) {
            protocol_.cancel();
            protocol_.Status = ResultCode::TimeOut;
            silent = true;
            return false;
        }
        if (tries < kFrameTries) {
            ++result.frameResends;
            drainLine();
        }
        protocol_.sendFrame(frame);
        const uint8_t code = readDataReply();
        if (acknowledged(code)) return true;
        if (!resendable(code)) {
            silent = true;
            return false;
        }
    }
    return false;
}

bool UploadDriver::sendClosingFrame(UploadResult& result) {
    // A 21 asks for the same frame again; anything else is the answer.
    for (int tries = kFrameTries; tries > 0; --tries) {
        if (tries < kFrameTries) {
            ++result.frameResends;
            drainLine();
        }
        protocol_.sendFrame(frames::closingFrame());
        const uint8_t code = readDataReply();
        if (code != ResultCode::Nak) {
            if (acknowledged(code)) dataMode_ = false;
            return acknowledged(code);
        }
    }
    return false;
}

void UploadDriver::leaveDataMode() {
    // Left in data mode the unit would refuse the next upload's "P": end the series, best
    // effort, before the port closes.
    if (!dataMode_ || !protocol_.portOpen()) return;
    dataMode_ = false;
    protocol_.clearCancel();
    drainLine();
    protocol_.sendFrame(frames::closingFrame());
    protocol_.CommandRead(kWriteCommand, CommandProtocol::kParameter, kClosingGraceMs);
}

void UploadDriver::failWith(UploadResult& result, UploadStep step, UploadFault fault, const std::string& detail) {
    result.verdict = UploadVerdict::Failed;
    result.failedStep = step;
    result.fault = fault;
    result.lastStatus = protocol_.Status;
    result.detail = detail;
}

void UploadDriver::failOnCode(UploadResult& result, UploadStep step, uint8_t code) {
    if (cancelRequested() || protocol_.lastFailure() == CommandProtocol::Failure::Cancelled) {
        failWith(result, step, UploadFault::Cancelled, "cancelled");
        return;
    }
    if (code != ResultCode::TimeOut) {
        failWith(result, step, UploadFault::Refused, "the unit sent " + codeText(code));
        return;
    }
    const auto why = protocol_.lastFailure();
    if (why == CommandProtocol::Failure::None) {
        failWith(result, step, UploadFault::Refused, "the unit sent an empty answer (code 0)");
        return;
    }
    const bool garbage = why == CommandProtocol::Failure::RingOverrun || why == CommandProtocol::Failure::AnswerTooLong;
    std::string words = protocol_.failureText();
    if (words.empty()) words = "the unit did not answer";
    failWith(result, step, garbage ? UploadFault::Refused : UploadFault::NoAnswer, words);
}

void UploadDriver::end(UploadResult& result) {
    leaveDataMode();
    connection_.Disconnect();
    connection_.ClearConnectionDisplay();
    events_.controlsReleased();
    if (cancelRequested() && !result.succeeded()) {
        result.verdict = UploadVerdict::Cancelled;
        result.fault = UploadFault::Cancelled;
        if (result.detail.empty()) result.detail = "cancelled";
    }
}

UploadResult UploadDriver::run(const image::UnitImage& image, const UploadOptions& options) {
    UploadResult result = runSteps(image, options);
    protocol_.setWaitHook(nullptr);
    cancelled_.store(false);
    return result;
}

UploadResult UploadDriver::runSteps(const image::UnitImage& image, const UploadOptions& options) {
    UploadResult result;
    result.messagesUploaded = options.readTableFirst;
    dataMode_ = false;
    connection_.showProgress(false);
    events_.progressCleared();

    if (!image.fitsMemory()) {
        events_.status(LinkStatus::UploadFailed);
        events_.alert(LinkAlert::OverCapacity);
        failWith(result, UploadStep::CheckImage, UploadFault::OverCapacity,
                 "the messages need " + std::to_string(image.storedBytes()) + " bytes; they must end below word 0x3FF000");
        return result;
    }

    if (!connection_.Connect()) {
        events_.status(LinkStatus::UploadFailed);
        connection_.ClearConnectionDisplay();
        events_.controlsReleased();
        events_.alert(LinkAlert::PortCannotOpen);
        result.verdict = UploadVerdict::PortError;
        result.failedStep = UploadStep::Connect;
        result.fault = UploadFault::PortCannotOpen;
        result.detail = connection_.lastError();
        return result;
    }
    const std::string description = connection_.portDescription();
    result.port = description.substr(0, description.find(' '));
    if (cancelRequested()) protocol_.cancel();  // a cancel that came before the port opened
    nextTickMs_ = protocol_.clock().nowMs() + kTickMs;
    // The clock and the progress caption go on while the unit takes its time to answer.
    protocol_.setWaitHook([this] { pumpClock(); });
    protocol_.clearReceiveRing();

    const bool unchanged = unitHoldsImageMessages(image, options, result);

    if (!commandDo(kStartCommand)) {
        events_.status(LinkStatus::UploadFailed);
        failOnCode(result, UploadStep::Start, protocol_.Status);
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
            if (result.failedStep == UploadStep::None) failOnCode(result, UploadStep::ConfigurationOnly, protocol_.Status);
            result.failedStep = UploadStep::ConfigurationOnly;
        }
        end(result);
        return result;
    }

    result.fullUpload = true;
    EraseBlock(protocol_, kEraseFirstHalf);
    pumpClock();
    if (acknowledged(protocol_.Status)) {
        result.unitErased = true;
        EraseBlock(protocol_, kEraseSecondHalf);
        pumpClock();
    }
    if (!acknowledged(protocol_.Status)) {
        failOnCode(result, UploadStep::Erase, protocol_.Status);
        end(result);
        return result;
    }

    protocol_.clearReceiveRing();
    UploadProgress& progress = connection_.progress();
    progress.TFileLength = static_cast<int32_t>(image.storedBytes());
    progress.UploadedBytes = 1;
    progress.ProgressTicks = 1;
    connection_.showProgress(true);
    events_.progressValue(0, progress.TFileLength);

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

    if (!writeTables(image, result, UploadStep::WriteTables) || !commandDo(kListCommand)) {
        events_.status(LinkStatus::UploadFailed);
        if (result.failedStep == UploadStep::None) failOnCode(result, UploadStep::Finish, protocol_.Status);
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
    const std::optional<image::TableBytes> table = readMessageTable();
    pumpClock();
    if (!table) {
        events_.status(LinkStatus::ReadingFailed);
        return false;
    }
    result.tableReadBack = true;
    // Equal lengths say nothing about the sound: only a sealed table that is exactly the one
    // recorded for these messages, and this image's own, leaves the messages alone.
    const auto recorded = options.recordedUnitTables.find(result.port);
    return image::decodeMessageTable(*table).trustworthy() && recorded != options.recordedUnitTables.end() &&
           *table == recorded->second && *table == image.messageTable();
}

bool UploadDriver::startDataFrames() {
    if (cancelRequested()) return commandDo(kWriteCommand);  // sends nothing
    // Once the "W" went out, the unit may be taking data frames unless it plainly refused it
    // (a cancel or a lost answer leaves that open).
    const bool acknowledgedW = commandDo(kWriteCommand);
    dataMode_ = acknowledgedW || protocol_.Status != ResultCode::Nak;
    return acknowledgedW;
}

bool UploadDriver::sendMessage(const image::StoredMessage& message, UploadResult& result) {
    if (!startDataFrames()) {
        failOnCode(result, UploadStep::SendMessage, protocol_.Status);
        return false;
    }
    UploadProgress& progress = connection_.progress();
    for (uint32_t block = 0; block < message.blockCount(); ++block) {
        const auto payload = std::span<const uint8_t>(message.bytes).subspan(block * image::kBlockBytes, image::kBlockBytes);
        bool silent = false;
        if (!sendDataFrame(message.address + block * image::kBlockWords, payload, result, silent)) {
            failOnCode(result, UploadStep::SendMessage, protocol_.Status);
            return false;
        }
        ++result.blocksSent;
        progress.UploadedBytes = std::min<int32_t>(progress.UploadedBytes + static_cast<int32_t>(image::kBlockBytes),
                                                   progress.TFileLength);
        events_.progressValue(progress.UploadedBytes, progress.TFileLength);
    }
    if (!sendClosingFrame(result)) {
        failOnCode(result, UploadStep::SendMessage, protocol_.Status);
        return false;
    }
    return true;
}

bool UploadDriver::writeTables(const image::UnitImage& image, UploadResult& result, UploadStep step) {
    if (!startDataFrames()) {
        failOnCode(result, step, protocol_.Status);
        return false;
    }
    bool silent = false;
    result.messageTable = image.messageTable();
    if (!sendDataFrame(image::kMessageTableAddress, image.messageTable(), result, silent)) {
        failOnCode(result, step, protocol_.Status);
        return false;
    }
    result.triggerTable = image.triggerTable();
    if (!sendDataFrame(image::kTriggerTableAddress, image.triggerTable(), result, silent)) {
        failOnCode(result, step, protocol_.Status);
        return false;
    }
    if (!sendClosingFrame(result)) {
        failOnCode(result, step, protocol_.Status);
        return false;
    }
    return true;
}

bool UploadDriver::configurationOnly(const image::UnitImage& image, UploadResult& result) {
    protocol_.clearReceiveRing();
    EraseBlock(protocol_, image::kTriggerTableAddress);
    pumpClock();
    if (!acknowledged(protocol_.Status)) {
        failOnCode(result, UploadStep::ConfigurationOnly, protocol_.Status);
        return false;
    }
    if (!writeTables(image, result, UploadStep::ConfigurationOnly)) return false;
    if (!commandDo(kListCommand)) {
        failOnCode(result, UploadStep::ConfigurationOnly, protocol_.Status);
        return false;
    }
    return true;
}

std::optional<image::TableBytes> UploadDriver::readMessageTable() {
    protocol_.clearReceiveRing();
    protocol_.Status = 0;
    protocol_.setAddressPayload(image::kMessageTableAddress);
    protocol_.CommandWrite(kReadCommand, CommandProtocol::kParameter);
    protocol_.Status = protocol_.CommandRead(kReadCommand, CommandProtocol::kParameter);
    // A data answer shorter than the table would leave old bytes in Data to be decoded.
    if (!acknowledged(protocol_.Status) || protocol_.DataLength < image::kTableBytes) return std::nullopt;
    image::TableBytes table{};
    std::copy_n(protocol_.Data.begin() + 1, image::kTableBytes, table.begin());
    return table;
}

void UploadDriver::verifyTable(UploadResult& result) {
    // "Every frame acknowledged" is weaker than "the unit holds it": read the table back.
    events_.status(LinkStatus::Checking);
    const std::optional<image::TableBytes> table = readMessageTable();
    pumpClock();
    const bool same = table && result.messageTable && *table == *result.messageTable;
    if (!same) {
        events_.status(LinkStatus::CheckFailed);
        if (table) {
            failWith(result, UploadStep::Verify, UploadFault::VerifyMismatch,
                     "the message table read back differs from the one written");
        } else if (acknowledged(protocol_.Status)) {
            failWith(result, UploadStep::Verify, UploadFault::Refused, "the unit answered R with too few bytes");
        } else {
            failOnCode(result, UploadStep::Verify, protocol_.Status);
        }
        result.messagesUploaded = false;
        return;
    }
    result.verified = true;
    // The panel ends with the upload's own verdict.
    events_.status(result.verdict == UploadVerdict::Succeeded ? LinkStatus::UploadSucceeded
                                                              : LinkStatus::ConfigurationSucceeded);
}

}  // namespace mmx
