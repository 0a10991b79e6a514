#pragma once
// The window's words for why the unit's answer failed ("the unit did not answer within 5.1 s"):
// the device reports the answer and the patience that applied, the front end words them.
#include <string>

#include "device/unit_session.h"

namespace mmx {

std::string answerFailureWords(const UnitAnswer& answer, int byteTimeOutMs, int answerTimeOutMs);

}  // namespace mmx
