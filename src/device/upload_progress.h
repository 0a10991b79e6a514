#pragma once
// The one-second tick's arithmetic: the connection clock text and the upload's percentage and
// remaining-time caption. Pure functions, so the connection and the upload share them.
#include <cstdint>
#include <string>

namespace mmx {

struct UploadProgress {
    int32_t totalBytes = 0;        // upload total in bytes
    int32_t sentBytes = 0;         // bytes acknowledged so far
    int32_t ticks = 0;             // seconds counted while the progress bar shows
    int16_t percent = 0;           // last percentage shown
    int32_t remainingSeconds = 0;  // last estimate of seconds left
};

// "hh:nn:ss " for an elapsed time (hours keep counting past 99; negative counts as 0).
std::string connectionClockText(int64_t elapsedMs);

// One tick while the progress bar shows: counts the tick and updates percentage and remaining
// seconds. False when totalBytes is 0: the figures (and the caption) stay as they were.
bool advanceProgress(UploadProgress& progress);

// The caption for the figures, "45%    Remaining Time:  00:01:23" with remainingText the
// translated "%    Remaining Time: ".
std::string progressCaption(const UploadProgress& progress, const std::string& remainingText);

}  // namespace mmx
