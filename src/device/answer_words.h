#pragma once
// Why the unit's answer failed, in the operator's English ("the unit did not answer within 5.1 s"),
// from the answer and the patience that applied; the window and the command line say it alike.
#include <string>

#include "device/unit_session.h"

namespace mmx {

std::string answerFailureWords(const UnitAnswer& answer, int byteTimeOutMs, int answerTimeOutMs);

}  // namespace mmx
