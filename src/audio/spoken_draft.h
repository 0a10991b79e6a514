#pragma once
// Spoken drafts: before the real recordings exist, a typed text is spoken by a speech
// synthesiser and goes through the same conversion as any imported file, so that the slot
// holds a unit-ready WAVE at the level of the other messages.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "audio/convert.h"

namespace mmx::audio {

enum class SpeechLanguage { English, Dutch, Mandarin };

// "en", "nl", "zh"; nothing for any other code.
std::optional<SpeechLanguage> speechLanguageFromCode(std::string_view code);

enum class SpeechProblem {
    None,
    SynthesiserMissing,  // the speech program is not installed (installHint says how to get it)
    SynthesiserFailed,   // it ran but made no sound (detail: its own words)
    NoText,              // nothing to speak
    Unusable,            // its sound could not be converted (detail)
};

struct SpeechOutcome {
    SpeechProblem problem = SpeechProblem::None;
    std::string detail;       // English words for a terminal or a log
    std::string installHint;  // for SynthesiserMissing: "sudo apt install espeak-ng"

    bool ok() const { return problem == SpeechProblem::None; }
};

// What speaks: implemented by the platform (a separate program), replaced in tests.
class SpeechSynthesiser {
public:
    virtual ~SpeechSynthesiser() = default;
    // Whether speaking can work at all; when not, the outcome says why and how to mend it.
    virtual SpeechOutcome available() const = 0;
    // Speaks text (UTF-8) into a new sound file at wavePath.
    virtual SpeechOutcome speakToFile(const std::string& text, SpeechLanguage language,
                                      const std::string& wavePath) const = 0;
};

struct DraftOptions {
    double loudnessLufs = -16;       // as imports are matched by default
    std::optional<uint32_t> rate;    // none: the highest rate at which the draft fits
    bool trim = true;                // the synthesiser's lead-in and trailing silence take memory
    int64_t reservedBytes = 0;       // unit memory the other messages already take
};

struct SpokenDraft {
    SpeechOutcome outcome;
    ConvertedMessage message;  // the unit-ready WAVE when outcome.ok()
};

// Speaks text into a scratch folder of its own (removed afterwards) and converts the sound.
SpokenDraft makeSpokenDraft(const SpeechSynthesiser& synthesiser, const std::string& text, SpeechLanguage language,
                            const DraftOptions& options = {});

// "draft-<slot>-<words>.wav": the first few words of text, made safe for a file name in any
// script (letters and digits kept, everything else a separator); "draft-<slot>.wav" when the
// text has no letters or digits.
std::string draftFileName(int slot, std::string_view text);
// Whether the file at path carries a spoken draft's name ("draft-....wav").
bool isSpokenDraftName(std::string_view path);

}  // namespace mmx::audio
