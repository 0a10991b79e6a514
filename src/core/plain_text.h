#pragma once
// Small text helpers for texts read from files written by hand and for device names.
#include <string>

namespace mmx {

// Leading and trailing blanks removed (spaces and tabs: language files written by hand may
// carry either).
std::string trimBlanks(const std::string& text);
// A-Z as a-z; other bytes as they are (device names, ids and port names are ASCII).
std::string asciiLower(std::string text);

}  // namespace mmx
