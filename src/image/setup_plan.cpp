#include "image/setup_plan.h"

namespace mmx::image {

TriggerPlan triggerPlanOf(const TriggerTable& triggers) {
    TriggerPlan plan;
    for (int row = 1; row <= kTriggerCount; ++row) {
        const auto t = static_cast<size_t>(row - 1);
        for (int position = 1; position <= kEntriesPerTrigger; ++position) {
            plan.sequence[t][static_cast<size_t>(position - 1)] =
                sequenceNumber(triggers.entry(entryIndex(row, position)).text);
        }
        plan.zones[t] = triggers.zoneMask(row);
    }
    return plan;
}

TriggerPlan triggerPlanOf(const Setup& setup) {
    TriggerPlan plan;
    for (size_t t = 0; t < setup.triggers.size(); ++t) {
        const Trigger& trigger = setup.triggers[t];
        for (int position = 0; position < trigger.length(); ++position)
            plan.sequence[t][static_cast<size_t>(position)] = trigger.sequence[static_cast<size_t>(position)];
        plan.zones[t] = trigger.zones;
    }
    return plan;
}

}  // namespace mmx::image
