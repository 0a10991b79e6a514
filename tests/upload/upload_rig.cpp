#include "upload_rig.h"

#include <algorithm>

namespace mmx::test {

namespace {

uint8_t commandOfLogLine(const std::string& line) {
    if (line.empty() || line[0] == 'D') return 'W';
    return static_cast<uint8_t>(line[0]);
}

}  // namespace

SabotagePort::SabotagePort(UnitEmulator& unit, FakeClock& clock, std::vector<Sabotage>& rules,
                           std::vector<uint8_t>& wire)
    : unit_(unit), inner_(unit, clock), rules_(rules), wire_(wire), clock_(clock) {}

void SabotagePort::swallowAnswer() {
    // Everything the unit says about this frame (an erase says more than one frame) is taken
    // off the line before the replacement is offered.
    uint8_t scratch[512];
    while (inner_.read(std::span<uint8_t>(scratch, sizeof scratch), 20) > 0) {
    }
}

bool SabotagePort::write(std::span<const uint8_t> bytes) {
    const size_t before = unit_.log().size();
    wire_.insert(wire_.end(), bytes.begin(), bytes.end());
    if (!inner_.write(bytes)) return false;
    for (size_t i = before; i < unit_.log().size(); ++i) {
        const std::string& line = unit_.log()[i];
        for (auto& rule : rules_) {
            const bool matches = line == rule.frame || line.rfind(rule.frame + " ", 0) == 0 ||
                                 line.rfind(rule.frame + ":", 0) == 0;
            if (!matches) continue;
            ++rule.seen;
            if (rule.seen <= rule.skip || rule.used >= rule.times) continue;
            ++rule.used;
            swallowAnswer();
            const uint8_t command = commandOfLogLine(line);
            switch (rule.kind) {
                case Sabotage::Kind::Nak: {
                    auto frame = answerFrame(command, {21});
                    injected_.insert(injected_.end(), frame.begin(), frame.end());
                    break;
                }
                case Sabotage::Kind::Damaged: {
                    auto frame = answerFrame(command, {6});
                    frame[frame.size() - 3] = frame[frame.size() - 3] == '0' ? '1' : '0';  // wrong sum: code 1
                    injected_.insert(injected_.end(), frame.begin(), frame.end());
                    break;
                }
                case Sabotage::Kind::Silence:
                    break;
                case Sabotage::Kind::Trickle:
                    injected_.insert(injected_.end(), rule.bytes.begin(), rule.bytes.end());
                    trickling_ = true;
                    break;
                case Sabotage::Kind::Bytes:
                    injected_.insert(injected_.end(), rule.bytes.begin(), rule.bytes.end());
                    break;
            }
            break;
        }
    }
    return true;
}

long SabotagePort::read(std::span<uint8_t> out, int timeoutMs) {
    if (trickling_ && injected_.empty() && inner_.isOpen() && !out.empty()) {
        clock_.advance(std::min(timeoutMs, 4000));
        out[0] = '.';
        return 1;
    }
    if (!injected_.empty()) {
        if (!inner_.isOpen()) return -1;
        size_t n = 0;
        while (n < out.size() && !injected_.empty()) {
            out[n++] = injected_.front();
            injected_.pop_front();
        }
        return static_cast<long>(n);
    }
    return inner_.read(out, timeoutMs);
}

UploadRig::UploadRig(UnitOptions options)
    : unit(options),
      display(link.display),
      connection(settings, clock, link,
                 [this](const LinkSettings&, std::string& error) -> std::unique_ptr<BytePort> {
                     if (!openError.empty()) {
                         error = openError;
                         return nullptr;
                     }
                     auto made = std::make_unique<SabotagePort>(unit, clock, sabotage, wire);
                     port = made.get();
                     return made;
                 }),
      driver(connection) {
    display.clock = &clock;
}

UploadResult UploadRig::upload(const image::UnitImage& image, const UploadOptions& options) {
    return driver.run(image, options);
}

std::vector<std::string> UploadRig::frames() const {
    std::vector<std::string> lines;
    for (const auto& line : unit.log()) {
        if (line == "nak injected" || line == "bad frame" || line.rfind("  ", 0) == 0 || line == "falling silent") {
            continue;
        }
        if (line.rfind("L: ", 0) == 0) {  // "L: image ok": the unit checked its image on L
            lines.push_back("L");
            continue;
        }
        lines.push_back(line);
    }
    return lines;
}

image::UnitImage imageFor(const SlotFiles& files, const std::array<ExpectedTrigger, 12>& triggers) {
    image::ImageInput input;
    for (size_t i = 0; i < 12; ++i) {
        if (files.bytes[i]) input.messages[i] = image::MessageFile{"message" + std::to_string(i + 1), *files.bytes[i]};
        for (size_t j = 0; j < 4; ++j) input.triggers.sequence[i][j] = static_cast<uint8_t>(triggers[i].sequence[j]);
        for (size_t z = 0; z < 6; ++z) {
            if (triggers[i].zones[z]) input.triggers.zones[i] = static_cast<uint8_t>(input.triggers.zones[i] | (1u << z));
        }
    }
    return image::UnitImage::build(input);
}

std::vector<uint8_t> patternBytes(size_t n, uint32_t seed) {
    std::vector<uint8_t> bytes(n);
    uint32_t x = seed * 2654435761u + 12345u;
    for (size_t i = 0; i < n; ++i) {
        x = x * 1103515245u + 12345u;
        bytes[i] = static_cast<uint8_t>(x >> 16);
    }
    return bytes;
}

}  // namespace mmx::test
