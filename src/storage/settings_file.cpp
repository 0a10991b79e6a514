#include "storage/settings_file.h"

#include <algorithm>
#include <filesystem>

#include "storage/text_file.h"
#include "storage/value_conversion.h"

namespace mmx {

namespace {

std::string fontFolder(const ProgramState& state) { return state.DataPath + "Font" + kPathSeparator; }

// A stored folder as this platform uses it: an empty value, or one that is no absolute folder
// here (a file brought from a system with drive letters), gives the default; others end with "/".
std::string folderValue(const std::string& value, const std::string& fallback) {
    if (value.empty() || value.front() != kPathSeparator) return fallback;
    return withTrailingSeparator(value);
}

bool holdsLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

}  // namespace

std::optional<int16_t> settingsInteger(const std::string& value) {
    // Decimal text only, blanks around allowed: "12.5" or "1e3" are no settings integers.
    if (value.find_first_of(".eE") != std::string::npos) return std::nullopt;
    const auto number = strictInteger(value);
    if (!number || *number < INT16_MIN || *number > INT16_MAX) return std::nullopt;
    return static_cast<int16_t>(*number);
}

std::optional<bool> settingsBoolean(const std::string& value) { return booleanValue(value); }

std::vector<std::string> settingsFileLines(const ProgramState& state) {
    return {
        "CommTimeOut=" + std::to_string(state.port.CommTimeOut),
        "Commport=" + std::to_string(state.port.Commport),
        "Bret=" + state.port.Bret,
        "Pchk=" + state.port.Pchk,
        "Dbit=" + state.port.Dbit,
        "Sbit=" + state.port.Sbit,
        "strLNGFilePath=" + state.strLNGFilePath,
        "stroLNGFilePath=" + state.stroLNGFilePath,
        std::string("stroLNGFilePathType=") + (state.stroLNGFilePathType ? "True" : "False"),
        "LanguageFile=" + state.LanguageFile,
        "strMSGFilePath=" + state.strMSGFilePath,
        "MessageFile=" + state.MessageFile,
        "strWAVFilePath=" + state.strWAVFilePath,
    };
}

FileOutcome SaveIni(const ProgramState& state, const std::string& path) {
    const auto lines = settingsFileLines(state);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (holdsLineBreak(lines[i]))
            return lineBreakInValue(static_cast<int>(i + 1));
    }
    // The user's configuration folder may not exist yet.
    const std::string folder = folderOf(path);
    std::error_code ignored;
    if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
    if (FileOutcome written = writeTextFile(path, lines, CodePage::Windows1252); !written) return written;
    return FileOutcome::success();
}

bool applySettingsLines(ProgramState& state, const std::vector<std::string>& lines) {
    if (lines.size() < static_cast<size_t>(kSettingsFileLines)) return false;
    std::vector<std::string> value;
    for (int i = 0; i < kSettingsFileLines; ++i) value.push_back(lineValue(lines[static_cast<size_t>(i)]));

    // Applied in file order; a value that does not convert stops here, earlier ones stay.
    const auto timeOut = settingsInteger(value[0]);
    if (!timeOut) return false;
    state.port.CommTimeOut = static_cast<int16_t>(std::clamp<int>(*timeOut, kMinCommTimeOutMs, kMaxCommTimeOutMs));
    const auto commport = settingsInteger(value[1]);
    if (!commport) return false;
    state.port.Commport = (*commport < 1 || *commport > 10) ? int16_t{1} : *commport;
    state.port.Bret = value[2];
    state.port.Pchk = value[3];
    state.port.Dbit = value[4];
    state.port.Sbit = value[5];
    state.strLNGFilePath = folderValue(value[6], fontFolder(state));
    state.stroLNGFilePath = folderValue(value[7], fontFolder(state));
    const auto otherType = settingsBoolean(value[8]);
    if (!otherType) return false;
    state.stroLNGFilePathType = *otherType;
    state.LanguageFile = value[9];
    state.strMSGFilePath = folderValue(value[10], state.AppPath);
    state.MessageFile = value[11];
    state.strWAVFilePath = folderValue(value[12], state.AppPath);
    return true;
}

FileOutcome OpenIni(ProgramState& state, const std::string& path) {
    FileOutcome why;
    const auto file = readTextFile(path, CodePage::Windows1252, &why);
    if (!file) return why;
    if (file->lines.size() < static_cast<size_t>(kSettingsFileLines)) return tooFewLines(file->lines.size(), kSettingsFileLines);
    if (!applySettingsLines(state, file->lines))
        return FileOutcome::failure(FileProblem::BadSettingsValue, "a value is not a number or True/False");
    return FileOutcome::success();
}

bool Open_Logo_Ini(ProgramState& state, const std::string& path, std::string& splashLanguageFile) {
    const auto file = readTextFile(path, CodePage::Windows1252);
    if (!file || file->lines.size() < 10) return false;
    const auto otherType = settingsBoolean(lineValue(file->lines[8]));
    if (!otherType) return false;
    state.strLNGFilePath = folderValue(lineValue(file->lines[6]), fontFolder(state));
    state.stroLNGFilePath = folderValue(lineValue(file->lines[7]), fontFolder(state));
    state.stroLNGFilePathType = *otherType;
    splashLanguageFile = lineValue(file->lines[9]);
    return true;
}

}  // namespace mmx
