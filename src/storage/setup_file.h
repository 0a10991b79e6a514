#pragma once
// The set-up file: 280 "key=value" lines holding everything the editor shows about the
// 12 message slots and the 12 triggers, read back by position.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/program_state.h"
#include "storage/file_outcome.h"

namespace mmx {

inline constexpr int kSetupFileLines = 280;
inline constexpr const char* kSetupFileExtension = ".cfg";

// The 280 lines of the set-up as it stands (UTF-8, without line ends).
std::vector<std::string> setupFileLines(const ProgramState& state);

// Every value of a set-up file, read and converted, ready to be applied.
struct SetupFileValues {
    struct Slot {
        bool MsgBtEnabled = false;
        std::string WaveFile;
        std::string FilePath;
        bool BrowseEnabled = false;
        std::string MsgTime;
        int32_t TMsgSize = 0;
        std::string MsgSample;
    };
    struct Entry {
        bool enabled = false;
        std::string text;
    };
    std::array<Slot, kSlotCount> slots{};
    std::array<bool, kTriggerCount> TrgBtEnabled{};
    int listCount = 0;  // items in every sequence list: " " and " 1" .. " n" (0: lists never filled)
    std::array<Entry, kEntryCount> entries{};
    std::array<std::string, kTriggerCount> TrgTime{};
    std::array<int, kZoneCount> Check1{};
    std::string TotalTime;
    std::string TotalSize;
    int32_t TFileLength = 0;
};

// Reads and converts the lines (only the first 280 count); nothing when there are fewer
// or a value does not convert (outcome, when given, then says which line and why). Keys are
// never compared: a line's meaning is its position.
std::optional<SetupFileValues> parseSetupFile(const std::vector<std::string>& lines, FileOutcome* outcome = nullptr);

// Puts the values into the editor's message and trigger tables.
void applySetup(ProgramState& state, const SetupFileValues& values);

// Writes the set-up to path (TFileLength becomes the sum of the stored lengths first).
// The file is replaced atomically: on failure the old file is untouched.
FileOutcome SaveConfig(ProgramState& state, const std::string& path);

// Reads the set-up at path and applies it, only when all 280 lines were read and converted;
// sets MessagesUploaded then. On failure the editor is unchanged.
FileOutcome OpenConfig(ProgramState& state, const std::string& path);

}  // namespace mmx
