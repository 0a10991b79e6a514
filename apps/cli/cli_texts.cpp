#include "cli_texts.h"

#include <array>
#include <filesystem>

#include "core/english_box_texts.h"

namespace mmx::cli {

namespace {

const char* statusText(LinkStatus status) {
    switch (status) {
        case LinkStatus::NotConnected: return "Com port not connected!";
        case LinkStatus::UploadSucceeded: return "Message and configuration upload successfully!";
        case LinkStatus::UploadFailed: return "Message and configuration upload unsuccessfully!";
        case LinkStatus::ReadingFailed: return "Reading data failed!";
        case LinkStatus::Checking: return "Checking data...";
        case LinkStatus::CheckFailed: return "Checking data failed!";
        case LinkStatus::Erasing: return "Erasing data...";
        case LinkStatus::EraseSucceeded: return "Erasing data successfully!";
        case LinkStatus::EraseFailed: return "Erasing data failed!";
        case LinkStatus::ConfigurationSucceeded: return "Configuration upload successfully!";
        case LinkStatus::ConfigurationFailed: return "Configuration upload unsuccessfully!";
    }
    return "Message and configuration upload unsuccessfully!";
}

// The first panel's prefix: "Status: " and one blank.
constexpr const char* kStatusPrefix = "Status:  ";

}  // namespace

std::string boxText(int index) { return kEnglishBoxTexts.at(static_cast<size_t>(index)); }

std::string statusLine(LinkStatus status) { return std::string(kStatusPrefix) + statusText(status); }

std::string sendingLine(const std::string& name) { return std::string(kStatusPrefix) + name + " File is uploading..."; }

std::string refusalText(const WaveCheck& check, const std::string& path) {
    if (check.messageBoxIndex) return boxText(*check.messageBoxIndex);
    if (!std::filesystem::is_regular_file(path)) return "no such file";
    return "no \"data\" chunk found, or the file cannot be read";
}

std::string fileProblemText(const MessageFileProblem& problem) {
    std::string text = boxText(problem.messageBoxIndex.value_or(kMessagePathIncorrect));
    if (problem.slot != 0) {
        return text + " Slot " + std::to_string(problem.slot) + " (" + problem.name + "): " + problem.path + ": " +
               problem.detail;
    }
    return text + " " + problem.detail;
}

std::string uploadFailureWords(const UploadResult& result) {
    switch (result.fault) {
        case UploadFault::None: return "";
        case UploadFault::Cancelled: return "cancelled";
        case UploadFault::PortCannotOpen: return result.portError;
        case UploadFault::OverCapacity:
            return "the messages need " + std::to_string(result.neededBytes) + " bytes; they must end below word 0x3FF000";
        case UploadFault::VerifyMismatch: return "the message table read back differs from the one written";
        case UploadFault::NoAnswer:
        case UploadFault::Refused: break;
    }
    if (result.failedStep == UploadStep::Verify && result.answer.acknowledged()) {
        return "the unit answered R with too few bytes";
    }
    return answerFailureWords(result.answer, result.byteTimeOutMs, result.answerTimeOutMs);
}

std::string verdictLine(const UploadResult& result) {
    switch (result.verdict) {
        case UploadVerdict::Succeeded: return statusLine(LinkStatus::UploadSucceeded);
        case UploadVerdict::ConfigurationSucceeded: return statusLine(LinkStatus::ConfigurationSucceeded);
        default: break;
    }
    switch (result.failedStep) {
        case UploadStep::ReadTable: return statusLine(LinkStatus::ReadingFailed);
        case UploadStep::Verify: return statusLine(LinkStatus::CheckFailed);
        case UploadStep::ConfigurationOnly: return statusLine(LinkStatus::ConfigurationFailed);
        default: return statusLine(LinkStatus::UploadFailed);
    }
}

std::string setupRefusedText(const std::string& command, const std::string& path, const FileOutcome& outcome) {
    return "mmx4210-cli " + command + ": " + path + ": " + boxText(kSetupFileMissing) + " (" + outcome.reason() + ")";
}

std::string messageTableReport(const image::DecodedMessageTable& table) {
    std::string text = "Message table\n";
    if (table.erased) return text + "erased: nothing was uploaded, or an upload did not finish\n";
    text += image::messageTableText(table);
    const int64_t endWord = table.directory.endAddress < 0 ? 0 : table.directory.endAddress;
    text += "memory     " + std::to_string(endWord * 2) + " of " + std::to_string(unit::kCapacityBytes) + " bytes used\n";
    if (!table.sealed) text += "(the table's checksum is wrong: its contents cannot be trusted)\n";
    return text;
}

std::string portLine(const std::string& portDescription) { return "port " + portDescription; }

}  // namespace mmx::cli
