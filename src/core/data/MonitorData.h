#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace zorvex {

// The five DAC families, known by the letter the monitor commands and the file keys use.
enum class DacFamily { L, B, H, V, N };
std::optional<DacFamily> DacFamilyFromLetter(char letter);  // 'L','B','H','V','N' (either case)

inline constexpr int MaxDacsPerFamily = 10;  // DAC slots 0..9
inline constexpr int MaxScanSetSlots = 7;    // scan-set columns 0..6
inline constexpr int ScanSetTitleSlots = 6;  // titles and enable flags 0..5
inline constexpr int CapabilityFlagCount = 8;

inline constexpr const char* MdvExtension = ".mdv";
inline constexpr const char* MdvHeaderLine = "Norvale Monitor DAC Value File";
inline constexpr const char* MdvVersionLine = "Version 3.0";

// One table of one value kind: DAC slot by scan-set column.
using DacTable = std::array<std::array<int16_t, MaxScanSetSlots>, MaxDacsPerFamily>;

struct DacFamilyData {
    int16_t count = 0;
    std::array<std::string, MaxDacsPerFamily> names;
    DacTable value{};    // DacValue: the stored (adjusted) value
    DacTable factory{};  // DacFactory
    DacTable initial{};  // DacInitial
};

enum class DacTableKind { Value, Factory, Initial };

// The one store of everything the tool knows about the monitor it talks to, and the state
// of the monitor data file. Plain fields; the only behaviour is bounds-checked table access.
struct MonitorData {
    // Identity, versions and limits.
    std::string ModelNumber;
    std::string SerialNumber;
    std::string PartNumber;
    std::string CrtSerialNumber;
    std::string CrtPartNumber;
    std::string FirmwareVersion;
    int16_t FirmwareVersionNumber = 0;
    std::string RomVersion;
    bool PartNumberSupported = false;
    std::string OperatingHours;
    std::string OperatingCycles;
    int16_t HvUpperLimit = 0;
    int16_t HvLowerLimit = 0;
    std::array<bool, CapabilityFlagCount> CapabilityFlags{};
    bool MonitorOnline = false;
    bool BootMode = false;

    // Scan sets.
    int16_t NumScanSets = 6;
    int16_t CurrentScanSet = 0;
    std::array<std::string, ScanSetTitleSlots> ScanSetName;
    std::array<bool, ScanSetTitleSlots> ScanSetEnabled{};

    // DAC families, indexed by DacFamily.
    std::array<DacFamilyData, 5> Families;

    // Monitor data file state.
    bool FileIsOpen = false;
    int16_t DiskFileNum = 0;
    bool FileOpenForInput = false;
    bool DataChanged = false;
    std::string FilePath;
    std::string FileTitle;

    MonitorData() { FillInitialTables(); }

    // Every field to its initial value, the name tables filled. The link-side effects of
    // start-up (status offline, AutoPing, the two shell settings) belong to the shell.
    void InitMonitorData();
    void ClearCapabilityFlags();

    DacFamilyData& Family(DacFamily family) { return Families[static_cast<int>(family)]; }
    const DacFamilyData& Family(DacFamily family) const {
        return Families[static_cast<int>(family)];
    }

    // Cell access refuses a DAC slot outside 0..9 or a scan-set column outside 0..6:
    // reads give nothing, writes return false and change nothing.
    std::optional<int16_t> Cell(DacFamily family, DacTableKind kind, int slot, int column) const;
    bool SetCell(DacFamily family, DacTableKind kind, int slot, int column, int16_t value);
    std::optional<std::string> DacName(DacFamily family, int slot) const;
    int16_t DacCount(DacFamily family) const { return Family(family).count; }
    void SetDacCount(DacFamily family, int16_t count) { Family(family).count = count; }

    // Scan-set titles and enable flags accept only slots 0..5.
    std::optional<std::string> ScanSetTitle(int slot) const;
    bool SetScanSetTitle(int slot, const std::string& title);
    std::optional<bool> IsScanSetEnabled(int slot) const;
    bool SetScanSetEnabled(int slot, bool enabled);

private:
    void FillInitialTables();
};

}  // namespace zorvex
