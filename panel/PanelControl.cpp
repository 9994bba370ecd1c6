#include "panel/PanelControl.h"

#include <cstring>
#include <type_traits>

#include "base/Messages.h"
#include "panel/PanelEdits.h"
#include "panel/PanelPages.h"
#include "panel/PanelWrite.h"
#include "panel/TabPages.h"
#include "settings/PanelSettings.h"

namespace {

// Where the user has not changed a setting on the pages since `before`, it takes its value in
// `after`: what the printer holds once a write is done.
void FollowOnPages(const PrinterSettings& before, const PrinterSettings& after) {
    PrinterSettings pages = PagesSettings();
    for (const SettingKey& key : SettingKeys()) {
        if (GetSettingValue(key, pages) == GetSettingValue(key, before))
            SetSettingValue(key, GetSettingValue(key, after), pages);
    }
    SetPagesSettings(pages);
}

void RunEffect(HWND panel, const PanelEffect& effect) {
    std::visit(
        [panel](const auto& e) {
            using E = std::decay_t<decltype(e)>;
            if constexpr (std::is_same_v<E, FillPages>) {
                // The caller refreshes the pages (alone, or with the whole panel) as its step needs.
                SetPagesSettings(e.Shown);
            } else if constexpr (std::is_same_v<E, DropShown>) {
                MarkSettingsNotLoaded();
            } else if constexpr (std::is_same_v<E, FollowValues>) {
                FollowOnPages(e.Before, e.After);
                // Edits typed on the pages since the write began are only there: they stay.
                if (!HasUnsentEdits(panel)) SendToPages(panel, WM_PAGE_REFRESH);
            } else if constexpr (std::is_same_v<E, ReadPrinterNow>) {
                ReadPrinterForWrite(panel);
            } else if constexpr (std::is_same_v<E, AskOverwrite>) {
                AskBeforeOverwriting(panel, e.Keys);
            } else if constexpr (std::is_same_v<E, SendSettings>) {
                SendWrite(panel, e.Values);
            }
        },
        effect);
}

}  // namespace

PanelModel* ModelOf(HWND panel) {
    PanelPages* pages = PanelPagesOf(panel);
    return pages ? &pages->State.Model : nullptr;
}

PrinterSettings PagesSettings() {
    PrinterSettings settings;
    settings.Record = PanelSettings;
    std::memcpy(settings.FeedPosOther, FeedPosOther, sizeof FeedPosOther);
    return settings;
}

void SetPagesSettings(const PrinterSettings& settings) {
    PanelSettings = settings.Record;
    std::memcpy(FeedPosOther, settings.FeedPosOther, sizeof FeedPosOther);
}

void Dispatch(HWND panel, const PanelEvent& event) {
    PanelModel* model = ModelOf(panel);
    if (!model) return;
    StepResult result = Step(std::move(*model), event);
    *model = std::move(result.Model);
    ShowEditState(panel);
    // An effect may run a box or a dialog, and with it a message loop: each one runs only while
    // the panel is still there, and hands its answer back as an event of its own.
    for (const PanelEffect& effect : result.Effects) {
        if (!ModelOf(panel)) return;
        RunEffect(panel, effect);
    }
    if (!result.Effects.empty() && ModelOf(panel)) ShowEditState(panel);
}

void TakePagesEdits(HWND panel) {
    if (const PanelModel* model = ModelOf(panel); model && SettingsLoaded()) {
        Dispatch(panel, UserChanged{model->Settings.Shown(), PagesSettings()});
    }
}

void TakeDialogEdits(HWND panel, const PrinterSettings& before, const PrinterSettings& after) {
    // The pages take the dialog's changes only while they hold settings: onto settings marked not
    // loaded they would make no sense, and the settings read next come with them.
    if (SettingsLoaded()) {
        // Field by field, as the dialog stored them: what it did not touch stays as the pages have it.
        static_assert(sizeof(PrinterSettings) % sizeof(int32_t) == 0);
        constexpr size_t kFields = sizeof(PrinterSettings) / sizeof(int32_t);
        PrinterSettings pages = PagesSettings();
        int32_t fields[kFields], was[kFields], now[kFields];
        std::memcpy(fields, &pages, sizeof pages);
        std::memcpy(was, &before, sizeof before);
        std::memcpy(now, &after, sizeof after);
        for (size_t i = 0; i < kFields; ++i) {
            if (now[i] != was[i]) fields[i] = now[i];
        }
        std::memcpy(&pages, fields, sizeof pages);
        SetPagesSettings(pages);
    }
    Dispatch(panel, UserChanged{before, after});
}
