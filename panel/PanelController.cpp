#include "panel/PanelController.h"

namespace {

// Whether the edits of the model would be lost by replacing what is shown.
bool KeepsEdits(const PanelModel& model) { return EditsWouldBeLost(model.EditState); }

void ForgetWrite(ShownSettings& settings) {
    settings.WriteShown.reset();
    settings.WriteValues.reset();
    settings.ToOverwrite.clear();
    settings.AskedOver.reset();
}

// A new base: the edits the user still has stay over it, none else.
void Rebase(PanelModel& model, const PrinterSettings& base, ShownSource source) {
    ShownSettings& s = model.Settings;
    if (!KeepsEdits(model)) {
        s.Edits.Clear();
        s.InitialValuesAsked = false;
    }
    s.Base = base;
    s.Source = source;
    ++s.Serial;
}

struct Stepper {
    PanelModel& model;
    std::vector<PanelEffect>& effects;
    ShownSettings& s = model.Settings;

    void Edited() { model.EditState = NextEdits(model.EditState, EditEvent::Edited); }
    void Fill() { effects.push_back(FillPages{s.Shown()}); }

    void operator()(const SessionOpened& e) {
        // The serial goes on counting, so that no ticket of the old session fits the new one.
        const uint32_t serial = s.Serial;
        model = PanelModel{};
        s.Session = e.Session;
        s.Serial = serial + 1;
    }
    void operator()(const SettingsRead& e) {
        // Edits made only on the pages, not yet collected, are in no model: replacing the pages
        // would drop them, so the read does not replace them (the pages keep what they show).
        if (KeepsEdits(model) && s.Edits.Empty()) return;
        Rebase(model, e.Read, ShownSource::Printer);
        Fill();
    }
    void operator()(const SettingsDropped&) {
        // Edits the user still has are held on the pages with the settings they were made over,
        // and the values of a write under way with it: either may be needed again.
        if (KeepsEdits(model) || s.WriteValues || s.WriteShown || s.Source == ShownSource::Nothing) return;
        s.Edits.Clear();
        s.InitialValuesAsked = false;
        s.Source = ShownSource::Nothing;
        ++s.Serial;
        effects.push_back(DropShown{});
    }
    void operator()(const InitialValuesShown& e) {
        Rebase(model, e.Initial, ShownSource::InitialValues);
        Fill();
    }
    void operator()(const InitialValuesAsked& e) {
        // Over nothing loaded (a read under way, or given up) the initial values are the base too.
        if (s.Source == ShownSource::Nothing) {
            s.Base = e.Initial;
            s.Source = ShownSource::InitialValues;
            ++s.Serial;
        }
        s.Edits.Clear();
        s.Edits.SetAll(e.Initial);
        s.InitialValuesAsked = true;
        model.EditState = NextEdits(model.EditState, EditEvent::Discarded);
        if (e.CanUpdate) Edited();
        Fill();
    }
    void operator()(const UserChanged& e) {
        if (s.Edits.Note(e.Before, e.After)) Edited();
    }
    void operator()(const FileApplied& e) {
        for (const FileSetting& setting : e.File.Settings) s.Edits.Set(*setting.Key, setting.Value);
        if (!e.File.Settings.empty()) Edited();
        Fill();
    }
    void operator()(const EditsDropped&) {
        s.Edits.Clear();
        s.InitialValuesAsked = false;
        model.EditState = NextEdits(model.EditState, EditEvent::Discarded);
    }
    void operator()(const WriteWanted&) {
        if (s.Source == ShownSource::Nothing) return;
        ForgetWrite(s);
        s.WriteShown = s.Shown();
        effects.push_back(ReadPrinterNow{});
    }
    void operator()(const PrinterNow& e) {
        if (!s.WriteShown || s.WriteValues) return;  // no write is being prepared
        if (!e.Now || !s.ReadFromPrinter()) {
            // Settings that were not read from the printer are written as they are shown.
            s.WriteValues = s.Shown();
            effects.push_back(SendSettings{*s.WriteValues, e.Now});
            return;
        }
        WriteMerge merge = MergeEdits(s.Edits, s.Base, *e.Now);
        s.WriteValues = merge.Values;
        if (merge.ChangedMeanwhile.empty()) {
            effects.push_back(SendSettings{*s.WriteValues, e.Now});
            return;
        }
        s.ToOverwrite = merge.ChangedMeanwhile;
        s.AskedOver = *e.Now;
        effects.push_back(AskOverwrite{merge.ChangedMeanwhile});
    }
    void operator()(const OverwriteAnswer& e) {
        if (s.ToOverwrite.empty() || !s.AskedOver) return;  // nothing was asked, or it is gone
        if (!e.Overwrite) {
            ForgetWrite(s);  // the edits stay unsent
            return;
        }
        // The user has seen the printer's values of those settings: they count as read. Another
        // program may have written the printer while the question was up, so it is read again
        // and the edits merged over what it holds then (asking again only for what changed since).
        for (const SettingKey* key : s.ToOverwrite)
            SetSettingValue(*key, GetSettingValue(*key, *s.AskedOver), s.Base);
        s.ToOverwrite.clear();
        s.AskedOver.reset();
        s.WriteValues.reset();
        effects.push_back(ReadPrinterNow{});
    }
    void operator()(const WriteEnded& e) {
        if (!s.WriteValues) return;
        if (e.Written) {
            effects.push_back(FollowValues{s.WriteShown.value_or(*s.WriteValues), *s.WriteValues});
            s.Base = *s.WriteValues;
            s.Source = ShownSource::Printer;
            s.InitialValuesAsked = false;
            s.Edits.Clear();
        } else {
            model.EditState = NextEdits(model.EditState, EditEvent::WriteFailed);
        }
        ForgetWrite(s);
    }
    void operator()(const EditStateEvent& e) { model.EditState = NextEdits(model.EditState, e.Event); }
};

}  // namespace

StepResult Step(PanelModel model, const PanelEvent& event) {
    StepResult result{std::move(model), {}};
    std::visit(Stepper{result.Model, result.Effects}, event);
    return result;
}

SettingsTicket TicketOf(const ShownSettings& settings) { return {settings.Session, settings.Serial}; }

bool StillTheSame(const ShownSettings& settings, const SettingsTicket& ticket) {
    return settings.Source != ShownSource::Nothing && TicketOf(settings) == ticket && ticket.Session != 0;
}

bool FileNeedsQuestion(const ShownSettings& settings, const SettingsFile& file) {
    return !settings.ReadFromPrinter() && file.Settings.size() < SettingKeys().size();
}

std::string SettingLabels(const std::vector<const SettingKey*>& keys) {
    std::string text;
    for (const SettingKey* key : keys) text += "\n・" + key->Label;
    return text;
}
