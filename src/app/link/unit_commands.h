#pragma once
// The short conversations an operator asks for besides the upload: erase the unit, read its
// message table, and see whether a unit answers on a line at all. Each takes a connection (or
// what makes one) and returns what happened in values; the front ends choose the words.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "device/connection.h"
#include "device/unit_session.h"
#include "image/unit_tables.h"

namespace mmx::app {

enum class LinkVerdict {
    Done,
    PortError,  // the port could not be opened: see portError
    Failed,     // see failedStep and answer
    Cancelled,
};

enum class LinkStep { None, Connect, Start, Erase, ReadTable };

struct LinkOutcome {
    LinkVerdict verdict = LinkVerdict::Failed;
    LinkStep failedStep = LinkStep::None;
    UnitAnswer answer;            // the answer that ended the conversation
    std::string portError;        // the port's own reason, when it could not be opened
    int byteTimeOutMs = 0;        // the patience that applied, for the words about a silence
    int answerTimeOutMs = 0;

    bool done() const { return verdict == LinkVerdict::Done; }
};

struct EraseOutcome : LinkOutcome {
    size_t erased = 0;           // addresses the unit reported erased
    uint32_t failedAddress = 0;  // for failedStep Erase
};

// "P", then "E" for each address in turn; the port is opened and always closed again.
EraseOutcome eraseUnit(Connection& connection, std::span<const uint32_t> addresses);

struct TablesOutcome : LinkOutcome {
    std::optional<image::TableBytes> messageTable;
    size_t payloadBytes = 0;  // what a data answer held when it was no whole table
};

// "R" for the message table; the port is opened and always closed again.
TablesOutcome readUnitTables(Connection& connection);

// Whether a unit answers "P" on the line now (false also when the port cannot be opened).
bool unitAnswers(const LinkSettings& settings, const PortFactory& factory);

}  // namespace mmx::app
