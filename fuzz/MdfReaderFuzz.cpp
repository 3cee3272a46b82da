// ReadMDF's record loop on arbitrary bytes: whatever a file holds, the reader ends with a
// result and never writes outside the model's tables.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/data/MdfReader.h"
#include "core/data/MonitorData.h"
#include "core/panels/info/InfoLabels.h"
#include "core/protocol/DacTableHandlers.h"
#include "core/protocol/IdentificationReplies.h"
#include "core/protocol/ResponseDispatcher.h"

namespace {
class NoLabels : public zorvex::InfoLabels {
  public:
    void SetInfoLabel(zorvex::InfoLabel, const std::string&) override {}
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zorvex;
    MonitorData model;
    NoLabels labels;
    ResponseDispatcher dispatcher;
    IdentificationReplies identification(model, labels);
    identification.Register(dispatcher);
    RegisterDacTableHandlers(dispatcher, model);
    MdfReader reader(model, dispatcher, labels);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Twice: the second read starts in the scan-set column the first one left.
    reader.Read(bytes, "fuzz.mdv");
    reader.Read(bytes, "fuzz.mdv");
    return 0;
}
