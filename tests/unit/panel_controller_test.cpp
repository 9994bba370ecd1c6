// The panel's transition function: short sequences of events, each one a way in which a user's or
// an administrator's settings were lost, and what must come of it; then random sequences against a
// small model of what the user asked for.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "panel/PanelController.h"
#include "settings/SettingsFile.h"

namespace {

const SettingKey& Key(const char* name) { return *FindSettingKey(name); }

PrinterSettings Initial() {
    PrinterSettings s;
    LoadInitialSettings(s.Record);
    return s;
}

PrinterSettings With(PrinterSettings s, const char* key, int32_t value) {
    SetSettingValue(Key(key), value, s);
    return s;
}

int32_t ValueOf(const PrinterSettings& s, const char* key) { return GetSettingValue(Key(key), s); }

SettingsFile FileNaming(std::initializer_list<std::pair<const char*, int32_t>> settings) {
    SettingsFile file;
    for (const auto& [key, value] : settings) file.Settings.push_back({&Key(key), value, 1});
    return file;
}

// Drives the model and keeps every effect, the last ones first to hand.
struct Panel {
    PanelModel model;
    std::vector<PanelEffect> effects;

    Panel& operator<<(const PanelEvent& event) {
        StepResult result = Step(model, event);
        model = std::move(result.Model);
        effects = std::move(result.Effects);
        return *this;
    }
    template <typename E>
    const E* Effect() const {
        for (const PanelEffect& e : effects)
            if (const E* found = std::get_if<E>(&e)) return found;
        return nullptr;
    }
    // The pages collected: what they show now, with one value changed by the user.
    Panel& Typed(const char* key, int32_t value) {
        return *this << UserChanged{model.Settings.Shown(), With(model.Settings.Shown(), key, value)};
    }
    // 更新 up to the hand-over, with the printer holding `now` (nothing: its read failed).
    const SendSettings* Update(std::optional<PrinterSettings> now) {
        *this << WriteWanted{};
        if (!Effect<ReadPrinterNow>()) return nullptr;
        *this << PrinterNow{std::move(now)};
        return Effect<SendSettings>();
    }
};

Panel ReadFrom(const PrinterSettings& printer) {
    Panel run;
    run << SessionOpened{7} << SettingsRead{printer};
    return run;
}

const PrinterSettings kPrinter = With(With(Initial(), "FeedPosContFront", 24), "Form1.FeedPosCutSheet", 36);

// A file's feed distances that no list names reach the printer as they are, however the printer's
// own block reads.
TEST(PanelController, FileFeedDistancesOutsideTheListsAreWrittenAsTheyAre) {
    Panel run = ReadFrom(kPrinter);
    run << FileApplied{FileNaming({{"FeedPosContFront", 37}, {"Form1.FeedPosCutSheet", 50}})};
    ASSERT_NE(run.Effect<FillPages>(), nullptr);
    EXPECT_EQ(ValueOf(run.Effect<FillPages>()->Shown, "FeedPosContFront"), 37);
    const SendSettings* sent = run.Update(kPrinter);
    ASSERT_NE(sent, nullptr);
    EXPECT_EQ(ValueOf(sent->Values, "FeedPosContFront"), 37);
    EXPECT_EQ(ValueOf(sent->Values, "Form1.FeedPosCutSheet"), 50);
}

// What another program wrote meanwhile stays unless the user changed the same setting, and then
// the user is asked once, naming it.
TEST(PanelController, AWriteSendsTheEditsOverWhatThePrinterHoldsNow) {
    const PrinterSettings imported = With(kPrinter, "PageLength", 72);
    struct Case {
        const char* name;
        std::function<void(Panel&)> edit;
        bool asked;
        int32_t pageLength, postcard;  // sent
    } cases[] = {
        {"another setting edited", [](Panel& r) { r.Typed("PostcardMode", 1); }, false, 72, 1},
        {"the same setting edited", [](Panel& r) { r.Typed("PageLength", 50); }, true, 50, 0},
        {"edited to the printer's new value", [](Panel& r) { r.Typed("PageLength", 72); }, false, 72, 0},
        {"edited and put back", [](Panel& r) { r.Typed("PageLength", 50).Typed("PageLength", 66); }, true, 66,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Panel run = ReadFrom(kPrinter);
        c.edit(run);
        const SendSettings* sent = run.Update(imported);
        const AskOverwrite* asked = run.Effect<AskOverwrite>();
        ASSERT_EQ(asked != nullptr, c.asked);
        if (asked) {
            EXPECT_EQ(SettingLabels(asked->Keys), "\n・" + Key("PageLength").Label);
            EXPECT_EQ(sent, nullptr);
            Panel cancelled = run;
            cancelled << OverwriteAnswer{false};
            EXPECT_TRUE(cancelled.effects.empty());
            EXPECT_EQ(cancelled.model.EditState.State, EditState::Unsent) << "the edits stay unsent";
            cancelled << OverwriteAnswer{true};
            EXPECT_TRUE(cancelled.effects.empty()) << "an answer to a question no longer asked";
            run << OverwriteAnswer{true};
            sent = run.Effect<SendSettings>();
        }
        ASSERT_NE(sent, nullptr);
        EXPECT_EQ(ValueOf(sent->Values, "PageLength"), c.pageLength);
        EXPECT_EQ(ValueOf(sent->Values, "PostcardMode"), c.postcard);
        run << WriteEnded{true};
        ASSERT_NE(run.Effect<FollowValues>(), nullptr) << "the pages follow the printer's values";
        EXPECT_EQ(ValueOf(run.model.Settings.Shown(), "PageLength"), c.pageLength);
        EXPECT_TRUE(run.model.Settings.Edits.Empty());
    }
}

// Settings not read from the printer are written as shown: a partial file asks first, and what it
// leaves out is sent as the values shown.
TEST(PanelController, APartialFileOverValuesNotReadFromThePrinterAsksFirst) {
    const SettingsFile partial = FileNaming({{"PageLength", 40}});
    const SettingsFile whole = SettingsOf(kPrinter);
    Panel read = ReadFrom(kPrinter);
    EXPECT_FALSE(FileNeedsQuestion(read.model.Settings, partial));
    Panel initialAsked = read;
    initialAsked << InitialValuesAsked{Initial(), true};
    EXPECT_TRUE(FileNeedsQuestion(initialAsked.model.Settings, partial));

    Panel updateOnly;
    updateOnly << SessionOpened{7} << InitialValuesShown{Initial()};
    EXPECT_TRUE(FileNeedsQuestion(updateOnly.model.Settings, partial));
    EXPECT_FALSE(FileNeedsQuestion(updateOnly.model.Settings, whole));
    updateOnly << FileApplied{partial};
    const SendSettings* sent = updateOnly.Update(std::nullopt);
    ASSERT_NE(sent, nullptr);
    EXPECT_EQ(sent->Values.Record.PageLength, 40);
    EXPECT_EQ(ValueOf(sent->Values, "FeedPosContFront"), ValueOf(Initial(), "FeedPosContFront"));
}

// A file dialog's answer counts only for the settings it was opened on.
TEST(PanelController, AFileDialogIsBoundToThePrinterAndSettingsItWasOpenedFor) {
    struct Case {
        const char* name;
        std::function<void(Panel&)> meanwhile;
        bool same;
    } cases[] = {
        {"nothing happened", [](Panel&) {}, true},
        {"an edit held while the printer is offline",
         [](Panel& r) {
             r.Typed("PageLength", 50) << EditStateEvent{EditEvent::PrinterUnusable} << SettingsDropped{};
         },
         true},
        {"offline, the settings dropped", [](Panel& r) { r << SettingsDropped{}; }, false},
        {"read again", [](Panel& r) { r << SettingsRead{kPrinter}; }, false},
        {"another printer", [](Panel& r) { r << SessionOpened{8} << SettingsRead{kPrinter}; }, false},
        {"the same printer's new session", [](Panel& r) { r << SessionOpened{7} << SettingsRead{kPrinter}; },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Panel run = ReadFrom(kPrinter);
        const SettingsTicket ticket = TicketOf(run.model.Settings);
        c.meanwhile(run);
        EXPECT_EQ(StillTheSame(run.model.Settings, ticket), c.same);
    }
}

// A write under way when the printer goes, which then fails: the values come back as edits that
// can be written once the printer is back.
TEST(PanelController, AWriteThatFailsWhileThePrinterIsAwayLeavesWritableEdits) {
    for (const bool timedOut : {false, true}) {
        SCOPED_TRACE(timedOut ? "timed out" : "failed");
        Panel run = ReadFrom(kPrinter);
        run.Typed("PageLength", 50);
        ASSERT_NE(run.Update(kPrinter), nullptr);
        run << EditStateEvent{EditEvent::WriteAccepted} << EditStateEvent{EditEvent::PrinterUnusable}
            << SettingsDropped{} << WriteEnded{false} << EditStateEvent{EditEvent::PrinterUsable};
        EXPECT_EQ(run.model.EditState.State, EditState::Unsent);
        EXPECT_EQ(run.model.Settings.Source, ShownSource::Printer);
        EXPECT_TRUE(OffersUpdate(run.model.EditState, {1, 1, 0, 0, 0}, true));
        const SendSettings* again = run.Update(kPrinter);
        ASSERT_NE(again, nullptr);
        EXPECT_EQ(again->Values.Record.PageLength, 50);
    }
}

// A detail dialog's OK after the printer went and came back puts only what the dialog changed over
// the settings read since; switches the user never touched stay as read.
TEST(PanelController, ADetailDialogsOkAfterThePrinterCameBackKeepsOnlyItsChange) {
    const PrinterSettings reread = With(kPrinter, "PageLength", 70);
    for (const bool okWhileAway : {false, true}) {
        SCOPED_TRACE(okWhileAway ? "OK while away" : "OK after the read");
        Panel run = ReadFrom(kPrinter);
        const PrinterSettings opened = run.model.Settings.Shown();
        const PrinterSettings closed = With(opened, "Form2.LeftMargin", 5);
        run << EditStateEvent{EditEvent::PrinterUnusable} << SettingsDropped{};
        if (okWhileAway) run << UserChanged{opened, closed};
        run << EditStateEvent{EditEvent::PrinterUsable} << SettingsRead{reread};
        if (!okWhileAway) run << UserChanged{opened, closed};
        EXPECT_EQ(run.model.EditState.State, EditState::Unsent);
        const PrinterSettings shown = run.model.Settings.Shown();
        EXPECT_EQ(shown.Record.Forms[1].LeftMargin, 5);
        EXPECT_EQ(shown.Record.PageLength, 70);
        EXPECT_EQ(shown.Record.SwitchBits, kPrinter.Record.SwitchBits);
        EXPECT_EQ(run.model.Settings.Edits.Count(), 1u);
    }
}

// Random events against a small model: whatever happens, a write sends exactly the user's values
// over what the printer holds then, and nothing is sent that nobody asked for.
TEST(PanelController, RandomSequencesSendTheUsersValuesOverThePrintersOwn) {
    const char* const keys[] = {"PageLength", "PostcardMode", "FeedPosContFront", "Form3.RightMargin"};
    const int32_t values[] = {40, 1, 37, 100};
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        std::mt19937 random(seed);
        const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
        PrinterSettings printer = kPrinter;
        Panel run = ReadFrom(printer);
        std::map<std::string, int32_t> asked;  // the user's values since the last read or write
        for (int step = 0; step < 60; ++step) {
            SCOPED_TRACE("seed " + std::to_string(seed) + " step " + std::to_string(step));
            const int k = pick(4);
            const int event = pick(6);
            SCOPED_TRACE("event " + std::to_string(event) + " key " + keys[k]);
            switch (event) {
                case 0: {
                    const int32_t value = values[k] + pick(2);
                    if (value != ValueOf(run.model.Settings.Shown(), keys[k]) || asked.count(keys[k]))
                        asked[keys[k]] = value;
                    run.Typed(keys[k], value);
                    break;
                }
                case 1:  // another program writes the printer
                    printer = With(printer, keys[k], values[k] + pick(3));
                    break;
                case 2:
                    run << EditStateEvent{EditEvent::PrinterUnusable} << SettingsDropped{}
                        << EditStateEvent{EditEvent::PrinterUsable};
                    if (run.model.Settings.Source == ShownSource::Nothing) {
                        run << SettingsRead{printer};
                        asked.clear();
                    }
                    break;
                default: {
                    const PrinterSettings before = printer;
                    const SendSettings* sent = run.Update(printer);
                    if (run.Effect<AskOverwrite>()) {
                        run << OverwriteAnswer{pick(2) == 0};
                        sent = run.Effect<SendSettings>();
                    }
                    if (!sent) break;
                    for (const SettingKey& key : SettingKeys()) {
                        const auto wanted = asked.find(key.Key);
                        ASSERT_EQ(GetSettingValue(key, sent->Values),
                                  wanted != asked.end() ? wanted->second : GetSettingValue(key, before))
                            << key.Key;
                    }
                    printer = sent->Values;
                    run << EditStateEvent{EditEvent::WriteAccepted} << WriteEnded{true};
                    asked.clear();
                    ASSERT_EQ(run.model.EditState.State, EditState::None);
                }
            }
        }
    }
}

}  // namespace
