#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace zorvex {

// The handlers a reply block can reach. The dispatcher stores nothing itself; each room
// registers the handlers it owns.
enum class ReplyHandlerId {
    MemoryAddress,    // A
    MemoryRead,       // R
    Ping,             // P
    RomVersion,       // DE
    FirmwareVersion,  // DF
    HighVoltage,      // DH
    OperatingTime,    // DT, DU
    Capability,       // DX
    StrokeParameters, // DZ
    ModelNumber,      // DMS
    CrtPartNumber,    // DMT
    PartNumber,       // DMU
    SerialNumber,     // DSS
    CrtSerialNumber,  // DST
    FamilyNTable,     // DDS, DDT: factory or initial chosen by a letter in the answer
    CurrentB,         // DDB
    CurrentH,         // DDH
    CurrentL,         // DDL
    CurrentV,         // DDV
    FactoryB,         // DDFB
    FactoryH,         // DDFH
    FactoryL,         // DDFL
    FactoryV,         // DDFV
    FactoryN,         // DDFS, DDFT
    InitialB,         // DDPB
    InitialH,         // DDPH
    InitialL,         // DDPL
    InitialV,         // DDPV
    InitialN,         // DDPS, DDPT
    Count
};

// Decides, from the echoed command letters at the start of a reply block, which handler
// stores its content, and hands that handler the rest of the block.
class ResponseDispatcher {
public:
    using Handler = std::function<void(std::string_view rest)>;
    // For a handler that serves two letters (the family N tables, "S" and "T"): it also
    // receives the upper-cased letter that chose it.
    using LetteredHandler = std::function<void(char letter, std::string_view rest)>;

    void Register(ReplyHandlerId id, Handler handler);
    void RegisterLettered(ReplyHandlerId id, LetteredHandler handler);
    void Dispatch(std::string_view block) const;

    // The handler a block reaches and the text it would receive, without calling it.
    struct Route {
        bool reached = false;
        ReplyHandlerId id = ReplyHandlerId::Count;
        char letter = 0;  // the upper-cased letter that chose the handler
        std::string_view rest;
    };
    static Route Resolve(std::string_view block);

private:
    std::array<Handler, static_cast<std::size_t>(ReplyHandlerId::Count)> handlers_;
    std::array<LetteredHandler, static_cast<std::size_t>(ReplyHandlerId::Count)> lettered_;
};

}  // namespace zorvex
