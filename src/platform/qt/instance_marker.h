#pragma once
// The marker file "~MMX4210Temp": one line holding the running copy's frame caption, so that a
// second start can tell which window to bring forward.
#include <optional>
#include <string>

namespace mmx {

// The caption the marker holds; nothing when the file is missing or unreadable.
std::optional<std::string> ReadInstanceMarker(const std::string& markerFile);
// Writes the caption as the file's one line (CR LF). False on any file error.
bool WriteInstanceMarker(const std::string& markerFile, const std::string& caption);
// Removes the marker; a missing marker is not an error.
void RemoveInstanceMarker(const std::string& markerFile);

}  // namespace mmx
