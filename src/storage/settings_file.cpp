#include "storage/settings_file.h"

#include <cctype>
#include <filesystem>

#include "core/file_paths.h"
#include "storage/text_codec.h"
#include "storage/text_file.h"
#include "storage/value_conversion.h"

namespace mmx {

namespace {

std::string fontFolder(const std::string& dataPath) { return dataPath + "Font" + kPathSeparator; }

// A stored folder as this platform uses it: an empty value, or one that is no absolute folder
// here (a file brought from a system with drive letters), gives the default; others end with "/".
std::string folderValue(const std::string& value, const std::string& fallback) {
    if (value.empty() || value.front() != kPathSeparator) return fallback;
    return withTrailingSeparator(value);
}

// A settings file written by an older install names the shipped language files' folder where that
// install kept them; when the language file is not there but in this program's own folder, the
// program's folder is meant (and the next save writes it).
std::string builtInFolderNow(const std::string& stored, const std::string& languageFile, const std::string& fonts) {
    std::error_code error;
    if (stored == fonts || languageFile.empty() || std::filesystem::exists(stored + languageFile, error)) return stored;
    return std::filesystem::exists(fonts + languageFile, error) ? fonts : stored;
}

bool holdsLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

// Decimal digits with an optional sign, blanks around allowed: "12.5" or "1e3" are no settings
// integers.
std::optional<int64_t> wholeInteger(const std::string& value) {
    if (value.find_first_of(".eE") != std::string::npos) return std::nullopt;
    return strictInteger(value);
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<char> parityValue(const std::string& value) {
    const std::string letter = trimmed(value);
    if (letter.size() != 1) return std::nullopt;
    const char p = static_cast<char>(std::toupper(static_cast<unsigned char>(letter[0])));
    if (p != 'N' && p != 'E' && p != 'O' && p != 'M' && p != 'S') return std::nullopt;
    return p;
}

constexpr std::string_view kRecentKey = "Recent";

// "Recent3=/home/op/lobby.cfg" after the 13 lines: the list, in the order of the numbers.
std::vector<std::string> recentSetupsIn(const std::vector<std::string>& lines) {
    std::vector<std::string> recent(kRecentSetups);
    for (size_t i = kSettingsFileLines; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const auto equals = line.find('=');
        if (equals != kRecentKey.size() + 1 || line.compare(0, kRecentKey.size(), kRecentKey) != 0) continue;
        const int number = line[kRecentKey.size()] - '0';
        if (number >= 1 && number <= static_cast<int>(kRecentSetups)) recent[static_cast<size_t>(number - 1)] = lineValue(line);
    }
    std::erase(recent, std::string());
    return recent;
}

}  // namespace

std::vector<std::string> settingsLines(const Settings& settings) {
    std::vector<std::string> lines = positionalSettingsLines(settings);
    size_t number = 0;
    for (const std::string& path : settings.recentSetups) {
        if (number == kRecentSetups) break;
        if (path.empty() || holdsLineBreak(path) || !encodeText(path, encodingOf(CodePage::Windows1252))) continue;
        lines.push_back(std::string(kRecentKey) + std::to_string(++number) + "=" + path);
    }
    return lines;
}

std::vector<std::string> positionalSettingsLines(const Settings& settings) {
    const LineSettings& line = settings.port.line;
    std::vector<std::string> lines{
        "CommTimeOut=" + std::to_string(settings.port.CommTimeOut),
        "Commport=" + std::to_string(settings.port.Commport),
        "Bret=" + std::to_string(line.baud),
        std::string("Pchk=") + line.parity,
        "Dbit=" + std::to_string(line.dataBits),
        "Sbit=" + std::to_string(line.stopBits),
        "strLNGFilePath=" + settings.builtInLanguageFolder,
        "stroLNGFilePath=" + settings.otherLanguageFolder,
        std::string("stroLNGFilePathType=") + (settings.otherLanguage ? "True" : "False"),
        "LanguageFile=" + settings.languageFile,
        "strMSGFilePath=" + settings.setupFolder,
        "MessageFile=" + settings.setupFile,
        "strWAVFilePath=" + settings.waveFolder,
    };
    // A network address follows the thirteen lines only when one was typed, so that a file
    // without one stays exactly what it always was.
    if (!settings.port.networkPort.empty()) {
        lines.push_back("NetworkPort=" + settings.port.networkPort);
        lines.push_back(std::string("NetworkPortChosen=") + (settings.port.networkPortChosen ? "True" : "False"));
    }
    return lines;
}

Settings parseSettingsLines(const std::vector<std::string>& lines, const Settings& current, const std::string& appPath,
                            FileOutcome* outcome, const std::string& dataPath) {
    const std::string fonts = fontFolder(dataPath.empty() ? appPath : dataPath);
    if (lines.size() < static_cast<size_t>(kSettingsFileLines)) {
        if (outcome) *outcome = tooFewLines(lines.size(), kSettingsFileLines);
        return current;
    }
    const auto value = [&lines](int line) { return lineValue(lines[static_cast<size_t>(line - 1)]); };
    Settings read = current;
    // Taken in file order; a refused value stops here, the earlier ones stay taken.
    const auto refuse = [&](FileProblem kind, int line) {
        if (outcome) *outcome = refusedValue(kind, value(line), line);
        return read;
    };
    const auto timeOut = wholeInteger(value(1));
    if (!timeOut || *timeOut < unit::kMinByteTimeOutMs || *timeOut > unit::kMaxByteTimeOutMs)
        return refuse(FileProblem::NotTimeOut, 1);
    read.port.CommTimeOut = static_cast<int>(*timeOut);
    const auto comPort = wholeInteger(value(2));
    if (!comPort) return refuse(FileProblem::NotWholeNumber, 2);
    read.port.Commport = static_cast<int16_t>(*comPort < 1 || *comPort > kComPorts ? 1 : *comPort);
    const auto baud = wholeInteger(value(3));
    if (!baud || *baud <= 0 || *baud > UINT32_MAX || !isLineBaud(static_cast<unsigned>(*baud)))
        return refuse(FileProblem::NotLineSetting, 3);
    read.port.line.baud = static_cast<unsigned>(*baud);
    const auto parity = parityValue(value(4));
    if (!parity) return refuse(FileProblem::NotLineSetting, 4);
    read.port.line.parity = *parity;
    const auto dataBits = wholeInteger(value(5));
    if (!dataBits || *dataBits < 5 || *dataBits > 8) return refuse(FileProblem::NotLineSetting, 5);
    read.port.line.dataBits = static_cast<int>(*dataBits);
    const std::string stopBits = trimmed(value(6));
    if (stopBits != "1" && stopBits != "2") return refuse(FileProblem::NotLineSetting, 6);
    read.port.line.stopBits = stopBits == "2" ? 2 : 1;
    read.builtInLanguageFolder = folderValue(value(7), fonts);
    read.otherLanguageFolder = folderValue(value(8), fonts);
    const auto other = booleanValue(value(9));
    if (!other) return refuse(FileProblem::NotTrueFalseOrNumber, 9);
    read.otherLanguage = *other;
    read.languageFile = value(10);
    read.setupFolder = folderValue(value(11), appPath);
    read.setupFile = value(12);
    read.waveFolder = folderValue(value(13), appPath);
    read.port.networkPort.clear();
    read.port.networkPortChosen = false;
    if (lines.size() >= 15 && lines[13].rfind("NetworkPort=", 0) == 0) {
        read.port.networkPort = value(14);
        read.port.networkPortChosen = !read.port.networkPort.empty() && booleanValue(value(15)).value_or(false);
    }
    read.recentSetups = recentSetupsIn(lines);
    if (outcome) *outcome = FileOutcome::success();
    return read;
}

FileOutcome writeSettingsFile(const std::string& path, const Settings& settings) {
    const auto lines = settingsLines(settings);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (holdsLineBreak(lines[i])) return lineBreakInValue(static_cast<int>(i + 1));
    }
    // The user's configuration folder may not exist yet.
    const std::string folder = folderOf(path);
    std::error_code ignored;
    if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
    return writeTextFile(path, lines, CodePage::Windows1252);
}

FileOutcome readSettingsFile(const std::string& path, Settings& settings, const std::string& appPath,
                             const std::string& dataPath) {
    FileOutcome outcome;
    const auto file = readTextFile(path, CodePage::Windows1252, &outcome);
    if (!file) return outcome;
    settings = parseSettingsLines(file->lines, settings, appPath, &outcome, dataPath);
    if (!settings.otherLanguage) {
        settings.builtInLanguageFolder = builtInFolderNow(settings.builtInLanguageFolder, settings.languageFile,
                                                          fontFolder(dataPath.empty() ? appPath : dataPath));
    }
    return outcome;
}

std::optional<LanguageChoice> readLanguageChoice(const std::string& path, const std::string& appPath,
                                                 const std::string& dataPath) {
    const std::string fonts = fontFolder(dataPath.empty() ? appPath : dataPath);
    const auto file = readTextFile(path, CodePage::Windows1252);
    if (!file || file->lines.size() < 10) return std::nullopt;
    const auto value = [&file](int line) { return lineValue(file->lines[static_cast<size_t>(line - 1)]); };
    const auto other = booleanValue(value(9));
    if (!other) return std::nullopt;
    const std::string builtIn = folderValue(value(7), fonts);
    return LanguageChoice{*other ? builtIn : builtInFolderNow(builtIn, value(10), fonts), folderValue(value(8), fonts),
                          *other, value(10)};
}

}  // namespace mmx
