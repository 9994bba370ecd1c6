// SettingChecks.h - the limits a user's entry must keep, and the order in which the form dialog
// checks its four numbers. The record itself takes any integer; these checks run where a value
// is entered (the pages and their dialogs, a settings file), never on what the printer reports.
#ifndef RP_SETTINGS_SETTINGCHECKS_H
#define RP_SETTINGS_SETTINGCHECKS_H

#include <stdint.h>

#include <optional>

struct ValueRange {
    int32_t Min;
    int32_t Max;
};

constexpr bool InRange(int32_t value, ValueRange range) { return value >= range.Min && value <= range.Max; }

// 用紙長 (current settings and every form), lines.
inline constexpr ValueRange PageLengthRange{1, 99};
// カット紙位置補正 (current settings and every form), columns.
inline constexpr ValueRange CutSheetOffsetRange{0, 68};
// ヘッドセンタリング位置: cut sheet and continuous front, then continuous rear, columns.
inline constexpr ValueRange HeadCenterFrontRange{10, 68};
inline constexpr ValueRange HeadCenterRearRange{68, 126};
// The margins of a stored form, columns.
inline constexpr ValueRange LeftMarginRange{0, 135};
inline constexpr ValueRange RightMarginRange{1, 136};

// What the form dialog's checks found first.
enum class FormCheck : uint8_t {
    Accepted,
    BadPageLength,      // outside 1..99
    BadLeftMargin,      // outside 0..135
    LeftAboveRight,     // the left margin is greater than the right margin
    BadRightMargin,     // outside 1..136
    RightNotAboveLeft,  // the right margin is not greater than the left (equal margins land here)
    BadCutSheetOffset,  // outside 0..68
};

// The four numbers of a form as entered; no value means the entry is not a number at all (empty,
// not digits, or too large for 32 bits), which is refused like an out-of-range one.
struct FormEntries {
    std::optional<int32_t> PageLength;
    std::optional<int32_t> LeftMargin;
    std::optional<int32_t> RightMargin;
    std::optional<int32_t> CutSheetOffset;
};

// Checks in the dialog's order, stopping at the first failure: page length, left margin, left
// above right, right margin, right not above left, cut-sheet correction. The left-above-right
// check comes before the right margin's own range check, so a right margin of 0 with a left
// margin of 5 is refused as LeftAboveRight; it compares only when the right entry is a number.
FormCheck CheckFormEntries(const FormEntries& entries);

#endif
