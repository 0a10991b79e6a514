#pragma once
// Language files: 83 "label=text" lines read by position. Lines 1 to 10 are the splash
// window's, lines 11 to 83 the frame caption, menus, editor captions, the UI-text table and
// the close text. Nothing is applied unless the whole file was read.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "ui/app/dialogs.h"
#include "ui/app/window_state.h"
#include "ui/lang/caption_table.h"

namespace mmx {

// The 83 texts of a language file: line n's text is texts[n - 1], the part after the first
// "=" (the whole line without one), blanks trimmed.
using LanguageTexts = std::array<std::string, kLanguageFileLines>;

// Texts of already decoded lines; nothing when there are fewer than 83 (later lines are ignored).
std::optional<LanguageTexts> languageTextsFromLines(const std::vector<std::string>& lines);

// Reads and decodes a language file (UTF-8 when valid, else the code page its name implies).
std::optional<LanguageTexts> readLanguageFile(const std::string& path);

// Applies lines 11 to 83: FrameCaption (line 11 + VersionText, also shown by the frame window),
// menu and editor captions, status texts 0..15, message-box texts 0..11, CloseText.
void applyLanguageTexts(WindowState& state, CaptionTable& captions, const LanguageTexts& texts);

// Reads the file at path and applies it; on failure beeps and shows "Language file cannot be
// found!" titled "MMX4210", changes nothing and returns false.
bool loadLanguageFile(WindowState& state, CaptionTable& captions, const std::string& path, MessageBoxes& boxes);

// Splash window: lines 1 to 10 into Lb_Logo(0..9). Silent; false and nothing changed on failure.
bool readSplashCaptions(CaptionTable& captions, const std::string& path);

// Each activation of the splash window: the language settings (readSplashLanguage, when a settings
// file exists) and then lines 1 to 10 of the splash's language file from the language folder.
// Chooses state.settingsFolder first when it is empty. Silent; false when the labels kept their
// texts.
bool loadSplashTexts(WindowState& state, CaptionTable& captions);

// The 83 lines of a language file that holds the given captions and texts (en.lng is this
// for the built-in English captions); labels name what each line replaces.
std::vector<std::string> languageFileLines(const WindowState& state, const CaptionTable& captions);

}  // namespace mmx
