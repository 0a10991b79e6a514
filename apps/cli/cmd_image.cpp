// mmx4210-cli image SETUP.cfg -o FILE [--tables]: the unit's whole memory after an upload of the
// set-up, as the unit program's dump writes image.bin, and both tables decoded. Nothing is sent.
#include <iostream>
#include <string_view>

#include "cli_command.h"
#include "setup_session.h"
#include "storage/atomic_file.h"
#include "storage/message_files.h"

namespace mmx::cli {
namespace {

// "slot 2 (Alarm) /data/alarm.wav: <the system's text> (<why>)", or the capacity text.
void printProblem(const MessageFileProblem& problem, const UiTextTable& texts) {
    std::cerr << "mmx4210-cli image: ";
    if (problem.slot > 0) std::cerr << "slot " << problem.slot << " (" << problem.name << ") " << problem.path << ": ";
    // A file that is gone or unreadable gets the text the upload shows for it.
    const int text = problem.messageBoxIndex.value_or(UiTextTable::MessagePathIncorrect);
    std::cerr << texts.messageBox(text) << " (" << problem.detail << ")\n";
}

int runImage(const std::vector<std::string>& args) {
    std::string setupPath;
    std::string outputPath;
    bool tables = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if ((args[i] == "-o" || args[i] == "--output") && i + 1 < args.size()) {
            outputPath = args[++i];
        } else if (args[i] == "--tables") {
            tables = true;
        } else if (setupPath.empty() && !args[i].starts_with("-")) {
            setupPath = args[i];
        } else {
            std::cerr << "mmx4210-cli image: unexpected argument '" << args[i] << "'\n";
            return kUsage;
        }
    }
    if (setupPath.empty() || (outputPath.empty() && !tables)) {
        std::cerr << "mmx4210-cli image: name one set-up file and -o FILE or --tables\n";
        return kUsage;
    }
    SetupSession session;
    if (!session.open(setupPath, "image")) return kFailure;
    const LoadedImage loaded = loadUnitImage(session.state);
    if (!loaded.image) {
        printProblem(*loaded.problem, session.state.texts);
        return kFailure;
    }
    const image::UnitImage& unitImage = *loaded.image;
    if (!outputPath.empty()) {
        if (const FileOutcome written = replaceFile(outputPath, unitImage.memoryPieces()); !written) {
            std::cerr << "mmx4210-cli image: cannot write " << outputPath << ": " << written.problem << "\n";
            return kFailure;
        }
        std::cerr << outputPath << ": " << size_t{image::kUnitWords} * 2 << " bytes, " << unitImage.messages().size() << " messages in "
                  << unitImage.storedBytes() << " bytes\n";
    }
    if (tables) {
        std::cout << "Message table\n"
                  << image::messageTableText(image::decodeMessageTable(unitImage.messageTable())) << "\nTrigger table\n"
                  << image::triggerTableText(image::decodeTriggerTable(unitImage.triggerTable()));
        std::cout.flush();
        if (!std::cout) return kFailure;
    }
    return kSuccess;
}

const CommandRegistration registration({
    "image",
    "image SETUP.cfg -o FILE [--tables]",
    "write the unit's whole memory after an upload of a set-up (8388608 bytes, as mmx4210-unit --dump "
    "writes image.bin); --tables prints both tables",
    runImage,
});

}  // namespace
}  // namespace mmx::cli
