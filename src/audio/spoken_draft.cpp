#include "audio/spoken_draft.h"

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace mmx::audio {
namespace {

namespace fs = std::filesystem;

// A folder of its own below the system's temporary folder, removed with everything in it.
class ScratchFolder {
public:
    ScratchFolder() {
        std::error_code error;
        std::string pattern = (fs::temp_directory_path(error) / "mmx4210-draft-XXXXXX").string();
        if (!error && ::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
        else failure_ = error ? error.message() : std::strerror(errno);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        if (!path_.empty()) fs::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const fs::path& path() const { return path_; }
    const std::string& failure() const { return failure_; }

private:
    fs::path path_;
    std::string failure_;
};

SpeechOutcome problem(SpeechProblem kind, std::string detail) {
    SpeechOutcome outcome;
    outcome.problem = kind;
    outcome.detail = std::move(detail);
    return outcome;
}

bool hasWords(const std::string& text) {
    return text.find_first_not_of(" \t\r\n\v\f") != std::string::npos;
}

}  // namespace

std::optional<SpeechLanguage> speechLanguageFromCode(std::string_view code) {
    if (code == "en") return SpeechLanguage::English;
    if (code == "nl") return SpeechLanguage::Dutch;
    if (code == "zh") return SpeechLanguage::Mandarin;
    return std::nullopt;
}

SpokenDraft makeSpokenDraft(const SpeechSynthesiser& synthesiser, const std::string& text, SpeechLanguage language,
                            const DraftOptions& options) {
    SpokenDraft draft;
    if (!hasWords(text)) {
        draft.outcome = problem(SpeechProblem::NoText, "there is no text to speak");
        return draft;
    }
    if (draft.outcome = synthesiser.available(); !draft.outcome.ok()) return draft;
    const ScratchFolder scratch;
    if (scratch.path().empty()) {
        draft.outcome = problem(SpeechProblem::Unusable, "no temporary folder: " + scratch.failure());
        return draft;
    }
    const std::string spoken = (scratch.path() / "spoken.wav").string();
    if (draft.outcome = synthesiser.speakToFile(text, language, spoken); !draft.outcome.ok()) return draft;

    ConvertOptions convert;
    convert.rate = options.rate;
    convert.loudnessLufs = options.loudnessLufs;
    convert.trim = options.trim;
    convert.reservedBytes = options.reservedBytes;
    convert.threads = 1;
    BatchResult result = convertFiles({spoken}, convert);
    const ConvertedFile& file = result.files.front();
    if (!file.ok) {
        draft.outcome = problem(SpeechProblem::Unusable, "the spoken sound cannot be used: " + file.error);
    } else if (!result.rate) {
        draft.outcome = problem(SpeechProblem::Unusable, "the spoken text does not fit into the unit's memory");
    } else {
        draft.message = std::move(result.files.front().message);
    }
    return draft;
}

}  // namespace mmx::audio
