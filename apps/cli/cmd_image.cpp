// mmx4210-cli image SETUP.cfg -o FILE [--tables]: the unit's whole memory after an upload of the
// set-up, as the unit program's dump writes image.bin, and both tables decoded. Nothing is sent.
#include <CLI/CLI.hpp>

#include <iostream>
#include <string_view>

#include "cli_command.h"
#include "cli_texts.h"
#include "storage/atomic_file.h"
#include "setup_reading.h"

namespace mmx::cli {
namespace {

struct ImageArgs {
    std::string setupPath;
    std::string outputPath;
    bool tables = false;
};

int runImage(const ImageArgs& args) {
    const std::string& setupPath = args.setupPath;
    const std::string& outputPath = args.outputPath;
    const bool tables = args.tables;
    if (outputPath.empty() && !tables) {
        std::cerr << "mmx4210-cli image: name -o FILE or --tables (or both)\n";
        return kUsage;
    }
    const std::optional<image::UnitImage> loaded = readSetupImage("image", setupPath, ImageUse::Look);
    if (!loaded) return kFailure;
    const image::UnitImage& unitImage = *loaded;
    if (!outputPath.empty()) {
        if (const FileOutcome written = replaceFile(outputPath, unitImage.memoryPieces()); !written) {
            std::cerr << "mmx4210-cli image: cannot write " << outputPath << ": " << written.problem << "\n";
            return kFailure;
        }
        std::cerr << outputPath << ": " << size_t{image::kUnitWords} * 2 << " bytes, " << unitImage.messages().size() << " messages in "
                  << unitImage.storedBytes() << " bytes\n";
    }
    if (tables) {
        std::cout << messageTableReport(image::decodeMessageTable(unitImage.messageTable())) << "\nTrigger table\n"
                  << image::triggerTableText(image::decodeTriggerTable(unitImage.triggerTable()));
        std::cout.flush();
        if (!std::cout) return kFailure;
    }
    return kSuccess;
}

const CommandRegistration registration({
    "image",
    "write the unit's whole memory after an upload of a set-up (8388608 bytes, as mmx4210-unit --dump\n"
    "writes image.bin); --tables prints both tables",
    [](CLI::App& app) -> CommandRun {
        auto args = std::make_shared<ImageArgs>();
        app.add_option("SETUP.cfg", args->setupPath, "the set-up file")->required();
        app.add_option("-o,--output", args->outputPath, "where the memory image goes")->type_name("FILE");
        app.add_flag("--tables", args->tables, "print the message table and the trigger table decoded");
        return [args] { return runImage(*args); };
    },
});

}  // namespace
}  // namespace mmx::cli
