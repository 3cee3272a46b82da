#pragma once

#include <QAction>
#include <map>
#include <memory>
#include <string>

#include "FakeSerialPort.h"
#include "MemorySettingsStore.h"
#include "VirtualClock.h"
#include "ui/app/Application.h"
#include "ui/app/frmMain.h"

namespace zorvex::testing {

// The tool's object graph over an in-memory store, virtual time and a fake port (never the
// machine's own serial ports), started with the given "Locations" values.
struct StartedTool {
    MemorySettingsStore settings;
    VirtualClock clock;
    FakeSerialPort port{&clock};
    std::unique_ptr<Application> app;

    explicit StartedTool(const std::map<std::string, std::string>& locations = {}) {
        for (const auto& [key, value] : locations) {
            settings.Write("Locations", key, value);
        }
        app = std::make_unique<Application>(ApplicationServices{&settings, &clock, &port});
        app->Start();
    }
    frmMain& Main() { return app->MainWindow(); }
    void Trigger(const char* name) { Main().findChild<QAction*>(name)->trigger(); }
    template <class W = QWidget>
    W* Find(const char* name) {
        return Main().findChild<W*>(QString::fromLatin1(name));
    }
};

}  // namespace zorvex::testing
