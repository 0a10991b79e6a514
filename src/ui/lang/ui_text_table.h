#pragma once
// The table of every status-bar and message-box text the program shows, so a
// language file can replace them all at once.
#include <array>
#include <string>

#include "core/file_refusal.h"
#include "core/plain_text.h"

namespace mmx {

class UiTextTable {
public:
    static constexpr int kStatusCount = 16;
    static constexpr int kMessageBoxCount = 13;
    // Language files replace message-box texts 0..11; text 12 always stays English.
    static constexpr int kReplaceableMessageBoxCount = 12;

    // Status text indices.
    enum Status : int {
        ComPortNotConnected = 0,
        FileUploading = 1,
        UploadSucceeded = 2,
        UploadFailed = 3,
        ReadingFailed = 4,
        CheckingData = 5,
        CheckingSucceeded = 6,
        CheckingFailed = 7,
        Erasing = 8,
        EraseSucceeded = 9,
        EraseFailed = 10,
        StatusPrefix = 11,
        PortPrefix = 12,
        ConfigUploadSucceeded = 13,
        ConfigUploadFailed = 14,
        RemainingTime = 15,
    };
    // Message-box text indices.
    enum MessageBox : int {
        ExceedsCapacity = FileRefusal::ExceedsCapacity,
        Not16Bit = FileRefusal::Not16Bit,
        BadSampleRate = FileRefusal::BadSampleRate,
        NotMono = FileRefusal::NotMono,
        NotWave = FileRefusal::NotWave,
        BusyUploading = 5,
        SaveChangesQuestion = 6,
        PortNotConnected = 7,
        SettingsFileMissing = 8,
        LanguageFileMissing = 9,
        SetupFileMissing = 10,
        MessagePathIncorrect = FileRefusal::MessagePathIncorrect,
        PortCannotOpen = 12,
    };

    UiTextTable();  // English defaults

    void fillDefaults();
    const std::string& status(int k) const { return status_.at(static_cast<size_t>(k)); }
    const std::string& messageBox(int k) const { return messageBox_.at(static_cast<size_t>(k)); }

    // Replace the 16 status texts and message-box texts 0..11 (a language file).
    void replace(const std::array<std::string, kStatusCount>& statusTexts,
                 const std::array<std::string, kReplaceableMessageBoxCount>& messageBoxTexts);

    // "Status: " + " " + trimmed status text k: what the first status panel shows.
    std::string statusMessage(int k) const;
    // Message-box text 12, which no language file carries: the window gives it in the
    // language in use from its own translations.
    void setPortCannotOpenText(std::string text) { messageBox_[PortCannotOpen] = std::move(text); }
    // Status text 11, one blank, and any free text trimmed (the per-file upload line uses it).
    std::string statusLine(const std::string& text) const;

    // Hidden carriers of the save question and the not-connected text (frame window reads them).
    const std::string& saveQuestion() const { return mdiMsgInfo_[0]; }
    const std::string& notConnectedInfo() const { return mdiMsgInfo_[1]; }

    static const std::array<std::string, kStatusCount>& englishStatus();
    static const std::array<std::string, kMessageBoxCount>& englishMessageBox();

private:
    std::array<std::string, kStatusCount> status_;
    std::array<std::string, kMessageBoxCount> messageBox_;
    std::array<std::string, 2> mdiMsgInfo_;
};

}  // namespace mmx
