#include "ui/lang/ui_text_table.h"

namespace mmx {

const std::array<std::string, UiTextTable::kStatusCount>& UiTextTable::englishStatus() {
    static const std::array<std::string, kStatusCount> texts = {
        "Com port not connected!",
        "File is uploading...",
        "Message and configuration upload successfully!",
        "Message and configuration upload unsuccessfully!",
        "Reading data failed!",
        "Checking data...",
        "Checking data successfully!",
        "Checking data failed!",
        "Erasing data...",
        "Erasing data successfully!",
        "Erasing data failed!",
        "Status: ",
        "RS232 PORT: ",
        "Configuration upload successfully!",
        "Configuration upload unsuccessfully!",
        "%    Remaining Time: ",
    };
    return texts;
}

const std::array<std::string, UiTextTable::kMessageBoxCount>& UiTextTable::englishMessageBox() {
    static const std::array<std::string, kMessageBoxCount> texts = {
        "Message files exceed memory capacity of 8380 KB!",
        "Word length of wave file is not 16 bit!",
        "Sample frequency is not in the range of 8...24 kHz!",
        "The file is not a mono file!",
        "The file is not a WAVE file!",
        "The unit cannot be operated while upload is in progress!",
        "Do you want to save the changes?",
        "Com port not connected!",
        "Initial file cannot be found!",
        "Language file cannot be found!",
        "Configuration file cannot be found!",
        "Path of message file is incorrect!",
        "RS232 Com Port cannot be open!",
    };
    return texts;
}

UiTextTable::UiTextTable() { fillDefaults(); }

void UiTextTable::fillDefaults() {
    status_ = englishStatus();
    messageBox_ = englishMessageBox();
    mdiMsgInfo_ = {messageBox_[SaveChangesQuestion], messageBox_[PortNotConnected]};
}

void UiTextTable::replace(const std::array<std::string, kStatusCount>& statusTexts,
                          const std::array<std::string, kReplaceableMessageBoxCount>& messageBoxTexts) {
    status_ = statusTexts;
    for (size_t i = 0; i < messageBoxTexts.size(); ++i) messageBox_[i] = messageBoxTexts[i];
    mdiMsgInfo_ = {messageBox_[SaveChangesQuestion], messageBox_[PortNotConnected]};
}

std::string UiTextTable::statusMessage(int k) const { return statusLine(status(k)); }

std::string UiTextTable::statusLine(const std::string& text) const {
    return status_[StatusPrefix] + " " + trimBlanks(text);
}

}  // namespace mmx
