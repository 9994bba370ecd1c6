// The panel dialog's decisions: what turns a read or an update away, what follows a judged state
// at start and after a change, and how a read spends its three attempts.
#include <gtest/gtest.h>

#include <vector>

#include "panel/PanelRules.h"

namespace {

struct FollowUpCase {
    PanelFlags flags;  // CanRead, CanUpdate, PrinterBusy, ReadPending, WritePending
    StateFollowUp atStart;
    StateFollowUp afterChange;  // with nothing loaded
};

TEST(PanelFollowUp, ByReadabilityRightsAndWhatIsInTheWay) {
    using F = StateFollowUp;
    const FollowUpCase cases[] = {
        {{1, 1, 0, 0, 0}, F::StartRead, F::StartRead},
        {{1, 0, 0, 0, 0}, F::StartRead, F::StartRead},
        {{1, 1, 1, 0, 0}, F::ShowNotLoaded, F::ShowNotLoaded},
        {{1, 1, 0, 1, 0}, F::ShowNotLoaded, F::ShowNotLoaded},
        {{1, 1, 0, 0, 1}, F::ShowNotLoaded, F::ShowNotLoaded},
        {{0, 1, 0, 0, 0}, F::ShowInitialValues, F::ShowInitialValues},
        // At start the initial values come whatever is in the way; after a change they wait.
        {{0, 1, 1, 0, 0}, F::ShowInitialValues, F::Nothing},
        {{0, 1, 0, 1, 0}, F::ShowInitialValues, F::Nothing},
        {{0, 1, 0, 0, 1}, F::ShowInitialValues, F::Nothing},
        {{0, 0, 0, 0, 0}, F::Nothing, F::Nothing},
        {{0, 0, 1, 1, 1}, F::Nothing, F::Nothing},
    };
    for (const FollowUpCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.flags.CanRead << c.flags.CanUpdate << c.flags.PrinterBusy
                                        << c.flags.ReadPending << c.flags.WritePending);
        EXPECT_EQ(FollowUpAtStart(c.flags), c.atStart);
        EXPECT_EQ(FollowUpAfterChange(c.flags, false), c.afterChange);
        // Loaded settings are never read again nor replaced.
        EXPECT_EQ(FollowUpAfterChange(c.flags, true), StateFollowUp::Nothing);
    }
}

TEST(PanelRefusal, WriteBeforeReadBeforeBusy) {
    struct Case {
        PanelFlags flags;
        uint32_t text;
    };
    const Case cases[] = {
        {{1, 1, 0, 0, 0}, 0},
        {{0, 0, 0, 0, 0}, 0},
        {{1, 1, 1, 0, 0}, IDS_PRINTER_BUSY},
        {{1, 1, 0, 1, 0}, IDS_BUSY_READING},
        {{1, 1, 1, 1, 0}, IDS_BUSY_READING},
        {{1, 1, 0, 0, 1}, IDS_BUSY_WRITING},
        {{1, 1, 1, 1, 1}, IDS_BUSY_WRITING},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BusyRefusalText(c.flags), c.text);
    }
    EXPECT_EQ(IDS_BUSY_WRITING, 115);
    EXPECT_EQ(IDS_BUSY_READING, 122);
    EXPECT_EQ(IDS_PRINTER_BUSY, 92);
}

TEST(PanelEdits, EnableUpdatingOnlyWithRightsAndAnIdlePrinter) {
    EXPECT_TRUE(EditEnablesUpdate({1, 1, 0, 0, 0}));
    EXPECT_TRUE(EditEnablesUpdate({0, 1, 0, 1, 1}));  // outstanding requests do not matter
    EXPECT_FALSE(EditEnablesUpdate({1, 1, 1, 0, 0}));
    EXPECT_FALSE(EditEnablesUpdate({1, 0, 0, 0, 0}));
}

TEST(PanelRead, ThreeAttemptsInAllThenThreeAgain) {
    // A block that never counts as loaded: the read and two more, then given up.
    int32_t left = kReadAttempts;
    std::vector<ReadDoneStep> steps;
    for (int reply = 0; reply < 6; ++reply) {
        const ReadDoneDecision decision = DecideReadDone(false, left);
        steps.push_back(decision.Step);
        left = decision.AttemptsLeft;
    }
    using S = ReadDoneStep;
    EXPECT_EQ(steps,
              (std::vector<S>{S::ReadAgain, S::ReadAgain, S::GiveUp, S::ReadAgain, S::ReadAgain, S::GiveUp}));
    EXPECT_EQ(left, kReadAttempts);

    // A loaded block ends the read and restores the budget, whatever was left.
    for (int32_t attempts : {3, 2, 1}) {
        const ReadDoneDecision decision = DecideReadDone(true, attempts);
        EXPECT_EQ(decision.Step, S::ShowSettings);
        EXPECT_EQ(decision.AttemptsLeft, kReadAttempts);
    }
    // A budget that is already spent (or was never set) cannot read for ever.
    for (int32_t attempts : {1, 0, -5}) {
        EXPECT_EQ(DecideReadDone(false, attempts).Step, S::GiveUp);
    }
}

TEST(PanelPicture, StateIconCentredInTheFrameTruncatingTowardZero) {
    EXPECT_EQ(StateIconOrigin(44, 44).X, 6);
    EXPECT_EQ(StateIconOrigin(45, 43).X, 6);
    EXPECT_EQ(StateIconOrigin(45, 43).Y, 5);
    // A frame narrower than the icon: the offset is negative and rounds toward zero.
    EXPECT_EQ(StateIconOrigin(29, 31).X, -1);
    EXPECT_EQ(StateIconOrigin(29, 31).Y, 0);
}

}  // namespace
