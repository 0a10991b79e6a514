#include "device/upload_progress.h"

#include <cstdio>

namespace mmx {

namespace {

std::string twoDigits(int64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "%02lld", static_cast<long long>(value));
    return text;
}

std::string hoursMinutesSeconds(int64_t seconds) {
    if (seconds < 0) seconds = 0;
    return twoDigits(seconds / 3600) + ":" + twoDigits(seconds / 60 % 60) + ":" + twoDigits(seconds % 60);
}

// part / whole x 100, rounded to the nearest integer with halves to the even neighbour,
// computed exactly (whole > 0, 0 <= part <= whole).
int16_t percentOf(int64_t part, int64_t whole) {
    int64_t scaled = part * 100;
    int64_t quotient = scaled / whole;
    int64_t twiceRemainder = 2 * (scaled % whole);
    if (twiceRemainder > whole || (twiceRemainder == whole && quotient % 2 == 1)) ++quotient;
    return static_cast<int16_t>(quotient);
}

}  // namespace

std::string connectionClockText(int64_t elapsedMs) {
    return hoursMinutesSeconds(elapsedMs / 1000) + " ";
}

std::string progressCaption(const UploadProgress& progress, const std::string& remainingText) {
    return std::to_string(progress.ProgressPercent) + remainingText + " " + hoursMinutesSeconds(progress.RemainingSeconds);
}

bool advanceProgress(UploadProgress& progress) {
    progress.ProgressTicks += 1;
    if (progress.TFileLength <= 0) return false;
    if (progress.UploadedBytes > progress.TFileLength) progress.UploadedBytes = progress.TFileLength;
    const int64_t uploaded = progress.UploadedBytes < 0 ? 0 : progress.UploadedBytes;
    progress.ProgressPercent = percentOf(uploaded, progress.TFileLength);
    const int64_t rate = progress.ProgressTicks > 0 ? uploaded / progress.ProgressTicks : 0;
    if (rate > 0) {
        int64_t remaining = progress.TFileLength / rate - progress.ProgressTicks;
        progress.RemainingSeconds = static_cast<int32_t>(remaining < 0 ? 0 : remaining);
    }
    return true;
}

}  // namespace mmx
