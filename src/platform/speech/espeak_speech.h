#pragma once
// Speech by the espeak-ng program, run as a separate process for each draft (its library is
// not linked: only the sound it writes is used).
#include <string>

#include "audio/spoken_draft.h"

namespace mmx::platform {

inline constexpr const char* kSpeechProgram = "espeak-ng";
inline constexpr const char* kSpeechInstallHint = "sudo apt install espeak-ng";

// The voice for each language. Mandarin uses the voice that reads Chinese characters as
// pinyin with Mandarin tones; the plain "cmn" voice of the Debian build speaks the pinyin as
// English words with tone numbers.
const char* speechVoice(audio::SpeechLanguage language);

class EspeakSpeech : public audio::SpeechSynthesiser {
public:
    // Looks for the program on the PATH of this process.
    EspeakSpeech();
    // Looks for it on searchPath (":"-separated folders) instead.
    explicit EspeakSpeech(std::string searchPath);

    audio::SpeechOutcome available() const override;
    audio::SpeechOutcome speakToFile(const std::string& text, audio::SpeechLanguage language,
                                     const std::string& wavePath) const override;

private:
    std::string program_;  // full path; empty when not installed
};

}  // namespace mmx::platform
