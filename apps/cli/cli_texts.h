#pragma once
// The command line's own English words for what the use cases return: the status lines and
// message-box texts the desktop program shows in English, and the reasons behind a failure.
#include <optional>
#include <string>

#include "app/link/unit_commands.h"
#include "core/wave_header.h"
#include "device/answer_words.h"
#include "device/link_events.h"
#include "device/upload_result.h"
#include "image/unit_tables.h"
#include "storage/file_outcome.h"
#include "storage/message_files.h"

namespace mmx::cli {

// The message-box texts, numbered as the language files hold them.
enum BoxText : int {
    kExceedsCapacity = 0,
    kNot16Bit = 1,
    kBadSampleRate = 2,
    kNotMono = 3,
    kNotWave = 4,
    kSetupFileMissing = 10,
    kMessagePathIncorrect = 11,
    kPortCannotOpen = 12,
};
std::string boxText(int index);

// "Status:  Erasing data...": a status as the window's first panel shows it.
std::string statusLine(LinkStatus status);
// "Status:  welcome File is uploading...": the line while slot `name` goes out.
std::string sendingLine(const std::string& name);

// Why a WAVE file was refused: its message-box text, or, for a refusal without one, whether the
// file is missing or cannot be read through.
std::string refusalText(const WaveCheck& check, const std::string& path);
// "Path of message file is incorrect! Slot 2 (welcome): /audio/welcome.wav: not a regular file".
std::string fileProblemText(const MessageFileProblem& problem);

// Why an upload failed, from its typed result ("the unit did not answer within 5.1 s").
std::string uploadFailureWords(const UploadResult& result);
// The status line of an upload's verdict, as the window ends it.
std::string verdictLine(const UploadResult& result);

// "mmx4210-cli check: a.cfg: Configuration file cannot be found! (line 7: ...)".
std::string setupRefusedText(const std::string& command, const std::string& path, const FileOutcome& outcome);

// The message table as read-tables and image --tables print it: a row per slot, the end
// address, the count, the checksum and the memory used; an erased table only as erased.
std::string messageTableReport(const image::DecodedMessageTable& table);

// "port /dev/ttyUSB0 115200 8N2": the one form of the port line.
std::string portLine(const std::string& portDescription);

}  // namespace mmx::cli
