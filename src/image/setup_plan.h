#pragma once
// The trigger table's content as the editor holds it: each entry's message number and each
// row's ticked zones.
#include "core/setup.h"
#include "core/trigger_table.h"
#include "image/unit_tables.h"

namespace mmx::image {

TriggerPlan triggerPlanOf(const TriggerTable& triggers);
// Each trigger's slot numbers (0 behind its last) and zone mask.
TriggerPlan triggerPlanOf(const Setup& setup);

}  // namespace mmx::image
