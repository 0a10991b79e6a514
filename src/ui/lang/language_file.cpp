#include "ui/lang/language_file.h"

#include "storage/settings_file.h"
#include "storage/settings_folder.h"
#include "storage/text_file.h"
#include "storage/value_conversion.h"

namespace mmx {

namespace {

// The captions lines 12 to 54 replace, by line number; lines 26 and 28 to 31 replace nothing.
struct CaptionLine {
    int line;
    const char* label;
    std::string& (*field)(CaptionTable&);
};

#define MMX_CAPTION(line, member) \
    CaptionLine { line, #member, [](CaptionTable& c) -> std::string& { return c.member; } }

const CaptionLine kCaptionLines[] = {
    MMX_CAPTION(12, File),
    MMX_CAPTION(13, Open),
    MMX_CAPTION(14, Save),
    MMX_CAPTION(15, Save_as),
    MMX_CAPTION(16, Save_as_text_file),
    MMX_CAPTION(17, Exit),
    MMX_CAPTION(18, Setup),
    MMX_CAPTION(19, Comport),
    CaptionLine{20, "ComP(1)", [](CaptionTable& c) -> std::string& { return c.ComP[0]; }},
    CaptionLine{21, "ComP(2)", [](CaptionTable& c) -> std::string& { return c.ComP[1]; }},
    MMX_CAPTION(22, Language),
    MMX_CAPTION(23, zh_s),
    MMX_CAPTION(24, zh_t),
    MMX_CAPTION(25, en),
    MMX_CAPTION(27, nl),
    MMX_CAPTION(32, other),
    MMX_CAPTION(33, Help),
    MMX_CAPTION(34, Instructions_for_use),
    MMX_CAPTION(35, Contacts),
    MMX_CAPTION(36, About_Zanth_message_manager),
    MMX_CAPTION(37, Frame1_0),
    MMX_CAPTION(38, Lb_Message_Play),
    MMX_CAPTION(39, Lb_Message_File),
    MMX_CAPTION(40, Lb_Message_Time_0),
    MMX_CAPTION(41, Lb_Message_Time_1),
    MMX_CAPTION(42, Lb_Message_Size_0),
    MMX_CAPTION(43, Lb_Message_Size_1),
    MMX_CAPTION(44, Lb_Message_Sample_0),
    MMX_CAPTION(45, Lb_Message_Sample_1),
    MMX_CAPTION(46, Bt_Browse),
    MMX_CAPTION(47, Frame1_1),
    MMX_CAPTION(48, Lb_Trigger_Play),
    MMX_CAPTION(49, Lb_Trigger_Ms),
    MMX_CAPTION(50, Lb_Trigger_Time_0),
    MMX_CAPTION(51, Lb_Trigger_Time_1),
    MMX_CAPTION(52, Lb_Trigger_Zones_0),
    MMX_CAPTION(53, Lb_Total),
    MMX_CAPTION(54, Bt_SendMessage),
};

#undef MMX_CAPTION

constexpr int kFrameCaptionLine = 11;
constexpr int kFirstStatusLine = 55;
constexpr int kFirstMessageBoxLine = 71;
constexpr int kCloseTextLine = 83;

const std::string& text(const LanguageTexts& texts, int line) { return texts[static_cast<size_t>(line - 1)]; }

}  // namespace

std::optional<LanguageTexts> languageTextsFromLines(const std::vector<std::string>& lines) {
    if (lines.size() < static_cast<size_t>(kLanguageFileLines)) return std::nullopt;
    LanguageTexts texts;
    for (size_t i = 0; i < texts.size(); ++i) texts[i] = trimBlanks(lineValue(lines[i]));
    return texts;
}

std::optional<LanguageTexts> readLanguageFile(const std::string& path) {
    const auto file = readTextFile(path, codePageForLanguageFile(path));
    if (!file) return std::nullopt;
    return languageTextsFromLines(file->lines);
}

void applyLanguageTexts(WindowState& state, CaptionTable& captions, const LanguageTexts& texts) {
    state.frameCaption = text(texts, kFrameCaptionLine) + state.versionText;
    state.frameWindowCaption = state.frameCaption;
    for (const auto& caption : kCaptionLines) caption.field(captions) = text(texts, caption.line);

    std::array<std::string, UiTextTable::kStatusCount> status;
    for (int k = 0; k < UiTextTable::kStatusCount; ++k) status[static_cast<size_t>(k)] = text(texts, kFirstStatusLine + k);
    std::array<std::string, UiTextTable::kReplaceableMessageBoxCount> boxes;
    for (int k = 0; k < UiTextTable::kReplaceableMessageBoxCount; ++k) {
        boxes[static_cast<size_t>(k)] = text(texts, kFirstMessageBoxLine + k);
    }
    state.texts.replace(status, boxes);
    state.closeText = text(texts, kCloseTextLine);
}

bool loadLanguageFile(WindowState& state, CaptionTable& captions, const std::string& path, MessageBoxes& boxes) {
    const auto texts = readLanguageFile(path);
    if (!texts) {
        boxes.alert(state.texts.messageBox(UiTextTable::LanguageFileMissing), WindowState::kEditorCaption);
        return false;
    }
    applyLanguageTexts(state, captions, *texts);
    return true;
}

bool readSplashCaptions(CaptionTable& captions, const std::string& path) {
    // The splash reads only its own ten lines; the rest of the file is the editor's business.
    const auto file = readTextFile(path, codePageForLanguageFile(path));
    if (!file || file->lines.size() < captions.Lb_Logo.size()) return false;
    for (size_t i = 0; i < captions.Lb_Logo.size(); ++i) captions.Lb_Logo[i] = trimBlanks(lineValue(file->lines[i]));
    return true;
}

bool loadSplashTexts(WindowState& state, CaptionTable& captions) {
    std::string splashLanguageFile;
    if (state.settingsFolder.empty()) state.settingsFolder = chooseSettingsFolder(state.appFolder);
    readSplashLanguage(state, settingsFileForReading(state.appFolder, state.settingsFolder), splashLanguageFile);
    if (splashLanguageFile.empty()) return false;
    return readSplashCaptions(captions, state.languageFolder() + splashLanguageFile);
}

std::vector<std::string> languageFileLines(const WindowState& state, const CaptionTable& captions) {
    std::vector<std::string> lines(kLanguageFileLines);
    const auto set = [&lines](int line, const std::string& label, const std::string& value) {
        lines[static_cast<size_t>(line - 1)] = label + "=" + value;
    };
    for (size_t i = 0; i < captions.Lb_Logo.size(); ++i) {
        set(static_cast<int>(i) + 1, "Lb_Logo(" + std::to_string(i) + ")", captions.Lb_Logo[i]);
    }
    std::string frame = state.frameCaption;
    if (frame.size() >= state.versionText.size() &&
        frame.compare(frame.size() - state.versionText.size(), std::string::npos, state.versionText) == 0) {
        frame.resize(frame.size() - state.versionText.size());
    }
    set(kFrameCaptionLine, "MDIMMX4210", frame);
    for (int line : {26, 28, 29, 30, 31}) set(line, "Reserved", "");
    CaptionTable copy = captions;
    for (const auto& caption : kCaptionLines) set(caption.line, caption.label, caption.field(copy));
    for (int k = 0; k < UiTextTable::kStatusCount; ++k) {
        set(kFirstStatusLine + k, "StatusText(" + std::to_string(k) + ")", state.texts.status(k));
    }
    for (int k = 0; k < UiTextTable::kReplaceableMessageBoxCount; ++k) {
        set(kFirstMessageBoxLine + k, "MsgBoxText(" + std::to_string(k) + ")", state.texts.messageBox(k));
    }
    set(kCloseTextLine, "CloseText", state.closeText);
    return lines;
}

}  // namespace mmx
