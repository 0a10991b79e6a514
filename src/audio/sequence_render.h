#pragma once
// A trigger's sequence as one WAVE file: its messages one after the other, as the unit plays
// them, so that the whole announcement can be heard or sent to someone without the unit.
#include <cstdint>
#include <string>
#include <vector>

namespace mmx::audio {

enum class RenderProblem {
    None,
    NoMessages,     // the sequence names no message
    NotUnitWave,    // a message fails the unit's WAVE check (path, reason)
    CannotRead,     // a message cannot be read (path, reason)
};

struct RenderedSequence {
    RenderProblem problem = RenderProblem::None;
    std::string path;    // the message that failed
    std::string reason;  // why, in plain English
    uint32_t rate = 0;   // the highest rate among the messages
    uint64_t frames = 0;
    std::string waveBytes;  // the whole file: 16-bit mono at rate

    bool ok() const { return problem == RenderProblem::None; }
    double seconds() const { return rate == 0 ? 0.0 : static_cast<double>(frames) / rate; }
};

// The messages at messagePaths, in order, joined without gaps. Messages at a lower rate are
// converted to the highest rate among them; the others keep their samples exactly.
RenderedSequence renderSequence(const std::vector<std::string>& messagePaths);

}  // namespace mmx::audio
