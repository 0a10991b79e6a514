#include "device/answer_words.h"

namespace mmx {

namespace {

std::string seconds(int ms) { return std::to_string(ms / 1000) + "." + std::to_string(ms % 1000 / 100) + " s"; }

std::string codeWords(uint8_t code) {
    switch (code) {
        case ResultCode::BadChecksum: return "an answer with a wrong checksum (code 1)";
        case ResultCode::NoCarriageReturn: return "an answer without its CR (code 2)";
        case ResultCode::NoLineFeed: return "an answer without its LF (code 3)";
        case ResultCode::WrongCommand: return "an answer for another command (code 4)";
        case ResultCode::WrongParameter: return "an answer with another parameter (code 5)";
        case ResultCode::Nak: return "not acknowledged (21)";
        default: return "the answer " + std::to_string(code);
    }
}

}  // namespace

std::string answerFailureWords(const UnitAnswer& answer, int byteTimeOutMs, int answerTimeOutMs) {
    if (answer.code != ResultCode::TimeOut) return "the unit sent " + codeWords(answer.code);
    switch (answer.cause) {
        case LinkFailure::None: return "the unit sent an empty answer (code 0)";
        case LinkFailure::Silence: return "the unit did not answer within " + seconds(byteTimeOutMs);
        case LinkFailure::Garbled:
            return "the unit sent bytes that made no whole answer, then nothing for " + seconds(byteTimeOutMs);
        case LinkFailure::LineLost: return "the serial line was lost (adapter unplugged or the other end closed)";
        case LinkFailure::Cancelled: return "interrupted";
        case LinkFailure::RingOverrun: return "received bytes overran the receive buffer; the answer was discarded";
        case LinkFailure::AnswerTooLong: return "the unit announced an answer longer than 1200 bytes; it was discarded";
        case LinkFailure::PortClosed: return "the port is not open";
        case LinkFailure::AnswerTooSlow:
            return "the unit sent bytes but no whole answer within " + seconds(answerTimeOutMs);
    }
    return "the unit did not answer";
}

}  // namespace mmx
