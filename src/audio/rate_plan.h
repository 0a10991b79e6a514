#pragma once
// Choosing one sample rate for a set of messages so that all of them fit the unit's memory.
#include <cstdint>
#include <optional>
#include <vector>

#include "core/unit_facts.h"

namespace mmx::audio {

inline constexpr uint32_t kUnitMinRate = unit::kMinSampleRate;
inline constexpr uint32_t kUnitMaxRate = unit::kMaxSampleRate;

struct SourceLength {
    uint64_t frames = 0;
    uint32_t rate = 0;
};

// Whether messages taking storedBytes of unit memory (whole blocks) fit into it together.
bool fitsUnit(int64_t storedBytes);

// Unit memory the messages take at outRate, every one as a whole number of upload blocks.
int64_t storedBytesAt(const std::vector<SourceLength>& sources, uint32_t outRate);

struct RatePlan {
    std::optional<uint32_t> rate;  // none: they do not fit even at 8000 Hz
    double secondsTooLong = 0;     // at 8000 Hz, when there is no rate
};

// The highest whole rate from 8000 Hz up to ceiling (at most 24000 Hz) at which the sources,
// together with reservedBytes already taken by other messages, fit into the unit's memory.
// Going above the highest source rate adds no sound, so callers pass that as the ceiling.
RatePlan planRate(const std::vector<SourceLength>& sources, int64_t reservedBytes = 0, uint32_t ceiling = kUnitMaxRate);

// The ceiling for a set: the highest source rate, kept within the unit's range.
uint32_t rateCeiling(const std::vector<SourceLength>& sources);

}  // namespace mmx::audio
