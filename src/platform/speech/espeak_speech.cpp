#include "platform/speech/espeak_speech.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/speech/program_runner.h"

namespace mmx::platform {
namespace {

audio::SpeechOutcome failure(audio::SpeechProblem kind, std::string detail) {
    audio::SpeechOutcome outcome;
    outcome.problem = kind;
    outcome.detail = std::move(detail);
    return outcome;
}

// The program's own complaint, on one line.
std::string oneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

std::string processPath() {
    const char* path = std::getenv("PATH");
    return path ? path : "";
}

}  // namespace

const char* speechVoice(audio::SpeechLanguage language) {
    switch (language) {
        case audio::SpeechLanguage::Dutch:
            return "nl";
        case audio::SpeechLanguage::Mandarin:
            return "cmn-latn-pinyin";
        case audio::SpeechLanguage::English:
            break;
    }
    return "en";
}

EspeakSpeech::EspeakSpeech() : EspeakSpeech(processPath()) {}

EspeakSpeech::EspeakSpeech(std::string searchPath) : program_(findProgram(kSpeechProgram, searchPath)) {}

audio::SpeechOutcome EspeakSpeech::available() const {
    if (!program_.empty()) return {};
    audio::SpeechOutcome outcome = failure(audio::SpeechProblem::SynthesiserMissing,
                                           std::string(kSpeechProgram) + " is not installed; install it with: " +
                                               kSpeechInstallHint);
    outcome.installHint = kSpeechInstallHint;
    return outcome;
}

audio::SpeechOutcome EspeakSpeech::speakToFile(const std::string& text, audio::SpeechLanguage language,
                                               const std::string& wavePath) const {
    if (audio::SpeechOutcome missing = available(); !missing.ok()) return missing;
    // The text goes in a file, not on the command line: a text starting with "-" is then never
    // taken for an option, and its length is not limited.
    const std::string textPath = wavePath + ".txt";
    {
        std::ofstream textFile(textPath, std::ios::binary | std::ios::trunc);
        textFile << text;
        if (!textFile.flush()) return failure(audio::SpeechProblem::Unusable, "cannot write " + textPath);
    }
    const ProgramExit exit = runProgram(program_, {"-b", "1", "-v", speechVoice(language), "-f", textPath, "-w", wavePath});
    std::error_code ignored;
    std::filesystem::remove(textPath, ignored);
    if (!exit.started) {
        return failure(audio::SpeechProblem::SynthesiserFailed, std::string(kSpeechProgram) + " cannot be started: " + exit.startFailure);
    }
    if (exit.exitCode != 0) {
        return failure(audio::SpeechProblem::SynthesiserFailed,
                       std::string(kSpeechProgram) + " failed (exit code " + std::to_string(exit.exitCode) + ")" +
                           (exit.errorOutput.empty() ? "" : ": " + oneLine(exit.errorOutput)));
    }
    std::error_code error;
    if (std::filesystem::file_size(wavePath, error) <= 44 || error) {
        return failure(audio::SpeechProblem::SynthesiserFailed, std::string(kSpeechProgram) + " wrote no sound");
    }
    return {};
}

}  // namespace mmx::platform
