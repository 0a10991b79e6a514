#pragma once
// How the window numbers the cells of its two tables: slots and trigger rows 1..12, the
// sequence entries 1..48 and the zone boxes 1..72 row after row.
#include "core/unit_facts.h"

namespace mmx {

inline constexpr int kSlotCount = unit::kSlots;
inline constexpr int kTriggerCount = unit::kTriggers;
inline constexpr int kEntriesPerTrigger = unit::kEntriesPerTrigger;
inline constexpr int kZonesPerTrigger = unit::kZonesPerTrigger;
inline constexpr int kEntryCount = kTriggerCount * kEntriesPerTrigger;  // 48
inline constexpr int kZoneCount = kTriggerCount * kZonesPerTrigger;     // 72

inline constexpr int entryIndex(int row, int position) { return kEntriesPerTrigger * (row - 1) + position; }
inline constexpr int zoneIndex(int row, int zone) { return kZonesPerTrigger * (row - 1) + zone; }
inline constexpr int rowOfEntry(int index) { return (index - 1) / kEntriesPerTrigger + 1; }
inline constexpr int positionOfEntry(int index) { return (index - 1) % kEntriesPerTrigger + 1; }
inline constexpr int rowOfZone(int index) { return (index - 1) / kZonesPerTrigger + 1; }
inline constexpr int zoneOfBox(int index) { return (index - 1) % kZonesPerTrigger + 1; }

}  // namespace mmx
