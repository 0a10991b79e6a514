#include "audio/rate_plan.h"

#include <algorithm>
#include <cmath>

#include "audio/resample.h"
#include "audio/unit_wave.h"

namespace mmx::audio {

int64_t storedBytesAt(const std::vector<SourceLength>& sources, uint32_t outRate) {
    int64_t total = 0;
    for (const auto& source : sources) {
        total += unit::storedLength(unitWaveFileLength(resampledFrames(source.frames, source.rate, outRate)));
    }
    return total;
}

bool fitsUnit(int64_t storedBytes) { return storedBytes <= unit::kCapacityBytes; }

RatePlan planRate(const std::vector<SourceLength>& sources, int64_t reservedBytes, uint32_t ceiling) {
    ceiling = std::clamp(ceiling, kUnitMinRate, kUnitMaxRate);
    const auto fits = [&](uint32_t rate) { return fitsUnit(reservedBytes + storedBytesAt(sources, rate)); };
    RatePlan plan;
    if (!fits(kUnitMinRate)) {
        const int64_t excess = reservedBytes + storedBytesAt(sources, kUnitMinRate) - unit::kCapacityBytes;
        // One block more per message for the rounding of each that gets shorter, and rounded up
        // to a tenth of a second, so that cutting that much, spread in any way, is enough.
        const auto rounding = static_cast<int64_t>(unit::kBlockBytes * sources.size());
        const double seconds = static_cast<double>(excess + rounding) / (2.0 * kUnitMinRate);
        plan.secondsTooLong = std::ceil(seconds * 10.0) / 10.0;
        return plan;
    }
    if (fits(ceiling)) {
        plan.rate = ceiling;
        return plan;
    }
    // The stored size grows with the rate, so the answer is the boundary a binary search finds.
    uint32_t low = kUnitMinRate;  // fits
    uint32_t high = ceiling;      // does not fit
    while (high - low > 1) {
        const uint32_t mid = low + (high - low) / 2;
        (fits(mid) ? low : high) = mid;
    }
    plan.rate = low;
    return plan;
}

uint32_t rateCeiling(const std::vector<SourceLength>& sources) {
    uint32_t highest = 0;
    for (const auto& source : sources) highest = std::max(highest, source.rate);
    return std::clamp(highest, kUnitMinRate, kUnitMaxRate);
}

}  // namespace mmx::audio
