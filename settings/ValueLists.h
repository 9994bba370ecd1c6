// ValueLists.h - the fixed lists behind the index-valued settings: each entry pairs the value the
// printer stores with the text the pages show. Pages fill their combo boxes from these tables.
#ifndef RP_SETTINGS_VALUELISTS_H
#define RP_SETTINGS_VALUELISTS_H

#include <stdint.h>

// One entry of a list: the stored value and its CP932 label.
struct ValueLabel {
    int32_t Value;
    const char* Label;
};

// A list in display order; the index of an entry is its position in the list.
struct ValueList {
    const ValueLabel* Items;
    int32_t Size;
};

// The position of the first entry whose value is `value`, or -1 when no entry has it.
int32_t ValueListIndexOf(const ValueList& list, int32_t value);
// The label at `index`, or nullptr when the index is outside the list.
const char* ValueListLabel(const ValueList& list, int32_t index);

// Font 1 and font 2: value = index ("標準", "イタリック", "クーリエ", "ゴシック", "OCR-B").
extern const ValueList FontList;
// Reduction: value = the block's reduction code (0, 1, 3, 5, 7); the index is what the record holds.
extern const ValueList ReductionList;
// Print pressure: value = the printer's byte for the step ("+3" = 3 ... "-6" = 250).
extern const ValueList PressureAdjustList;
// Print position: value = the printer's byte for the step ("0mm" = 0 ... "-1.3mm" = 253).
extern const ValueList PositionAdjustList;
// International character set: value = the 3-bit code of the switch field (0, 2, 3, 4, 5).
extern const ValueList IntlCharSetList;
// Kanji code table edition: value = index (1978, 1983, 1990).
extern const ValueList KanjiCodeTableList;
// Paper thickness: value = index ("オート", "1" .. "12").
extern const ValueList PaperThicknessList;
// Selected form: value = index ("選択なし", "書式１" .. "書式４").
extern const ValueList FormSelectList;

#endif
