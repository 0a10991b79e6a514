// The one rate for a set of messages: the highest whole rate at which all fit the unit's memory.
#include <gtest/gtest.h>

#include "audio/convert.h"
#include "audio/rate_plan.h"
#include "audio/resample.h"
#include "audio/unit_wave.h"
#include "core/unit_facts.h"

namespace mmx::test {
namespace {

using audio::SourceLength;

struct PlanCase {
    const char* name;
    std::vector<SourceLength> sources;
    int64_t reservedBytes;
};

class AutoRate : public ::testing::TestWithParam<PlanCase> {};

TEST_P(AutoRate, FitsAtTheRateButNotOneHertzMore) {
    const PlanCase& c = GetParam();
    const audio::RatePlan plan = audio::planRate(c.sources, c.reservedBytes);
    ASSERT_TRUE(plan.rate);
    EXPECT_GT(*plan.rate, audio::kUnitMinRate);
    EXPECT_LT(*plan.rate, audio::kUnitMaxRate);
    EXPECT_LE(c.reservedBytes + audio::storedBytesAt(c.sources, *plan.rate), unit::kCapacityBytes);
    EXPECT_GT(c.reservedBytes + audio::storedBytesAt(c.sources, *plan.rate + 1), unit::kCapacityBytes);
}

INSTANTIATE_TEST_SUITE_P(
    Sets, AutoRate,
    ::testing::Values(PlanCase{"twelve_minute_long", std::vector<SourceLength>(12, {44100 * 25, 44100}), 0},
                      PlanCase{"mixed_rates", {{48000 * 200, 48000}, {22050 * 7, 22050}, {44100 * 3, 44100}}, 0},
                      PlanCase{"beside_other_messages", {{44100 * 120, 44100}}, 5'000'000}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(AutoRate, SetThatFillsTheMemoryToTheByteIsTaken) {
    const std::vector<SourceLength> sources{{44100 * 120, 44100}};
    const int64_t reserved = unit::kCapacityBytes - audio::storedBytesAt(sources, 16000);
    const audio::RatePlan plan = audio::planRate(sources, reserved);
    ASSERT_TRUE(plan.rate);
    EXPECT_GE(*plan.rate, 16000u);
    EXPECT_EQ(reserved + audio::storedBytesAt(sources, *plan.rate), unit::kCapacityBytes);
}

TEST(AutoRate, SizeOfTheConvertedFileIsTheOnePlanned) {
    // The plan counts on the converter giving exactly resampledFrames frames.
    audio::MonoSignal signal{std::vector<float>(12345, 0.25f), 44100};
    for (const uint32_t rate : {8000u, 11111u, 24000u}) {
        const audio::ConvertedMessage message = audio::convertSignal(signal, rate, std::nullopt);
        EXPECT_EQ(message.waveBytes.size(), audio::unitWaveFileLength(audio::resampledFrames(12345, 44100, rate)));
    }
}

TEST(AutoRate, NeverAboveTheHighestSourceRate) {
    const audio::RatePlan plan = audio::planRate({{11025 * 3, 11025}}, 0, audio::rateCeiling({{11025 * 3, 11025}}));
    EXPECT_EQ(plan.rate, 11025u);
}

TEST(AutoRate, TooLongEvenAt8000SaysHowMuchToCut) {
    std::vector<SourceLength> sources(12, {44100 * 60, 44100});
    const audio::RatePlan plan = audio::planRate(sources);
    ASSERT_FALSE(plan.rate);
    // Cutting that many seconds, spread over the messages, makes the set fit; a second less does not.
    const auto cut = [&](double seconds) {
        auto shorter = sources;
        for (auto& source : shorter) source.frames -= static_cast<uint64_t>(seconds / 12 * 44100);
        return audio::planRate(shorter).rate.has_value();
    };
    EXPECT_TRUE(cut(plan.secondsTooLong));
    EXPECT_FALSE(cut(plan.secondsTooLong - 1));
}

}  // namespace
}  // namespace mmx::test
