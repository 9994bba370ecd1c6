// SettingChecks.cpp - the form dialog's check order.
#include "settings/SettingChecks.h"

namespace {
bool Within(const std::optional<int32_t>& value, ValueRange range) { return value && InRange(*value, range); }
}  // namespace

FormCheck CheckFormEntries(const FormEntries& entries) {
    if (!Within(entries.PageLength, PageLengthRange)) return FormCheck::BadPageLength;
    if (!Within(entries.LeftMargin, LeftMarginRange)) return FormCheck::BadLeftMargin;
    const int32_t left = *entries.LeftMargin;
    if (entries.RightMargin && left > *entries.RightMargin) return FormCheck::LeftAboveRight;
    if (!Within(entries.RightMargin, RightMarginRange)) return FormCheck::BadRightMargin;
    if (*entries.RightMargin <= left) return FormCheck::RightNotAboveLeft;
    if (!Within(entries.CutSheetOffset, CutSheetOffsetRange)) return FormCheck::BadCutSheetOffset;
    return FormCheck::Accepted;
}
