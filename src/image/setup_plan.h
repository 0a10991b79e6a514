#pragma once
// The trigger table's content from the set-up: each entry's slot number and each row's zones.
#include "core/setup.h"
#include "image/unit_tables.h"

namespace mmx::image {

// Each trigger's slot numbers (0 behind its last) and zone mask.
TriggerPlan triggerPlanOf(const Setup& setup);

}  // namespace mmx::image
