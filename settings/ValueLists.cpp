// ValueLists.cpp - the value tables of the index-valued settings.
#include "settings/ValueLists.h"

#include <iterator>

namespace {

const ValueLabel FontItems[] = {
    {0, "標準"}, {1, "イタリック"}, {2, "クーリエ"}, {3, "ゴシック"}, {4, "OCR-B"},
};

const ValueLabel ReductionItems[] = {
    {0, "標準"}, {1, "2/3左基準"}, {3, "2/3中央基準"}, {5, "4/5左基準"}, {7, "4/5中央基準"},
};

const ValueLabel PressureAdjustItems[] = {
    {3, "+3"},   {2, "+2"},   {1, "+1"},   {0, "0"},    {255, "-1"},
    {254, "-2"}, {253, "-3"}, {252, "-4"}, {251, "-5"}, {250, "-6"},
};

const ValueLabel PositionAdjustItems[] = {
    {0, "0mm"},      {1, "+0.4mm"},   {2, "+0.8mm"},   {3, "+1.3mm"},
    {255, "-0.4mm"}, {254, "-0.8mm"}, {253, "-1.3mm"},
};

const ValueLabel IntlCharSetItems[] = {
    {0, "日本"}, {2, "アメリカ"}, {3, "イギリス"}, {4, "ドイツ"}, {5, "スウェーデン"},
};

const ValueLabel KanjiCodeTableItems[] = {
    {0, "JIS規格1978年度版"},
    {1, "JIS規格1983年度版"},
    {2, "JIS規格1990年度版"},
};

const ValueLabel PaperThicknessItems[] = {
    {0, "オート"}, {1, "1"}, {2, "2"}, {3, "3"},   {4, "4"},   {5, "5"},   {6, "6"},
    {7, "7"},      {8, "8"}, {9, "9"}, {10, "10"}, {11, "11"}, {12, "12"},
};

const ValueLabel FormSelectItems[] = {
    {0, "選択なし"}, {1, "書式１"}, {2, "書式２"}, {3, "書式３"}, {4, "書式４"},
};

template <size_t N>
constexpr ValueList MakeList(const ValueLabel (&items)[N]) {
    return ValueList{items, static_cast<int32_t>(N)};
}

}  // namespace

const ValueList FontList = MakeList(FontItems);
const ValueList ReductionList = MakeList(ReductionItems);
const ValueList PressureAdjustList = MakeList(PressureAdjustItems);
const ValueList PositionAdjustList = MakeList(PositionAdjustItems);
const ValueList IntlCharSetList = MakeList(IntlCharSetItems);
const ValueList KanjiCodeTableList = MakeList(KanjiCodeTableItems);
const ValueList PaperThicknessList = MakeList(PaperThicknessItems);
const ValueList FormSelectList = MakeList(FormSelectItems);

int32_t ValueListIndexOf(const ValueList& list, int32_t value) {
    for (int32_t i = 0; i < list.Size; ++i) {
        if (list.Items[i].Value == value) return i;
    }
    return -1;
}

const char* ValueListLabel(const ValueList& list, int32_t index) {
    if (index < 0 || index >= list.Size) return nullptr;
    return list.Items[index].Label;
}
