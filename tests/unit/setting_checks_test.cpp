// The form dialog's checks: which entry is refused first.
#include <gtest/gtest.h>

#include "settings/SettingChecks.h"

namespace {

using Entry = std::optional<int32_t>;
constexpr Entry None = std::nullopt;

struct FormCase {
    Entry page, left, right, offset;
    FormCheck expected;
};

TEST(SettingChecks, FormEntriesAreRefusedInTheDialogsOrder) {
    const FormCase cases[] = {
        {66, 0, 136, 0, FormCheck::Accepted},
        {1, 135, 136, 68, FormCheck::Accepted},
        {0, 0, 136, 0, FormCheck::BadPageLength},
        {100, 0, 136, 0, FormCheck::BadPageLength},
        {None, 0, 136, 0, FormCheck::BadPageLength},
        {66, 136, 136, 0, FormCheck::BadLeftMargin},
        {66, None, 136, 0, FormCheck::BadLeftMargin},
        {66, 20, 10, 0, FormCheck::LeftAboveRight},
        {66, 5, 0, 0, FormCheck::LeftAboveRight},  // before the right margin's own range check
        {66, 5, None, 0, FormCheck::BadRightMargin},
        {66, 0, 137, 0, FormCheck::BadRightMargin},
        {66, 0, 0, 0, FormCheck::BadRightMargin},
        {66, 10, 10, 0, FormCheck::RightNotAboveLeft},
        {66, 0, 136, 69, FormCheck::BadCutSheetOffset},
        {66, 0, 136, None, FormCheck::BadCutSheetOffset},
        {None, None, None, None, FormCheck::BadPageLength},
    };
    for (const FormCase& c : cases) {
        EXPECT_EQ(CheckFormEntries({c.page, c.left, c.right, c.offset}), c.expected)
            << c.page.value_or(-1) << " " << c.left.value_or(-1) << " " << c.right.value_or(-1) << " "
            << c.offset.value_or(-1);
    }
}

}  // namespace
