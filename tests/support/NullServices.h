#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "core/app/StatusOperations.h"
#include "core/panels/diagnostics/PeekPoke.h"
#include "core/panels/info/InfoLabels.h"
#include "core/settings/SettingsStore.h"
#include "core/support/CommandSink.h"
#include "core/support/SerialPort.h"
#include "core/support/SystemServices.h"

namespace zorvex::testing {

// Outside pieces that take everything and do nothing, for the benchmarks and fuzz targets
// that drive the core at full speed with nobody watching.

class NullPort : public SerialPort {
  public:
    PortOpenResult Open(int) override { return {}; }
    void Close() override {}
    bool IsOpen() const override { return true; }
    bool Write(std::string_view bytes) override {
        written += bytes.size();
        return true;
    }
    void SetReceiveHandler(std::function<void(std::string_view)>) override {}
    void SetFailureHandler(std::function<void(const std::string&)>) override {}
    std::size_t written = 0;
};

class NullBeeper : public Beeper {
  public:
    void Beep(int, int) override {}
};

class NullLabels : public InfoLabels {
  public:
    void SetInfoLabel(InfoLabel, const std::string&) override {}
};

class NullBoxes : public PeekPokeBoxes {
  public:
    void SetAddressBox(const std::string&) override {}
    void SetDataByteBox(const std::string&) override {}
    void SetDataWordBox(const std::string&) override {}
    void SetDataCharBox(const std::string&) override {}
};

class NullSettings : public SettingsStore {
  public:
    std::string Read(std::string_view, std::string_view,
                     std::string_view defaultValue) const override {
        return std::string(defaultValue);
    }
    void Write(std::string_view, std::string_view, std::string_view) override {}
};

class NullCommands : public CommandSink {
  public:
    void QueueCommand(const std::string&) override {}
};

class NullStatus : public StatusOperations {
  public:
    void SetMonitorOnline() override {}
    void SetBootModeStatus() override {}
    void SetMonitorOffline() override {}
    void SetOfflineDemoMode() override {}
    void SetGoOfflineEnabled(bool) override {}
};

}  // namespace zorvex::testing
