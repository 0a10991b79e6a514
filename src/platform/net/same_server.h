#pragma once
// Two names of one serial device server: "rfc2217://a:4001" and "tcp://a:4001", or two
// spellings of a host that resolve alike. Two uploads through one server's port would fight over
// one line, so such a list is refused before anything is sent.
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace mmx {

// The first two of `ports` (indices, in order) that name one server's port; texts that are no
// network address are left out. A host that does not resolve within lookupTimeoutMs is compared
// by its name.
std::optional<std::pair<size_t, size_t>> findSameServer(const std::vector<std::string>& ports, int lookupTimeoutMs = 3000);

}  // namespace mmx
