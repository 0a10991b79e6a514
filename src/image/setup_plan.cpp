#include "image/setup_plan.h"

namespace mmx::image {

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
