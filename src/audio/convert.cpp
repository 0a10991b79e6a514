#include "audio/convert.h"

#include <mutex>

#include "audio/parallel.h"
#include "audio/rate_plan.h"
#include "audio/resample.h"
#include "audio/silence_trim.h"
#include "audio/unit_wave.h"
#include "core/unit_facts.h"

namespace mmx::audio {

ConvertedMessage convertSignal(const MonoSignal& source, uint32_t rate, std::optional<double> loudnessLufs) {
    ConvertedMessage message;
    message.rate = rate;
    std::vector<float> samples = resample(source, rate);
    if (loudnessLufs) message.loudness = normaliseLoudness(samples, rate, *loudnessLufs);
    message.frames = samples.size();
    // A fixed seed: converting the same file twice gives the same bytes.
    message.waveBytes = unitWaveBytes(ditherTo16Bit(samples, 0x4D4D58u), rate);
    return message;
}

BatchResult convertFiles(const std::vector<std::string>& inputs, const ConvertOptions& options,
                         const ProgressFunction& progress) {
    BatchResult result;
    const size_t count = inputs.size();
    result.files.resize(count);
    std::vector<MonoSignal> sources(count);
    std::mutex progressLock;
    size_t done = 0;
    const auto step = [&] {
        if (!progress) return;
        std::lock_guard lock(progressLock);
        progress(++done, 2 * count);
    };
    const auto read = [&](size_t i) {
        ConvertedFile& file = result.files[i];
        file.input = inputs[i];
        Decoded decoded = decodeFile(inputs[i]);
        if (decoded.ok && options.trim) {
            trimSilence(decoded.signal);
            if (decoded.signal.samples.empty()) {
                decoded.ok = false;
                decoded.error = "silent throughout";
            }
        }
        file.ok = decoded.ok;
        file.error = decoded.error;
        file.sourceSeconds = decoded.signal.seconds();
        if (decoded.ok) sources[i] = std::move(decoded.signal);
        step();
    };
    const auto convert = [&](size_t i) {
        if (result.files[i].ok) {
            result.files[i].message = convertSignal(sources[i], *result.rate, options.loudnessLufs);
            sources[i] = {};  // give the source's memory back before the next file
        }
        step();
    };
    const auto countStored = [&] {
        for (const auto& file : result.files) {
            if (file.ok) result.storedBytes += unit::storedLength(file.message.waveBytes.size());
        }
        result.fits = fitsUnit(options.reservedBytes + result.storedBytes);
    };

    if (options.rate) {
        // The rate is known: each file goes all the way at once, holding one source per worker.
        result.rate = options.rate;
        forEachIndexInParallel(count, options.threads, [&](size_t i) {
            read(i);
            convert(i);
        });
        countStored();
        return result;
    }

    // The rate depends on every file's length: read them all first.
    forEachIndexInParallel(count, options.threads, read);
    std::vector<SourceLength> lengths;
    for (const MonoSignal& source : sources) {
        if (!source.samples.empty()) lengths.push_back({source.samples.size(), source.rate});  // empty: not read
    }
    const RatePlan plan = planRate(lengths, options.reservedBytes, rateCeiling(lengths));
    result.rate = plan.rate;
    result.secondsTooLong = plan.secondsTooLong;
    if (!result.rate) {
        result.fits = false;
        return result;
    }
    forEachIndexInParallel(count, options.threads, convert);
    countStored();
    return result;
}

}  // namespace mmx::audio
