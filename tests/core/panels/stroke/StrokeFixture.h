#pragma once

#include <gtest/gtest.h>

#include <string>

#include "RecordingSink.h"
#include "VirtualClock.h"
#include "core/link/LinkState.h"
#include "core/panels/stroke/StrokeAdjustment.h"

namespace zorvex::testing {

// An open stroke window over a recording sink and a virtual clock; opening asks for the
// parameter set with "dz", which is taken.
struct StrokeRig {
    StrokeRig() {
        window.Open();
        EXPECT_EQ(Sent(), "dz");
    }

    // The commands queued since the last look, blank-separated; each must end its line.
    std::string Sent() {
        EXPECT_FALSE(sink.unterminated);
        return sink.Sent();
    }

    // Every text box holds its own control name, so a command shows which box it read; a box
    // with a range holds a number in it instead: Text1(9) holds 209, a narrower box its top.
    void FillEveryTextWithItsName() {
        for (int i = 0; i < kStrokeTextCount; ++i) {
            const auto box = static_cast<StrokeText>(i);
            std::string text(StrokeTextName(box));
            if (const auto range = StrokeTextLimits(box)) {
                text = range->max < 255 ? std::to_string(range->max)
                                        : std::to_string(200 + std::stoi(text.substr(6)));
            }
            window.SetText(box, text);
        }
        sink.Take();
    }

    VirtualClock clock;
    RecordingSink sink;
    LinkState link;
    StrokeAdjustment window{sink, clock, link};
};

struct StrokeFixture : ::testing::Test, StrokeRig {};

}  // namespace zorvex::testing
