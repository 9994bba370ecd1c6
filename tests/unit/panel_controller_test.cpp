// The panel's transition function: each way in which a user's or an administrator's settings were
// lost as a short sequence of events, with what must come of it.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "panel/PanelController.h"

namespace {

const SettingKey& Key(const char* name) { return *FindSettingKey(name); }

PrinterSettings With(PrinterSettings s, const char* key, int32_t value) {
    SetSettingValue(Key(key), value, s);
    return s;
}

PrinterSettings Initial() {
    PrinterSettings s;
    LoadInitialSettings(s.Record);
    return s;
}

const PrinterSettings kRead = With(With(Initial(), "FeedPosContFront", 24), "Form1.FeedPosCutSheet", 36);

SettingsFile FileNaming(std::initializer_list<std::pair<const char*, int32_t>> settings) {
    SettingsFile file;
    for (const auto& [key, value] : settings) file.Settings.push_back({&Key(key), value, 1});
    return file;
}

// Drives the model; keeps the effects of the last event.
struct Panel {
    PanelModel model;
    std::vector<PanelEffect> effects;

    Panel() { *this << SessionOpened{7} << SettingsRead{kRead}; }
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
    // The pages collected with one value changed by the user.
    Panel& Typed(const char* key, int32_t value) {
        return *this << UserChanged{model.Settings.Shown(), With(model.Settings.Shown(), key, value)};
    }
    Panel& Away() { return *this << EditStateEvent{EditEvent::PrinterUnusable} << SettingsDropped{}; }
    Panel& Back() { return *this << EditStateEvent{EditEvent::PrinterUsable}; }
    // 更新 up to the hand-over, the printer holding `now` (nothing: its read fails); OK to a question.
    const SendSettings* Update(std::optional<PrinterSettings> now) {
        *this << WriteWanted{};
        if (!Effect<ReadPrinterNow>()) return nullptr;
        *this << PrinterNow{now};
        if (Effect<AskOverwrite>()) *this << OverwriteAnswer{true} << PrinterNow{std::move(now)};
        return Effect<SendSettings>();
    }
};

struct Sequence {
    const char* name;
    std::function<void(Panel&)> events;
    std::optional<PrinterSettings> printerAtUpdate;     // nothing: the printer cannot be read then
    std::vector<std::pair<const char*, int32_t>> sent;  // settings sent with their values
};

const PrinterSettings imported = With(kRead, "PageLength", 72);  // another program's write

TEST(PanelController, EachWayOfLosingSettingsEndsWithTheUsersValuesOverThePrintersOwn) {
    const Sequence sequences[] = {
        {"a file's feed distances outside the lists",
         [](Panel& p) {
             p << FileApplied{FileNaming({{"FeedPosContFront", 37}, {"Form1.FeedPosCutSheet", 50}})};
         },
         kRead,
         {{"FeedPosContFront", 37}, {"Form1.FeedPosCutSheet", 50}}},
        {"an import beside an unrelated edit",
         [](Panel& p) { p.Typed("PostcardMode", 1); },
         imported,
         {{"PageLength", 72}, {"PostcardMode", 1}}},
        {"a partial file on a printer that cannot be read",
         [](Panel& p) {
             p << SessionOpened{8} << InitialValuesShown{Initial()}
               << FileApplied{FileNaming({{"PageLength", 40}})};
         },
         std::nullopt,
         {{"PageLength", 40}}},  // the rest as shown: the initial values
        {"the initial values asked for while nothing was loaded",
         [](Panel& p) {
             p << EditsDropped{} << SettingsDropped{} << InitialValuesAsked{Initial(), true};
         },
         std::nullopt,
         {}},
        {"a write that failed while the printer was away",
         [](Panel& p) {
             p.Typed("PageLength", 50).Update(kRead);
             p << EditStateEvent{EditEvent::WriteAccepted};
             p.Away() << WriteEnded{false};
             p.Back();
         },
         imported,
         {{"PageLength", 50}}},
        {"a detail dialog's OK after the printer went and came back",
         [](Panel& p) {
             const PrinterSettings opened = p.model.Settings.Shown();
             p.Away().Back() << SettingsRead{imported}
                             << UserChanged{opened, With(opened, "Form2.LeftMargin", 5)};
         },
         imported,
         {{"Form2.LeftMargin", 5}, {"PageLength", 72}}},
        {"a detail dialog's OK while the printer was away",
         [](Panel& p) {
             const PrinterSettings opened = p.model.Settings.Shown();
             p.Away() << UserChanged{opened, With(opened, "Form2.LeftMargin", 5)};
             p.Back() << SettingsRead{imported};
         },
         imported,
         {{"Form2.LeftMargin", 5}, {"PageLength", 72}}},
    };
    for (const Sequence& s : sequences) {
        SCOPED_TRACE(s.name);
        Panel panel;
        s.events(panel);
        EXPECT_TRUE(OffersUpdate(panel.model.EditState, {1, 1, 0, 0, 0}, true));
        const PrinterSettings base = s.printerAtUpdate.value_or(panel.model.Settings.Base);
        const SendSettings* sent = panel.Update(s.printerAtUpdate);
        ASSERT_NE(sent, nullptr);
        PrinterSettings expected = base;
        for (const auto& [key, value] : s.sent) SetSettingValue(Key(key), value, expected);
        for (const SettingKey& key : SettingKeys())
            EXPECT_EQ(GetSettingValue(key, sent->Values), GetSettingValue(key, expected)) << key.Key;
        EXPECT_EQ(sent->Values.Record.SwitchBits, base.Record.SwitchBits) << "switches nobody touched";
    }
}

// A setting edited here and changed on the printer since it was read (72): asked once, naming it,
// unless the user typed the printer's new value; Cancel keeps the edit unsent, OK writes it; an
// answer to a question no longer asked does nothing.
TEST(PanelController, ASettingChangedOnBothSidesIsAskedAboutOnce) {
    for (const int32_t typed : {50, 72, 66}) {  // 66: typed back to the value read
        SCOPED_TRACE(typed);
        Panel panel;
        panel.Typed("PageLength", 50).Typed("PageLength", typed) << WriteWanted{} << PrinterNow{imported};
        const AskOverwrite* asked = panel.Effect<AskOverwrite>();
        ASSERT_EQ(asked != nullptr, typed != 72);
        if (!asked) continue;
        EXPECT_EQ(SettingLabels(asked->Keys), "\n・" + Key("PageLength").Label);
        Panel cancelled = panel;
        cancelled << OverwriteAnswer{false};
        EXPECT_TRUE(cancelled.effects.empty());
        EXPECT_EQ(cancelled.model.EditState.State, EditState::Unsent);
        EXPECT_TRUE((cancelled << OverwriteAnswer{true}).effects.empty());
        // OK reads the printer again: what another program wrote while the question was up stays.
        panel << OverwriteAnswer{true};
        ASSERT_NE(panel.Effect<ReadPrinterNow>(), nullptr);
        panel << PrinterNow{With(imported, "PostcardMode", 1)};
        ASSERT_NE(panel.Effect<SendSettings>(), nullptr);
        EXPECT_EQ(panel.Effect<SendSettings>()->Values.Record.PageLength, typed);
        EXPECT_EQ(panel.Effect<SendSettings>()->Values.Record.PostcardMode, 1);
        panel << WriteEnded{true};
        EXPECT_NE(panel.Effect<FollowValues>(), nullptr) << "the pages follow the printer";
        EXPECT_TRUE(panel.model.Settings.Edits.Empty());
    }
}

// A file dialog's answer counts only for the settings it was opened on.
TEST(PanelController, AFileDialogAnswersOnlyForTheSettingsItWasOpenedOn) {
    const std::pair<std::function<void(Panel&)>, bool> meanwhile[] = {
        {[](Panel&) {}, true},
        {[](Panel& p) { p.Typed("PageLength", 50).Away(); }, true},  // an edit held while away
        {[](Panel& p) { p.Away(); }, false},
        {[](Panel& p) { p << SettingsRead{kRead}; }, false},
        {[](Panel& p) { p << SessionOpened{7} << SettingsRead{kRead}; }, false},
    };
    for (const auto& [events, same] : meanwhile) {
        Panel panel;
        const SettingsTicket ticket = TicketOf(panel.model.Settings);
        events(panel);
        EXPECT_EQ(StillTheSame(panel.model.Settings, ticket), same) << &events - &meanwhile[0].first;
    }
}

}  // namespace
