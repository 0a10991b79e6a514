#pragma once
// The 12 trigger rows: four message-sequence entries and six zone flags each, with the
// sequence's play time. Entries are numbered 1..48 and zones 1..72 across all rows.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/message_table.h"

namespace mmx {

inline constexpr int kTriggerCount = 12;
inline constexpr int kEntriesPerTrigger = 4;
inline constexpr int kZonesPerTrigger = 6;
inline constexpr int kEntryCount = kTriggerCount * kEntriesPerTrigger;  // 48
inline constexpr int kZoneCount = kTriggerCount * kZonesPerTrigger;     // 72

inline constexpr int entryIndex(int row, int position) { return kEntriesPerTrigger * (row - 1) + position; }
inline constexpr int zoneIndex(int row, int zone) { return kZonesPerTrigger * (row - 1) + zone; }

// " " for no message, " n" for message n.
std::string choiceText(int message);

struct SequenceEntry {
    std::string text = " ";
    bool enabled = false;
    // Message number the entry names (its leading number); 0 for none.
    int message() const;
};

class TriggerTable {
public:
    TriggerTable();

    SequenceEntry& entry(int index) { return entries_.at(static_cast<size_t>(index - 1)); }
    const SequenceEntry& entry(int index) const { return entries_.at(static_cast<size_t>(index - 1)); }
    // 0 unticked, 1 ticked, 2 greyed.
    int& zone(int index) { return zones_.at(static_cast<size_t>(index - 1)); }
    int zone(int index) const { return zones_.at(static_cast<size_t>(index - 1)); }
    std::string& time(int row) { return times_.at(static_cast<size_t>(row - 1)); }
    const std::string& time(int row) const { return times_.at(static_cast<size_t>(row - 1)); }
    bool& playEnabled(int row) { return playEnabled_.at(static_cast<size_t>(row - 1)); }
    bool playEnabled(int row) const { return playEnabled_.at(static_cast<size_t>(row - 1)); }

    // The choices every entry's list offers: " ", " 1" .. " n".
    int listCount() const { return static_cast<int>(choices_.size()); }
    const std::vector<std::string>& choices() const { return choices_; }

    // Refill the lists for n filled slots; entry texts, enabled states and times stay.
    void rebuildLists(int n);
    // Recompute every row from the message times: gapless prefixes, enabled states,
    // play buttons and play times.
    void recompute(const MessageTable& messages);
    // Zone mask of a row: bit z-1 set when zone z is ticked.
    uint8_t zoneMask(int row) const;

    // Back to the state of a freshly opened window.
    void clear();

private:
    std::array<SequenceEntry, kEntryCount> entries_{};
    std::array<int, kZoneCount> zones_{};
    std::array<std::string, kTriggerCount> times_{};
    std::array<bool, kTriggerCount> playEnabled_{};
    std::vector<std::string> choices_;
};

// The files a row's preview plays, in order. Entries without a message are skipped; an
// entry naming a slot that has since been emptied ends the plan there, without a message.
std::vector<std::string> sequencePlan(const TriggerTable& triggers, const MessageTable& messages, int row);

}  // namespace mmx
