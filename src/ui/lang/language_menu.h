#pragma once
// The Language menu: the four built-in languages and "other", their check marks, the return
// to the previous language when a new one fails, and the language load at each activation.
#include <functional>
#include <string>

#include "ui/app/dialogs.h"
#include "ui/app/window_state.h"
#include "ui/lang/caption_table.h"

namespace mmx {

enum class LanguageItem { None, zh_s, zh_t, en, nl, other };

inline constexpr const char* kLanguageFileFilter = "All Files (*.*)|*.*|Language Files (*.lng)|*.lng";

// File name of a built-in item ("en.lng", ...); "" for None and other.
std::string builtInLanguageFile(LanguageItem item);

class LanguageCommands {
public:
    LanguageCommands(WindowState& state, CaptionTable& captions, FileDialog& dialog, MessageBoxes& boxes);

    // Runs after every language file was applied: the window refreshes its captions, shows
    // state.frameWindowCaption, sets the first status panel to statusPanel1() and
    // rewrites the single-instance marker file.
    void setLanguageApplied(std::function<void()> callback) { languageApplied_ = std::move(callback); }

    // The item carrying the check mark (None before the first successful load).
    LanguageItem checked() const { return checked_; }

    // loadLanguageFile on path, then the languageApplied callback on success.
    bool loadLanguageFile(const std::string& path);
    // Check mark on the item of a language file name: "other" when the file came from the
    // "other" folder or its stem (text before the first ".", the whole name without one) is
    // not exactly "zh-s", "zh-t", "en" or "nl".
    void checkLanguageOf(const std::string& name);
    void clearLanguageChecks() { checked_ = LanguageItem::None; }

    // Load a built-in language; on failure return to the previous one. True when the chosen
    // language was loaded.
    bool chooseBuiltIn(LanguageItem item);
    // Pick any language file; false when cancelled or when it failed.
    bool chooseOther();

    // The language load of every activation of the editor window, after the settings file:
    // settingsFileRead false means no settings file existed, so English from the built-in
    // folder is chosen. A missing file loads nothing and shows nothing.
    void loadStartupLanguage(bool settingsFileRead);

    // What the first status-bar panel shows right after a language change.
    std::string statusPanel1() const;

private:
    void returnToPrevious(const std::string& previousFile, bool previousType);

    WindowState& state_;
    CaptionTable& captions_;
    FileDialog& dialog_;
    MessageBoxes& boxes_;
    LanguageItem checked_ = LanguageItem::None;
    std::function<void()> languageApplied_;
};

// The whole activation of the editor window: the settings file (when it exists) and then the
// language. Chooses state.settingsFolder first when it is empty. Returns whether a settings
// file was read.
bool activateEditor(WindowState& state, LanguageCommands& languages, MessageBoxes& boxes);

}  // namespace mmx
