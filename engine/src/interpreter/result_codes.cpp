#include "engine/interpreter/result_codes.h"

namespace scanbench {

std::optional<StatusMessage> StatusForResult(std::int32_t code) {
    using enum StatusColour;
    switch (code) {
    case Result::Halt:
        return StatusMessage{Status::Halt, Green};
    case Result::FlagSelected:
    case Result::JumpIfError:
    case Result::JumpIfNoError:
    case Result::Jump:
    case Result::JumpIfZero:
    case Result::JumpIfNotZero:
        return std::nullopt;
    case Result::WaitSiaLow:
        return StatusMessage{Status::WaitSiaLow, Purple};
    case Result::WaitSiaHigh:
        return StatusMessage{Status::WaitSiaHigh, Purple};
    case Result::WaitSibLow:
        return StatusMessage{Status::WaitSibLow, Purple};
    case Result::WaitSibHigh:
        return StatusMessage{Status::WaitSibHigh, Purple};
    case Result::Flush:
        return StatusMessage{Status::FlushExecuted, Yellow};
    case Result::NotRecognised:
        return StatusMessage{"Line compiled with errors", Red};
    case Result::BadCounterValue:
    case Result::BadHexDigit:
        return StatusMessage{"Error: unknown value", Red};
    case Result::NotHex:
        return StatusMessage{"Error: only HEX is supported in NSHF and NSHFCP", Red};
    case Result::MissingParameters:
        return StatusMessage{"Error: parameters are missing", Red};
    case Result::TooManyParameters:
        return StatusMessage{"Error: this instruction doesn't support so many parameters", Red};
    case Result::UnknownState:
        return StatusMessage{"Error: state not known", Red};
    case Result::UnknownCounter:
        return StatusMessage{"Error: unknown counter", Red};
    case Result::StateBeforeReset:
        return StatusMessage{"Error: Please do a reset before using STATE", Red};
    case Result::ShiftBeforeLoad:
        return StatusMessage{"Error: Please do a \"LD CNT\" before using NSHF/NSHFCP", Red};
    case Result::OutOfMemory:
        return StatusMessage{Status::NotEnoughMemory, Red};
    default:
        if (code < 0) {
            return StatusMessage{"Line compiled with errors", Red};
        }
        return StatusMessage{Status::LineProcessed, Green};
    }
}

} // namespace scanbench
