// Stand-in for the value lists until settings/ is on main (only what the pages use).
#ifndef RP_SETTINGS_VALUELISTS_H
#define RP_SETTINGS_VALUELISTS_H

#include <stdint.h>

struct ValueLabel {
  int32_t Value;
  const char* Label;
};

struct ValueList {
  const ValueLabel* Items;
  int32_t Size;
};

int32_t ValueListIndexOf(const ValueList& list, int32_t value);

extern const ValueList PaperThicknessList;

#endif
