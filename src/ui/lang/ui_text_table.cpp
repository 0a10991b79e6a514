#include "ui/lang/ui_text_table.h"

#include "core/english_box_texts.h"

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
    static_assert(kEnglishBoxTexts.size() == kMessageBoxCount);
    static const std::array<std::string, kMessageBoxCount> texts = [] {
        std::array<std::string, kMessageBoxCount> copy;
        for (size_t i = 0; i < copy.size(); ++i) copy[i] = kEnglishBoxTexts[i];
        return copy;
    }();
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
