// The one table that maps control ids to help context ids, for every dialog of the program.
// Portable: no windows.h. On Windows the words have the type WinHelp reads (DWORD), so the table
// is handed to WinHelpA as it is.
#ifndef RP_HELP_HELPIDS_H
#define RP_HELP_HELPIDS_H

#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
using HelpIdWord = unsigned long;  // DWORD
#else
using HelpIdWord = uint32_t;
#endif

// Pairs (control id, help context id), ended by the pair (0, 0).
extern const HelpIdWord HelpIdTable[];
constexpr size_t kHelpIdPairCount = 176;  // pairs before the ending (0, 0)

// Searches the pairs of `table` (ended by a control id of 0) from the start; the first pair with
// `controlId` wins. Returns false, leaving *helpId alone, when no pair names the control.
bool FindHelpIdIn(const HelpIdWord* table, uint32_t controlId, uint32_t* helpId);

// The same search in HelpIdTable.
bool LookupHelpId(uint32_t controlId, uint32_t* helpId);

#endif
