#include "core/protocol/ResponseDispatcher.h"

#include <cctype>
#include <optional>
#include <variant>

#include "core/protocol/ReplyReaders.h"

namespace zorvex {

namespace {

// One level of the letter tables: a letter leads to a handler, a further table, or is
// accepted with no effect. Letters missing from a table are ignored the same way.
enum class Table { Level1, D, DD, DDF, DDP, DM, DS, DR };
struct Accepted {};
using Entry = std::variant<Accepted, ReplyHandlerId, Table>;

std::optional<Entry> Lookup(Table table, char letter) {
    using H = ReplyHandlerId;
    switch (table) {
        case Table::Level1:
            switch (letter) {
                case ':': case 'B': case 'C': case 'E': case 'H': case 'M': case 'W':
                    return Accepted{};
                case 'A': return H::MemoryAddress;
                case 'D': return Table::D;
                case 'P': return H::Ping;
                case 'R': return H::MemoryRead;
                default: return std::nullopt;
            }
        case Table::D:
            switch (letter) {
                case 'A': case 'B': case 'C': case 'P': case 'V': case 'W':
                    return Accepted{};
                case 'D': return Table::DD;
                case 'E': return H::RomVersion;
                case 'F': return H::FirmwareVersion;
                case 'H': return H::HighVoltage;
                case 'M': return Table::DM;
                case 'R': return Table::DR;
                case 'S': return Table::DS;
                case 'T': case 'U': return H::OperatingTime;
                case 'X': return H::Capability;
                case 'Z': return H::StrokeParameters;
                default: return std::nullopt;
            }
        case Table::DD:
            switch (letter) {
                case 'B': return H::CurrentB;
                case 'H': return H::CurrentH;
                case 'L': return H::CurrentL;
                case 'V': return H::CurrentV;
                case 'N':
                    return Accepted{};
                case 'F': return Table::DDF;
                case 'P': return Table::DDP;
                case 'S': case 'T': return H::FamilyNTable;
                default: return std::nullopt;
            }
        case Table::DDF:
            switch (letter) {
                case 'B': return H::FactoryB;
                case 'H': return H::FactoryH;
                case 'L': return H::FactoryL;
                case 'V': return H::FactoryV;
                case 'S': case 'T': return H::FactoryN;
                default: return std::nullopt;
            }
        case Table::DDP:
            switch (letter) {
                case 'B': return H::InitialB;
                case 'H': return H::InitialH;
                case 'L': return H::InitialL;
                case 'V': return H::InitialV;
                case 'S': case 'T': return H::InitialN;
                case 'N': return Accepted{};
                default: return std::nullopt;
            }
        case Table::DM:
            switch (letter) {
                case 'S': return H::ModelNumber;
                case 'T': return H::CrtPartNumber;
                case 'U': return H::PartNumber;
                case 'C': case 'D': case 'F': case 'G': case 'H': case 'L': case 'P': case 'V':
                    return Accepted{};
                default: return std::nullopt;
            }
        case Table::DS:
            switch (letter) {
                case 'S': return H::SerialNumber;
                case 'T': return H::CrtSerialNumber;
                case 'C': case 'D': case 'F': case 'G': case 'H': case 'L': case 'P': case 'V':
                    return Accepted{};
                default: return std::nullopt;
            }
        case Table::DR:
            switch (letter) {
                case 'A': case 'B': case 'D': case 'E': case 'F': case 'M': case 'N': case 'S':
                case 'W':
                    return Accepted{};
                default: return std::nullopt;
            }
    }
    return std::nullopt;
}

}  // namespace

void ResponseDispatcher::Register(ReplyHandlerId id, Handler handler) {
    handlers_[static_cast<std::size_t>(id)] = std::move(handler);
}

void ResponseDispatcher::RegisterLettered(ReplyHandlerId id, LetteredHandler handler) {
    lettered_[static_cast<std::size_t>(id)] = std::move(handler);
}

ResponseDispatcher::Route ResponseDispatcher::Resolve(std::string_view block) {
    std::string_view text = SkipLeadingBlanks(block);
    Table table = Table::Level1;
    while (!text.empty()) {
        char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text.front())));
        std::string_view rest = SkipLeadingBlanks(text.substr(1));
        auto entry = Lookup(table, letter);
        if (!entry || std::holds_alternative<Accepted>(*entry)) {
            return {};
        }
        if (auto* id = std::get_if<ReplyHandlerId>(&*entry)) {
            return {true, *id, letter, rest};
        }
        table = std::get<Table>(*entry);
        text = rest;
    }
    return {};
}

void ResponseDispatcher::Dispatch(std::string_view block) const {
    Route route = Resolve(block);
    if (!route.reached) {
        return;
    }
    const auto index = static_cast<std::size_t>(route.id);
    if (lettered_[index]) {
        lettered_[index](route.letter, route.rest);
        return;
    }
    const Handler& handler = handlers_[index];
    if (handler) {
        handler(route.rest);
    }
}

}  // namespace zorvex
