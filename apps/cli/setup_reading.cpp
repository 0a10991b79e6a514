#include "setup_reading.h"

#include <iostream>

#include "app/setup_files.h"
#include "cli_texts.h"

namespace mmx::cli {

std::optional<Setup> readNamedSetup(const std::string& command, const std::string& path) {
    app::OpenedSetup opened = app::openSetup(path);
    if (!opened.setup) std::cerr << setupRefusedText(command, path, opened.outcome) << "\n";
    return std::move(opened.setup);
}

std::optional<image::UnitImage> readSetupImage(const std::string& command, const std::string& path, ImageUse use) {
    const std::optional<Setup> setup = readNamedSetup(command, path);
    if (!setup) return std::nullopt;
    LoadedImage loaded = app::buildUnitImage(*setup);
    if (loaded.image) return std::move(loaded.image);
    // An upload that stops here has sent nothing: say so, as its status line says it failed.
    if (use != ImageUse::Look) std::cerr << statusLine(LinkStatus::UploadFailed) << "\n";
    std::cerr << "mmx4210-cli " << command << ": " << fileProblemText(*loaded.problem) << "\n";
    if (use == ImageUse::UploadOne) std::cerr << "mmx4210-cli " << command << ": nothing was sent; the unit is as it was\n";
    if (use == ImageUse::UploadMany) std::cerr << "mmx4210-cli " << command << ": nothing was sent; the units are as they were\n";
    return std::nullopt;
}

}  // namespace mmx::cli
