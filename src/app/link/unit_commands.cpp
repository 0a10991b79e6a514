#include "app/link/unit_commands.h"

namespace mmx::app {

namespace {

// Opens the port; false (with the outcome filled in) when it cannot be.
bool open(Connection& connection, LinkOutcome& outcome) {
    if (connection.Connect()) {
        outcome.byteTimeOutMs = connection.session().byteTimeOutMs();
        outcome.answerTimeOutMs = connection.session().answerTimeOutMs();
        return true;
    }
    outcome.verdict = LinkVerdict::PortError;
    outcome.failedStep = LinkStep::Connect;
    outcome.portError = connection.lastError();
    return false;
}

void fail(LinkOutcome& outcome, LinkStep step, const UnitAnswer& answer, const UnitSession& session) {
    outcome.failedStep = step;
    outcome.answer = answer;
    const bool cancelled = answer.cancelled() || session.cancelRequested();
    outcome.verdict = cancelled ? LinkVerdict::Cancelled : LinkVerdict::Failed;
}

}  // namespace

EraseOutcome eraseUnit(Connection& connection, std::span<const uint32_t> addresses) {
    EraseOutcome outcome;
    if (!open(connection, outcome)) return outcome;
    UnitSession& session = connection.session();
    const UnitAnswer started = session.start();
    if (!started.acknowledged()) {
        fail(outcome, LinkStep::Start, started, session);
    } else {
        outcome.verdict = LinkVerdict::Done;
        for (const uint32_t address : addresses) {
            const UnitAnswer erased = session.erase(address);
            if (!erased.acknowledged()) {
                fail(outcome, LinkStep::Erase, erased, session);
                outcome.failedAddress = address;
                break;
            }
            ++outcome.erased;
        }
    }
    connection.Disconnect();
    return outcome;
}

TablesOutcome readUnitTables(Connection& connection) {
    TablesOutcome outcome;
    if (!open(connection, outcome)) return outcome;
    UnitSession& session = connection.session();
    const TableAnswer read = session.readMessageTable();
    outcome.messageTable = read.table;
    outcome.payloadBytes = read.payloadBytes;
    outcome.answer = read.answer;
    if (read.table) {
        outcome.verdict = LinkVerdict::Done;
    } else {
        fail(outcome, LinkStep::ReadTable, read.answer, session);
    }
    connection.Disconnect();
    return outcome;
}

bool unitAnswers(const LinkSettings& settings, const PortFactory& factory) {
    SteadyClock clock;
    NoLinkEvents quiet;
    Connection connection(settings, clock, quiet, factory);
    if (!connection.Connect()) return false;
    const bool answered = connection.session().start().acknowledged();
    connection.Disconnect();
    return answered;
}

}  // namespace mmx::app
