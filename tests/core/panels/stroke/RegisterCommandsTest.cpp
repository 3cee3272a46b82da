#include <gtest/gtest.h>

#include "core/panels/stroke/RegisterCommands.h"
#include "core/panels/stroke/StrokeRegisters.h"

namespace zorvex {
namespace {

namespace reg = stroke_registers;
namespace store = stroke_stores;

struct CommandCase {
    std::string built;
    const char* expected;
};

class RegisterCommandTexts : public ::testing::TestWithParam<CommandCase> {};

TEST_P(RegisterCommandTexts, AreBuiltWithTheNumberAndBankInTheirOwnCase) {
    EXPECT_EQ(GetParam().built, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Families, RegisterCommandTexts,
    ::testing::Values(CommandCase{RegisterWrite(reg::kHWidth, "120"), "TYW04A120"},
                      CommandCase{RegisterWrite(reg::kXTurn, 1), "TYW2ba1"},
                      CommandCase{RegisterWrite(reg::kExtMemAccess, 1), "TYW23a1"},
                      CommandCase{RegisterWrite(reg::kPhaseShiftX, "7"), "TYW23A7"},
                      CommandCase{RegisterWrite(reg::kReadAddrHigh, "hi"), "TYW33bhi"},
                      CommandCase{RegisterWrite(reg::kEngineering33, "x"), "TYW33Bx"},
                      CommandCase{RegisterWrite(reg::kEngineeringRefresh, 0), "TYW67b0"},
                      CommandCase{RegisterWrite(reg::kGain, ""), "TYW2EA"},
                      CommandCase{RegisterWrite(reg::kHWidth, " "), "TYW04A "},
                      CommandCase{RegisterWrite(reg::kXOffsetMagnitude, 255), "TYW39B255"},
                      CommandCase{RegisterRead(reg::kDataHigh), "TYR28a"},
                      CommandCase{RegisterRead(reg::kFindData), "TYR56B"},
                      CommandCase{RegisterRead(reg::kDcm[7]), "TYR07A"},
                      CommandCase{SavedParameterWrite(store::kXTurn, 1), "TGW2B1"},
                      CommandCase{SavedParameterWrite(store::kGain, "100"), "TGW2E100"},
                      CommandCase{SavedParameterWrite(store::kTargetYEnd, ""), "TGW40"}));

TEST(RegisterCommands, TellApartTheSameNumberInBothCases) {
    EXPECT_NE(RegisterWrite(reg::kExtMemAccess, 1), RegisterWrite(reg::kPhaseShiftX, 1));
    EXPECT_NE(RegisterWrite(reg::kReadAddrLow, 1), RegisterWrite(reg::kEngineering32, 1));
    EXPECT_NE(RegisterWrite(reg::kWriteAddrLow, 1), RegisterWrite(reg::kAoiXStart, 1));
}

}  // namespace
}  // namespace zorvex
