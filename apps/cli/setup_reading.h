#pragma once
// The set-up file a command names, read and checked the one way every command reads it. On a
// refusal the reason is on stderr, named for the command, the result is empty and the command
// ends with kFailure.
#include <optional>
#include <string>

#include "core/setup.h"
#include "image/unit_image.h"

namespace mmx::cli {

std::optional<Setup> readNamedSetup(const std::string& command, const std::string& path);

// What a failed image means for the unit(s) the command was about to write.
enum class ImageUse { Look, UploadOne, UploadMany };

// The set-up and its image, every message file read whole and checked.
std::optional<image::UnitImage> readSetupImage(const std::string& command, const std::string& path, ImageUse use);

}  // namespace mmx::cli
