#include "app/link/unit_status.h"

#include "core/upload_time.h"
#include "storage/upload_record.h"

namespace mmx::app {

namespace {

UnitHolding holdingOf(const image::TableBytes& table, const image::UnitImage& image,
                      const std::optional<RecordedUnit>& recorded) {
    const image::DecodedMessageTable decoded = image::decodeMessageTable(table);
    if (decoded.erased) return UnitHolding::Erased;
    if (!decoded.sealed) return UnitHolding::DamagedTable;
    if (table != image.messageTable()) return UnitHolding::OtherMessages;
    // An equal table says the messages have the same lengths, not the same sound: only the
    // record of an upload of exactly these messages from here vouches for that.
    const bool vouched = recorded && recorded->messagesDigest == image::hexText(image.messagesDigest()) &&
                         recorded->messageTable == table;
    return vouched ? UnitHolding::ThisSetup : UnitHolding::TheseMessages;
}

}  // namespace

UploadForecast forecastUpload(UnitHolding holding, const image::UnitImage& image, const LineSettings& line) {
    UploadForecast forecast;
    forecast.blocks = image.blockCount();
    if (holding == UnitHolding::ThisSetup) {
        forecast.road = UploadRoad::TablesOnly;
        forecast.seconds = tablesUploadSeconds(line);
    } else {
        forecast.road = UploadRoad::Full;
        forecast.seconds = fullUploadSeconds(line, forecast.blocks, static_cast<int>(image.messages().size()));
    }
    return forecast;
}

StatusOutcome unitStatus(Connection& connection, const image::UnitImage& image, const std::string& recordFolder) {
    StatusOutcome outcome;
    if (!connection.Connect()) {
        outcome.verdict = LinkVerdict::PortError;
        outcome.failedStep = LinkStep::Connect;
        outcome.portError = connection.lastError();
        outcome.upload = forecastUpload(outcome.holding, image, connection.settings().line);
        return outcome;
    }
    UnitSession& session = connection.session();
    outcome.byteTimeOutMs = session.byteTimeOutMs();
    outcome.answerTimeOutMs = session.answerTimeOutMs();
    // The record keys a unit by the port's own name, the first word of its description.
    const std::string description = connection.portDescription();
    outcome.port = description.substr(0, description.find(' '));

    const TableAnswer read = session.readMessageTable();
    connection.Disconnect();
    outcome.answer = read.answer;
    outcome.payloadBytes = read.payloadBytes;
    if (read.table) {
        outcome.verdict = LinkVerdict::Done;
        outcome.unitTable = image::decodeMessageTable(*read.table);
        std::optional<RecordedUnit> recorded;
        if (!recordFolder.empty()) recorded = UploadRecord(recordFolder).unitOn(outcome.port);
        outcome.holding = holdingOf(*read.table, image, recorded);
        if (outcome.holding == UnitHolding::ThisSetup) outcome.writtenAt = recorded->writtenAt;
    } else {
        outcome.failedStep = LinkStep::ReadTable;
        const bool cancelled = read.answer.cancelled() || session.cancelRequested();
        outcome.verdict = cancelled ? LinkVerdict::Cancelled : LinkVerdict::Failed;
    }
    outcome.upload = forecastUpload(outcome.holding, image, connection.settings().line);
    return outcome;
}

}  // namespace mmx::app
