#pragma once
// Set-ups built in one line for tests: a slot from its name and what its WAVE file holds, a
// trigger from its sequence and zones.
#include <initializer_list>
#include <string>

#include "core/setup.h"

namespace mmx::test {

// A 16-bit mono file: a 44-byte header before the sound.
inline Slot wavSlot(const std::string& name, uint32_t rate, uint32_t dataBytes, const std::string& path = "") {
    return Slot{path.empty() ? "/sounds/" + name + ".wav" : path, name, WaveInfo{dataBytes, rate, uint64_t{dataBytes} + 44}};
}

inline Trigger trigger(std::initializer_list<int> sequence, uint8_t zones = 0) {
    Trigger t;
    size_t i = 0;
    for (int k : sequence) t.sequence.at(i++) = static_cast<uint8_t>(k);
    t.zones = zones;
    return t;
}

inline Setup setupOf(std::initializer_list<Slot> slots, std::initializer_list<Trigger> triggers = {}) {
    Setup setup;
    size_t k = 0;
    for (const Slot& s : slots) setup.slots.at(k++) = s;
    size_t t = 0;
    for (const Trigger& tr : triggers) setup.triggers.at(t++) = tr;
    return setup;
}

}  // namespace mmx::test

namespace mmx::test {

// Two messages and two triggers: what tests/storage's small set-up file holds.
inline Setup smallSetup() {
    return setupOf({Slot{"/data/sounds/Welcome.wav", "Welcome", WaveInfo{110250, 22050, 110294}},
                    Slot{"/data/sounds/Alarm=loud.wav", "Alarm", WaveInfo{27562, 11025, 27998}}},
                   {trigger({1, 2}, 0b000101), trigger({2}, 0b100000)});
}

}  // namespace mmx::test
