// What each button of the stroke window sends, in order.
#include <cstdlib>

#include "core/link/LinkState.h"
#include "core/panels/stroke/StrokeAdjustment.h"
#include "core/panels/stroke/StrokeRegisters.h"
#include "core/support/Timer.h"

namespace zorvex {

namespace {
namespace reg = stroke_registers;
namespace store = stroke_stores;
using C = StrokeButton;
using T = StrokeText;
}  // namespace

StrokeNotice StrokeAdjustment::Press(StrokeButton button) {
    if (!open_) {
        return StrokeNotice::None;
    }
    if (button == C::Command7) {
        return LoadSavedData();
    }
    if (button >= C::Command30_0 || button == C::Command23_1 || button == C::Command23_2) {
        PressSave(button);
    } else if (button == C::Command2 || button == C::Command3 || button == C::Command4 ||
               button == C::Command5 || button == C::Command8 || button == C::Command9 ||
               button == C::Command11 || button == C::Command12 || button == C::Command13 ||
               (button >= C::Command22_0 && button <= C::Command23_0)) {
        PressLive(button);
    } else {
        PressEngineering(button);
    }
    return StrokeNotice::None;
}

StrokeNotice StrokeAdjustment::LoadSavedData() {
    if (!link_.AutoPingEnabled) {
        return StrokeNotice::EnableAutoPingFirst;
    }
    Send("dz");
    return StrokeNotice::None;
}

void StrokeAdjustment::PressLive(StrokeButton button) {
    auto write = [this](Register r, StrokeText box) {
        if (const auto value = Writable(box)) {
            Send(RegisterWrite(r, *value));
        }
    };
    switch (button) {
        case C::Command2:
            write(reg::kHWidth, T::Text1_0);
            write(reg::kHLong, T::Text1_1);
            break;
        case C::Command11:
            write(reg::kShortHWidth, T::Text1_9);
            write(reg::kShortHLong, T::Text1_10);
            break;
        case C::Command3:
            write(reg::kVWidth, T::Text1_2);
            write(reg::kVLong, T::Text1_3);
            break;
        case C::Command12:
            write(reg::kShortVWidth, T::Text1_11);
            write(reg::kShortVLong, T::Text1_12);
            break;
        case C::Command5:
            write(reg::kSmallDelta, T::Text1_4);
            write(reg::kBigDelta, T::Text1_5);
            break;
        case C::Command4:
            write(reg::kFilterOrder, T::TxtFilterOrder);
            break;
        case C::Command8:
            write(reg::kSignalAveraging, T::Text1_13);
            break;
        case C::Command9:
            write(reg::kFrameCount, T::Text1_6);
            break;
        case C::Command13:
            write(reg::kFrameAveraging, T::Text1_14);
            break;
        case C::Command22_0:
            write(reg::kFilterOrder, T::Text5_0);
            break;
        case C::Command22_1:
            write(reg::kSmallDelta, T::Text5_1);
            break;
        case C::Command22_2:
            write(reg::kBright2, T::Text5_2);
            break;
        case C::Command22_3:
            write(reg::kBright1, T::Text5_3);
            break;
        case C::Command23_0:
            write(reg::kAoiXStart, T::Text11_0);
            write(reg::kAoiXEnd, T::Text11_1);
            write(reg::kAoiYStart, T::Text11_2);
            write(reg::kAoiYEnd, T::Text11_3);
            write(reg::kTargetXStart, T::Text11_4);
            write(reg::kTargetXEnd, T::Text11_5);
            write(reg::kTargetYStart, T::Text11_6);
            write(reg::kTargetYEnd, T::Text11_7);
            break;
        default:
            break;
    }
}

// Every "Save" stores what its control shows now; a box that holds no valid value and an
// option group with nothing selected store nothing.
void StrokeAdjustment::PressSave(StrokeButton button) {
    auto save = [this](SavedParameter p, StrokeText box) {
        if (const auto value = Writable(box)) {
            Send(SavedParameterWrite(p, *value));
        }
    };
    auto saveNumber = [this](SavedParameter p, int value) { Send(SavedParameterWrite(p, value)); };
    auto saveOption = [&](SavedParameter p, StrokeOptionGroup group) {
        if (const auto index = SelectedOption(group)) {
            saveNumber(p, *index);
        }
    };
    auto saveOffset = [&](SavedParameter sign, SavedParameter magnitude, StrokeBar bar) {
        saveNumber(sign, OffsetSignCode(Bar(bar)));
        saveNumber(magnitude, std::abs(Bar(bar)));
    };
    switch (button) {
        case C::Command30_0:
            saveOption(store::kHWidth, StrokeOptionGroup::AverageOrder);
            break;
        case C::Command30_1:
            saveOption(store::kTestPattern, StrokeOptionGroup::TestPattern);
            break;
        case C::Command30_2:
            saveNumber(store::kXTurn, Turn(StrokeTurn::X) ? 1 : 0);
            break;
        case C::Command30_3:
            saveNumber(store::kYTurn, Turn(StrokeTurn::Y) ? 1 : 0);
            break;
        case C::Command30_4:
            saveNumber(store::kGainSign, 0);
            saveNumber(store::kGain, Bar(StrokeBar::Gain));
            break;
        case C::Command30_5:
            save(store::kFrameAveraging, T::Text1_14);
            break;
        case C::Command30_6:
            save(store::kHWidth, T::Text1_0);
            save(store::kHLong, T::Text1_1);
            break;
        case C::Command30_7:
            save(store::kVWidth, T::Text1_2);
            save(store::kVLong, T::Text1_3);
            break;
        case C::Command30_8:
            save(store::kSmallDelta, T::Text1_4);
            save(store::kBigDelta, T::Text1_5);
            break;
        case C::Command30_9:
            saveOffset(store::kXOffsetSign, store::kXOffsetMagnitude, StrokeBar::XOffset);
            break;
        case C::Command30_10:
            saveOffset(store::kYOffsetSign, store::kYOffsetMagnitude, StrokeBar::YOffset);
            break;
        case C::Command30_11:
            save(store::kFilterOrder, T::TxtFilterOrder);
            break;
        case C::Command30_12:
            save(store::kSignalAveraging, T::Text1_13);
            break;
        case C::Command30_13:
            save(store::kFrameCount, T::Text1_6);
            break;
        case C::Command30_14:
            save(store::kFilterOrder, T::Text5_0);
            break;
        case C::Command30_15:
            save(store::kShortHWidth, T::Text1_9);
            save(store::kShortHLong, T::Text1_10);
            break;
        case C::Command30_16:
            save(store::kShortVWidth, T::Text1_11);
            save(store::kShortVLong, T::Text1_12);
            break;
        case C::Command30_17:
            saveOption(store::kLineType, StrokeOptionGroup::LineType);
            break;
        case C::Command30_18:
            save(store::kSmallDelta, T::Text5_1);
            break;
        case C::Command23_1:
            save(store::kAoiXStart, T::Text11_0);
            save(store::kAoiXEnd, T::Text11_1);
            save(store::kAoiYStart, T::Text11_2);
            save(store::kAoiYEnd, T::Text11_3);
            save(store::kTargetXStart, T::Text11_4);
            save(store::kTargetXEnd, T::Text11_5);
            save(store::kTargetYStart, T::Text11_6);
            save(store::kTargetYEnd, T::Text11_7);
            break;
        case C::Command23_2:
            saveOption(store::kBigDelta, StrokeOptionGroup::TestChannel);
            break;
        default:
            break;
    }
}

void StrokeAdjustment::PressEngineering(StrokeButton button) {
    auto write = [this](Register r, StrokeText box) { Send(RegisterWrite(r, V(box))); };
    auto pulse = [this](Register r, int value) { Send(RegisterWrite(r, value)); };
    auto read = [this](Register r) { Send(RegisterRead(r)); };
    if (button >= C::Command10_0 && button <= C::Command10_7) {
        read(reg::kDcm[static_cast<int>(button) - static_cast<int>(C::Command10_0)]);
        return;
    }
    switch (button) {
        case C::Command6:
            pulse(reg::kDcmReset, 0);
            pulse(reg::kDcmReset, 1);
            pulse(reg::kDcmReset, 0);
            break;
        case C::Command21:
            pulse(reg::kDcmReset, 1);
            pulse(reg::kDcmReset, 0);
            break;
        case C::Command1_1:
            write(reg::kPhaseShiftX, T::Text2_1);
            break;
        case C::Command1_2:
            write(reg::kPhaseShiftY, T::Text2_2);
            break;
        case C::Command1_11:
            pulse(reg::kEngineeringRefresh, 1);
            pulse(reg::kEngineeringRefresh, 0);
            break;
        case C::Command15_0:
            write(reg::kEngineering32, T::Text3_0);
            break;
        case C::Command15_1:
            write(reg::kEngineering33, T::Text3_1);
            break;
        case C::Command16_0:
            write(reg::kUnblankOffLimit, T::Text6_0);
            break;
        case C::Command16_1:
            write(reg::kUnblankOnLimit, T::Text6_1);
            break;
        case C::Command19:
            write(reg::kAoiYStart, T::Text9);
            break;
        case C::Command14_0:
            pulse(reg::kFrameAveraging, 1);
            write(reg::kRamHAddr, T::Text4_0);
            pulse(reg::kRamHAddrStrobe, 1);
            read(reg::kRamHAddrRead1);
            read(reg::kRamHAddrRead2);
            pulse(reg::kRamHAddrStrobe, 0);
            pulse(reg::kFrameAveraging, 0);
            break;
        case C::Command14_1:
            pulse(reg::kFrameAveraging, 1);
            write(reg::kRamHData, T::Text4_1);
            pulse(reg::kRamHDataStrobe, 1);
            read(reg::kRamHDataRead1);
            read(reg::kRamHDataRead2);
            pulse(reg::kRamHDataStrobe, 0);
            pulse(reg::kFrameAveraging, 0);
            break;
        case C::Command18_0:
            pulse(reg::kExtMemAccess, 1);
            break;
        case C::Command18_1:
            pulse(reg::kExtMemAccess, 0);
            pulse(reg::kReadStrobe, 0);
            pulse(reg::kWriteStrobe, 0);
            break;
        case C::Command20_0:
            write(reg::kUnblankOnLimit, T::Text10_0);
            write(reg::kConstantInput2, T::Text10_1);
            pulse(reg::kFrameAveraging, 1);
            break;
        case C::Command20_4:
            read(reg::kResultConstant);
            break;
        case C::Command20_13:
            read(reg::kInconstantData);
            break;
        case C::Command20_15:
            read(reg::kFindAddrHigh);
            break;
        case C::Command20_16:
            read(reg::kFindAddrLow);
            break;
        case C::Command20_17:
            read(reg::kFindData);
            break;
        case C::Command20_18:
            pulse(reg::kNextDataSet, 1);
            pulse(reg::kNextDataSet, 0);
            break;
        case C::Command17_0:
            write(reg::kCframeControl, T::Text7_6);
            write(reg::kReadAddrHigh, T::Text7_0);
            write(reg::kReadAddrLow, T::Text7_1);
            pulse(reg::kReadStrobe, 1);
            pulse(reg::kReadStrobe, 0);
            read(reg::kDataHigh);
            read(reg::kDataLow);
            break;
        case C::Command17_1:
            write(reg::kCframeControl, T::Text7_6);
            write(reg::kWriteAddrHigh, T::Text7_2);
            write(reg::kWriteAddrLow, T::Text7_3);
            write(reg::kDataHigh, T::Text7_4);
            write(reg::kDataLow, T::Text7_5);
            pulse(reg::kWriteStrobe, 1);
            pulse(reg::kWriteStrobe, 0);
            break;
        case C::Command17_2:
            // One timer only: a second start keeps the running one going.
            if (!dumpTimer_->IsActive()) {
                dumpTimer_->Start(kDumpIntervalMs);
            }
            Changed();
            break;
        case C::Command17_3:
            dumpTimer_->Stop();
            Changed();
            break;
        default:
            break;
    }
}

}  // namespace zorvex
