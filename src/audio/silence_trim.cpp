#include "audio/silence_trim.h"

#include <algorithm>
#include <cmath>

namespace mmx::audio {

void trimSilence(MonoSignal& signal, double thresholdDb) {
    auto& s = signal.samples;
    const auto threshold = static_cast<float>(std::pow(10.0, thresholdDb / 20.0));
    const auto loud = [threshold](float x) { return std::fabs(x) >= threshold; };
    const auto first = std::find_if(s.begin(), s.end(), loud);
    if (first == s.end()) {
        s.clear();
        return;
    }
    const auto last = std::find_if(s.rbegin(), s.rend(), loud).base();  // one past the last loud sample
    const auto margin = static_cast<std::ptrdiff_t>(kTrimMarginSeconds * signal.rate);
    const auto begin = s.begin() + std::max<std::ptrdiff_t>(0, (first - s.begin()) - margin);
    const auto end = s.begin() + std::min<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(s.size()), (last - s.begin()) + margin);
    s = std::vector<float>(begin, end);
}

}  // namespace mmx::audio
