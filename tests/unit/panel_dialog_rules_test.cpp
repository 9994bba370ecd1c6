// The panel dialog's decisions: what turns a read or an update away, what follows a judged state
// at start and after a change, and how a read spends its three attempts.
#include <gtest/gtest.h>

#include <vector>

#include "panel/PanelRules.h"
#include "panel/PanelState.h"

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

// Every event from every edit state, with the printer usable and not: edits are dropped only by
// Discarded, a write's failure makes its values unsent again, and an unusable printer holds them.
TEST(PanelEdits, EveryEventFromEveryState) {
    using S = EditState;
    using E = EditEvent;
    constexpr S N = S::None, U = S::Unsent, H = S::Held;
    struct Case {
        PanelEdits from;
        E event;
        PanelEdits to;
    };
    const Case cases[] = {
        {{N, false}, E::Edited, {U, false}},         {{N, true}, E::Edited, {H, true}},
        {{U, false}, E::Edited, {U, false}},         {{H, true}, E::Edited, {H, true}},
        {{U, false}, E::WriteAccepted, {N, false}},  {{H, true}, E::WriteAccepted, {H, true}},
        {{N, false}, E::WriteFailed, {U, false}},    {{N, true}, E::WriteFailed, {H, true}},
        {{U, false}, E::WriteFailed, {U, false}},    {{U, false}, E::PrinterUnusable, {H, true}},
        {{N, false}, E::PrinterUnusable, {N, true}}, {{H, true}, E::PrinterUsable, {U, false}},
        {{N, true}, E::PrinterUsable, {N, false}},   {{U, false}, E::Discarded, {N, false}},
        {{H, true}, E::Discarded, {N, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << int(c.from.State) << c.from.PrinterUnusable << " event " << int(c.event));
        EXPECT_EQ(NextEdits(c.from, c.event), c.to);
    }
    // What would be lost, and when the update buttons offer the edits.
    EXPECT_FALSE(EditsWouldBeLost({N, true}));
    EXPECT_TRUE(EditsWouldBeLost({U, false}) && EditsWouldBeLost({H, true}));
    const PanelFlags idle{1, 1, 0, 0, 0};
    EXPECT_TRUE(OffersUpdate({U, false}, idle, true));
    EXPECT_TRUE(OffersUpdate({U, false}, {0, 1, 0, 1, 0}, true));  // a read under way does not matter
    for (const PanelFlags& flags :
         {PanelFlags{1, 0, 0, 0, 0}, PanelFlags{1, 1, 1, 0, 0}, PanelFlags{1, 1, 0, 0, 1}}) {
        EXPECT_FALSE(OffersUpdate({U, false}, flags, true));
    }
    EXPECT_FALSE(OffersUpdate({U, false}, idle, false));
    EXPECT_FALSE(OffersUpdate({H, true}, idle, true));
    EXPECT_FALSE(OffersUpdate({N, false}, idle, true));
}

// A reply is a request's only while that request is outstanding on the session it was made on.
TEST(PanelRequests, MatchedByKindNumberAndSession) {
    const PanelRequest write{RequestKind::Write, 7, 3};
    EXPECT_TRUE(StillOutstanding(write, write, 7));
    EXPECT_FALSE(StillOutstanding(write, write, 8));                       // another session now
    EXPECT_FALSE(StillOutstanding(write, write, 0));                       // none open
    EXPECT_FALSE(StillOutstanding(write, {RequestKind::Write, 7, 2}, 7));  // an earlier write
    EXPECT_FALSE(StillOutstanding({RequestKind::Read, 7, 3}, write, 7));   // a read now
    EXPECT_FALSE(StillOutstanding({}, write, 7));                          // nothing outstanding
    EXPECT_FALSE(StillOutstanding(PanelRequest{}, PanelRequest{}, 7));
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
