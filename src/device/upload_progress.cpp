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
    return std::to_string(progress.percent) + remainingText + " " + hoursMinutesSeconds(progress.remainingSeconds);
}

bool advanceProgress(UploadProgress& progress) {
    progress.ticks += 1;
    if (progress.totalBytes <= 0) return false;
    if (progress.sentBytes > progress.totalBytes) progress.sentBytes = progress.totalBytes;
    const int64_t uploaded = progress.sentBytes < 0 ? 0 : progress.sentBytes;
    progress.percent = percentOf(uploaded, progress.totalBytes);
    const int64_t rate = progress.ticks > 0 ? uploaded / progress.ticks : 0;
    if (rate > 0) {
        int64_t remaining = progress.totalBytes / rate - progress.ticks;
        progress.remainingSeconds = static_cast<int32_t>(remaining < 0 ? 0 : remaining);
    }
    return true;
}

}  // namespace mmx
