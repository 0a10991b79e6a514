// upload_soak: many uploads against the in-process unit injecting refusals, corrupt and lost
// bytes and silence, each run with its own seed and a fake clock. A run that reports success
// while the unit's image differs from the one built from the memory map is a false success.
// The unit knows which frames it accepted although the line had changed them, so each false
// success is one of two kinds:
//   wire-format limit: every wrong word lies in a frame the unit accepted damaged, and each such
//     frame's bit flips cancel in its 8-bit frame sum; nothing the tool does can see these. They
//     are counted, split by whether they also cancel in the 16-bit word sums (then no check of
//     the format can see them; otherwise a unit that checks its word sums at "L" refuses).
//   tool fault: anything else. There must be none; the exit status is 1 when there is one.
// upload_soak --help lists its options.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <random>
#include <string>

#include "support/expected_image.h"
#include "support/test_support.h"
#include "upload_rig.h"

namespace mmx::test {
namespace {

struct Tally {
    uint64_t runs = 0;
    uint64_t uploads = 0;
    uint64_t fullSuccesses = 0;
    uint64_t configurationSuccesses = 0;
    uint64_t failures = 0;
    uint64_t falseSuccesses = 0;
    uint64_t wireLimit = 0;          // false successes the frame sum cannot see
    uint64_t wireLimitSealed = 0;    // of those, the word sums also pass
    uint64_t toolFaults = 0;
    uint64_t framesChecked = 0;      // frames that reached the unit's frame check
    uint64_t damagedFrames = 0;      // of those, frames the injection changed
    uint64_t damagedAccepted = 0;    // of those, frames the frame check passed
    uint64_t bytesReceived = 0;
    uint64_t bytesCorrupted = 0;
    uint64_t falseFailures = 0;  // failed although the unit holds the whole intended image
    uint64_t blocks = 0;
    uint64_t resends = 0;
    std::map<std::string, uint64_t> failureKinds;
};

const char* faultName(UploadFault fault) {
    switch (fault) {
        case UploadFault::None: return "none";
        case UploadFault::PortCannotOpen: return "port";
        case UploadFault::OverCapacity: return "over capacity";
        case UploadFault::NoAnswer: return "no answer";
        case UploadFault::Refused: return "refused or damaged";
        case UploadFault::VerifyMismatch: return "verify mismatch";
        case UploadFault::Cancelled: return "cancelled";
    }
    return "?";
}

struct Scenario {
    std::array<std::optional<std::vector<uint8_t>>, 12> files;
    std::array<ExpectedTrigger, 12> triggers{};
    UnitOptions unit;
    bool secondUpload = false;
    bool verify = false;
};

// Whether the damage the unit accepted explains every word that differs from the expected image.
bool explainedByAcceptedDamage(const UnitEmulator& unit, const std::vector<uint16_t>& expected) {
    const auto& damaged = unit.damagedFramesAccepted();
    if (damaged.empty()) return false;
    for (const DamagedFrame& frame : damaged) {
        if (!frame.cancelsInFrameSum) return false;
    }
    const std::vector<uint16_t>& actual = unit.image();
    for (uint32_t w = 0; w < actual.size(); ++w) {
        if (actual[w] == expected[w]) continue;
        const bool inside = std::any_of(damaged.begin(), damaged.end(), [w](const DamagedFrame& frame) {
            // A damaged address leaves its words elsewhere and the intended ones unwritten.
            return !frame.command && ((w >= frame.address && w - frame.address < frame.words) ||
                                      (w >= frame.sentAddress && w - frame.sentAddress < frame.words));
        });
        if (!inside) return false;
    }
    return true;
}

double g_rateScale = 1.0;
bool g_unitChecksImage = false;

Scenario makeScenario(uint32_t seed) {
    std::mt19937 rng(seed);
    auto uniform = [&rng](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    Scenario s;
    const int slots = pick(1, 5);
    // Half the set-ups fill slots from 1 without gaps (the only ones the unit's table can show as
    // unchanged), half leave gaps.
    const bool gapless = pick(0, 1) == 0;
    for (int n = 0; n < slots; ++n) {
        const int slot = gapless ? n : pick(0, 11);
        static const int special[] = {0, 1, 348, 349, 350, 699, 700, 701};
        const int length = pick(0, 3) == 0 ? special[pick(0, 7)] : pick(0, 3000);
        s.files[static_cast<size_t>(slot)] = patternBytes(static_cast<size_t>(length), seed * 31u + static_cast<uint32_t>(n));
    }
    for (auto& trigger : s.triggers) {
        for (auto& m : trigger.sequence) m = pick(0, 3) == 0 ? pick(1, 12) : 0;
        for (auto&& z : trigger.zones) z = pick(0, 2) == 0;
    }
    s.unit.seed = seed;
    // Each run draws its own mix; some runs are clean, so the road to success stays covered.
    if (pick(0, 9) != 0) {
        s.unit.nakRate = uniform(0, 0.08);
        s.unit.corruptReceivedRate = uniform(0, 2e-4) * g_rateScale;
        s.unit.dropReceivedRate = pick(0, 3) == 0 ? uniform(0, 3e-5) * g_rateScale : 0;
        s.unit.corruptSentRate = uniform(0, 3e-3) * g_rateScale;
        s.unit.dropSentRate = pick(0, 3) == 0 ? uniform(0, 1e-3) * g_rateScale : 0;
        if (pick(0, 7) == 0) s.unit.silentAfterFrames = pick(0, 40);
    }
    s.unit.eraseDots = static_cast<uint32_t>(pick(0, 5));
    s.unit.rejectBadImage = g_unitChecksImage;
    s.secondUpload = pick(0, 1) == 0;
    s.verify = pick(0, 1) == 0;
    return s;
}

void runOne(uint32_t seed, Tally& tally, bool verbose) {
    Scenario scenario = makeScenario(seed);
    image::UnitImage image = imageFor(SlotFiles{scenario.files}, scenario.triggers);

    UploadRig rig(scenario.unit);
    const UnitEmulator& unit = rig.unit;
    UploadOptions options;
    options.verify = scenario.verify;

    const int uploads = scenario.secondUpload ? 2 : 1;
    for (int round = 0; round < uploads; ++round) {
        if (round == 1) {
            // The same messages with other triggers: normally only the tables are rewritten.
            for (auto& trigger : scenario.triggers) std::rotate(trigger.zones.begin(), trigger.zones.begin() + 1, trigger.zones.end());
            image = imageFor(SlotFiles{scenario.files}, scenario.triggers);
        }
        const UploadResult result = rig.upload(image, options);
        ++tally.uploads;
        tally.blocks += result.blocksSent;
        tally.resends += result.frameResends;
        const ExpectedUpload expected = expectedUpload(scenario.files, scenario.triggers);
        const std::string difference = firstDifference(unit.image(), expected.image);
        if (result.succeeded()) {
            (result.verdict == UploadVerdict::Succeeded ? tally.fullSuccesses : tally.configurationSuccesses) += 1;
            if (!difference.empty()) {
                ++tally.falseSuccesses;
                const bool sealed = unit.checkImage().ok;
                if (explainedByAcceptedDamage(unit, expected.image)) {
                    ++tally.wireLimit;
                    tally.wireLimitSealed += sealed ? 1 : 0;
                    if (verbose) {
                        std::printf("wire-format limit seed %u round %d: %s (word sums %s)\n", seed, round + 1,
                                    difference.c_str(), sealed ? "pass" : "fail");
                    }
                } else {
                    ++tally.toolFaults;
                    std::printf("FALSE SUCCESS (tool) seed %u round %d: %s\n", seed, round + 1, difference.c_str());
                }
            }
            // What the record of this computer would keep after a full upload.
            options.readTableFirst = result.messagesUploaded;
            if (result.fullUpload) options.recordedUnitTables[result.port] = image.messageTable();
        } else {
            ++tally.failures;
            ++tally.failureKinds[faultName(result.fault)];
            if (difference.empty() && unit.lastCheck() && unit.lastCheck()->ok) ++tally.falseFailures;
            if (verbose) std::printf("seed %u round %d: failed (%s), result code %d\n", seed, round + 1, faultName(result.fault), static_cast<int>(result.answer.code));
            break;  // the unit may hold anything now; the next run starts afresh
        }
        if (rig.connection.isConnected()) {
            std::printf("seed %u: port left open after the upload\n", seed);
            ++tally.toolFaults;
        }
    }
    ++tally.runs;
    const UnitCounters& counters = unit.counters();
    tally.framesChecked += counters.framesChecked;
    tally.damagedFrames += counters.damagedFrames;
    tally.damagedAccepted += unit.damagedFramesAccepted().size();
    tally.bytesReceived += counters.bytesReceived;
    tally.bytesCorrupted += counters.bytesCorrupted;
}

}  // namespace
}  // namespace mmx::test

int main(int argc, char** argv) {
    uint64_t runs = 200;
    uint32_t first = 1;
    bool verbose = false;
    CLI::App app("Uploads against the in-process unit under injected faults", "upload_soak");
    app.add_option("--runs", runs);
    app.add_option("--seed", first, "the first run's seed; each run takes the next");
    app.add_option("--rate-scale", mmx::test::g_rateScale,
                   "multiplies every corruption and loss rate, to look for the limits of the 8-bit frame sum");
    app.add_flag("--unit-checks-image", mmx::test::g_unitChecksImage,
                 "the unit refuses \"L\" when a word checksum of its image is wrong");
    app.add_flag("--verbose", verbose);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        // --help prints and ends well; a wrong option is a usage error, exit 2 as the tools have.
        const int code = app.exit(error);
        return code == 0 ? 0 : 2;
    }
    mmx::test::Tally tally;
    const auto start = std::chrono::steady_clock::now();
    for (uint64_t n = 0; n < runs; ++n) mmx::test::runOne(first + static_cast<uint32_t>(n), tally, verbose);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    const auto ull = [](uint64_t n) { return static_cast<unsigned long long>(n); };
    std::printf("runs %llu (seeds %u..%llu), uploads %llu\n", ull(tally.runs), first, ull(first + runs - 1), ull(tally.uploads));
    std::printf("successes %llu (full %llu, configuration only %llu)\n", ull(tally.fullSuccesses + tally.configurationSuccesses),
                ull(tally.fullSuccesses), ull(tally.configurationSuccesses));
    std::printf("failures %llu:", ull(tally.failures));
    for (const auto& [kind, count] : tally.failureKinds) std::printf(" %s %llu,", kind.c_str(), ull(count));
    std::printf("\nfailures although the unit holds the intended image %llu\n", ull(tally.falseFailures));
    std::printf("blocks acknowledged %llu, frames sent again %llu\n", ull(tally.blocks), ull(tally.resends));
    const double frames = static_cast<double>(std::max<uint64_t>(tally.framesChecked, 1));
    std::printf("frames sent to the unit %llu, %llu of them damaged by injection (%.3g per byte received), "
                "%llu damaged frames accepted: %.3g per frame, %.3g of the damaged frames\n",
                ull(tally.framesChecked), ull(tally.damagedFrames),
                static_cast<double>(tally.bytesCorrupted) / static_cast<double>(std::max<uint64_t>(tally.bytesReceived, 1)),
                ull(tally.damagedAccepted), static_cast<double>(tally.damagedAccepted) / frames,
                static_cast<double>(tally.damagedAccepted) / static_cast<double>(std::max<uint64_t>(tally.damagedFrames, 1)));
    std::printf("false successes %llu: wire-format limit %llu (word sums also pass %llu), tool faults %llu\n",
                ull(tally.falseSuccesses), ull(tally.wireLimit), ull(tally.wireLimitSealed), ull(tally.toolFaults));
    std::printf("host time %.1f s\n", seconds);
    return tally.toolFaults == 0 ? 0 : 1;
}
