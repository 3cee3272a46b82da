#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingSink.h"
#include "VirtualClock.h"
#include "core/link/LinkState.h"
#include "core/panels/stroke/StrokeAdjustment.h"

namespace zorvex::testing {

using Commands = std::vector<std::string>;

// An open stroke window over a recording sink and a virtual clock; the opening "dz" is taken.
class StrokeFixture : public ::testing::Test {
  protected:
    StrokeFixture() {
        window.Open();
        sink.Take();
    }

    // Every text box holds its own control name, so a command shows which box it read.
    void FillEveryTextWithItsName() {
        for (int i = 0; i < kStrokeTextCount; ++i) {
            const auto box = static_cast<StrokeText>(i);
            window.SetText(box, std::string(StrokeTextName(box)));
        }
        sink.Take();
    }

    VirtualClock clock;
    RecordingSink sink;
    LinkState link;
    StrokeAdjustment window{sink, clock, link};
};

}  // namespace zorvex::testing
