#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "base/AppState.h"
#include "base/ArtScale.h"
#include "base/Memory.h"
#include "base/Procedures.h"
#include "base/Text.h"
#include "base/Ui.h"
#include "help/Help.h"
#include "link/LibrarySession.h"
#include "link/Notifications.h"
#include "printers/PrinterEnumeration.h"
#include "printers/PrinterProbe.h"
#include "printers/PrinterSelection.h"
#include "printers/SingleInstance.h"
#include "res/resource.h"

namespace {

// One row of the list: the texts of the four columns and the next row. The row keeps its own
// copies of the entry's texts, so that a list rebuilt while the dialog is open (another program
// may announce new printers) never leaves the rows pointing at released entries.
struct PrinterRow {
    const char* Texts[kPrinterColumns];  // name, state, model, port text
    PrinterRow* Next;
};

constexpr int kStateTextSize = 64;
constexpr int kColumnTitles[kPrinterColumns] = {IDS_COLUMN_NAME, IDS_COLUMN_STATE, IDS_COLUMN_MODEL,
                                                IDS_COLUMN_PORT};
// Pixels at 96 dots per inch; a screen of more dots per inch widens them with its larger text.
constexpr int kColumnWidths[kPrinterColumns - 1] = {170, 60, 170};
constexpr int kPortColumnReserve = 400;
constexpr int kPortColumnMinimum = 220;

// What one opening of the dialog owns: the three state texts and the rows; and what it asks
// before it lets the panel's unsent edits go (none at start-up).
struct SelectionDialogData {
    char StateTexts[3][kStateTextSize];  // connected, not connected, unknown
    PrinterRow* Rows;
    UnsentEditsQuery HasUnsentEdits;
};

SelectionDialogData* DataOf(HWND dialog) {
    return reinterpret_cast<SelectionDialogData*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

const char* StateText(const SelectionDialogData& data, ProbeState state) {
    switch (state) {
        case ProbeState::Connected:
            return data.StateTexts[0];
        case ProbeState::NotConnected:
            return data.StateTexts[1];
        case ProbeState::Unknown:
            break;
    }
    return data.StateTexts[2];
}

// A zero-filled row holding copies of the entry's texts in the same block; nullptr when memory
// runs out.
PrinterRow* MakeRow(const PrinterEntry& entry, const char* state) {
    const char* sources[3] = {entry.Name ? entry.Name : "", entry.Model ? entry.Model : "",
                              entry.PortText ? entry.PortText : ""};
    size_t lengths[3];
    size_t total = sizeof(PrinterRow);
    for (int i = 0; i < 3; ++i) {
        lengths[i] = std::strlen(sources[i]);
        total += lengths[i] + 1;
    }
    auto* row = static_cast<PrinterRow*>(AllocateZeroed(total));
    if (row == nullptr) return nullptr;
    char* text = reinterpret_cast<char*>(row + 1);
    char* copies[3];
    for (int i = 0; i < 3; ++i) {
        std::memcpy(text, sources[i], lengths[i] + 1);
        copies[i] = text;
        text += lengths[i] + 1;
    }
    row->Texts[0] = copies[0];
    row->Texts[1] = state;
    row->Texts[2] = copies[1];
    row->Texts[3] = copies[2];
    return row;
}

void ReleaseData(HWND dialog) {
    SelectionDialogData* data = DataOf(dialog);
    if (data == nullptr) return;
    SetWindowLongPtrA(dialog, DWLP_USER, 0);
    for (PrinterRow* row = data->Rows; row != nullptr;) {
        PrinterRow* next = row->Next;
        ReleaseMemory(row);
        row = next;
    }
    ReleaseMemory(data);
}

PrinterRow* RowOfItem(HWND list, int item) {
    LVITEMA lvItem{};
    lvItem.mask = LVIF_PARAM;
    lvItem.iItem = item;
    if (!SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&lvItem))) return nullptr;
    return reinterpret_cast<PrinterRow*>(lvItem.lParam);
}

// lstrcmpiA is a WINAPI function: on x86 its calling convention is not the rule's plain one.
int CompareNoCase(const char* a, const char* b) { return lstrcmpiA(a, b); }

int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM column) {
    const auto* a = reinterpret_cast<const PrinterRow*>(first);
    const auto* b = reinterpret_cast<const PrinterRow*>(second);
    return ComparePrinterRows(a->Texts, b->Texts, static_cast<int>(column), CompareNoCase);
}

void SortByColumn(HWND list, int column) {
    SendMessageA(list, LVM_SORTITEMS, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(CompareRows));
}

void SelectItem(HWND list, int item) {
    LVITEMA lvItem{};
    lvItem.stateMask = LVIS_FOCUSED;
    lvItem.state = LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&lvItem));
    lvItem.stateMask = LVIS_SELECTED;
    lvItem.state = LVIS_SELECTED;
    SendMessageA(list, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&lvItem));
}

void InsertColumns(HWND list) {
    RECT client{};
    GetClientRect(list, &client);
    int portWidth = (client.right - client.left) - ScreenPixels(kPortColumnReserve);
    if (portWidth < ScreenPixels(kPortColumnMinimum)) portWidth = ScreenPixels(kPortColumnMinimum);
    for (int column = 0; column < kPrinterColumns; ++column) {
        char title[kTextBufferSize];
        LoadText(kColumnTitles[column], title, sizeof title);
        LVCOLUMNA lvColumn{};
        lvColumn.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        lvColumn.fmt = LVCFMT_LEFT;
        lvColumn.cx = column < kPrinterColumns - 1 ? ScreenPixels(kColumnWidths[column]) : portWidth;
        lvColumn.pszText = title;
        lvColumn.iSubItem = column;
        SendMessageA(list, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&lvColumn));
    }
}

// One row per printer of the list, each with a freshly probed state; the probe's port text is the
// entry's from then on (the list was made without port texts).
void FillRows(HWND list, SelectionDialogData& data) {
    char user[kUserNameSize];
    CurrentUserName(user);
    PrinterRow** tail = &data.Rows;
    int index = 0;
    // The list updates itself once after all rows are in, not after each (hundreds of printers).
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (PrinterEntry* entry = AppState.PrinterList; entry != nullptr; entry = entry->Next, ++index) {
        char port[kPortTextSize] = "";
        const ProbeState state =
            entry->Name ? ProbePrinterState(entry->Name, user, port, sizeof port) : ProbeState::Unknown;
        if (port[0] != '\0') {
            SetPortText(entry, port);
        } else if (entry->PortText == nullptr) {
            SetPortText(entry, data.StateTexts[2]);
        }
        PrinterRow* row = MakeRow(*entry, StateText(data, state));
        if (row == nullptr) break;  // the list shows the rows made so far
        *tail = row;
        tail = &row->Next;
        LVITEMA lvItem{};
        lvItem.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE | LVIF_PARAM;
        lvItem.iItem = index;
        lvItem.pszText = LPSTR_TEXTCALLBACKA;
        lvItem.lParam = reinterpret_cast<LPARAM>(row);
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&lvItem));
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void Preselect(HWND list) {
    if (AppState.CurrentPrinter == nullptr) {
        SelectItem(list, 0);
        return;
    }
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int item = 0; item < count; ++item) {
        const PrinterRow* row = RowOfItem(list, item);
        if (row != nullptr && AppState.CurrentPrinter->Name != nullptr &&
            std::strcmp(row->Texts[0], AppState.CurrentPrinter->Name) == 0) {
            SelectItem(list, item);
        }
    }
}

BOOL OnInitDialog(HWND dialog, LPARAM parameter) {
    auto* data = static_cast<SelectionDialogData*>(AllocateZeroed(sizeof(SelectionDialogData)));
    if (data == nullptr) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(data));
    data->HasUnsentEdits = reinterpret_cast<UnsentEditsQuery>(parameter);
    LoadText(IDS_STATE_CONNECTED, data->StateTexts[0], kStateTextSize);
    LoadText(IDS_STATE_NOT_CONNECTED, data->StateTexts[1], kStateTextSize);
    LoadText(IDS_STATE_UNKNOWN, data->StateTexts[2], kStateTextSize);

    HWND list = GetDlgItem(dialog, IDC_PRINTER_LIST);
    InsertColumns(list);
    FillRows(list, *data);
    SortByColumn(list, 0);
    Preselect(list);
    return TRUE;
}

void AskToSelect(HWND dialog) { ShowProgramMessage(dialog, IDS_SELECT_A_PRINTER, MB_ICONWARNING); }

void OnOk(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_PRINTER_LIST);
    const int item = static_cast<int>(
        SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
    const PrinterRow* row = item >= 0 ? RowOfItem(list, item) : nullptr;
    // The row's own copy of the name: the list of printers may be rebuilt while a box is up.
    const char* name = row != nullptr ? row->Texts[0] : nullptr;
    PrinterEntry* chosen = name != nullptr ? FindPrinterEntry(name) : nullptr;
    if (chosen == nullptr) {
        AskToSelect(dialog);
        return;
    }
    if (chosen == AppState.CurrentPrinter) {
        EndDialog(dialog, 0);
        return;
    }
    const SelectionDialogData* data = DataOf(dialog);
    if (data != nullptr && data->HasUnsentEdits != nullptr && data->HasUnsentEdits()) {
        if (ShowPrinterMessage(dialog, IDS_UNSENT_CHANGES, MB_ICONQUESTION | MB_OKCANCEL) != IDOK) return;
        // Another program may have announced new printers while the box was up: the entry is
        // found again, and a printer that has gone meanwhile cannot be chosen.
        chosen = FindPrinterEntry(name);
        if (chosen == nullptr) {
            AskToSelect(dialog);
            return;
        }
    }
    // The session and the single-instance mapping of the printer left stay with it until the caller
    // has secured the new printer's: a change of printer is made whole or not at all.
    AppState.CurrentPrinter = chosen;
    EndDialog(dialog, 1);
}

void OnGetDispInfo(NMLVDISPINFOA& info) {
    if ((info.item.mask & LVIF_TEXT) == 0 || info.item.pszText == nullptr || info.item.cchTextMax <= 0) {
        return;
    }
    const auto* row = reinterpret_cast<const PrinterRow*>(info.item.lParam);
    const int column = info.item.iSubItem;
    const char* text = (row != nullptr && column >= 0 && column < kPrinterColumns) ? row->Texts[column] : "";
    // The control gives the size of its buffer; the text is cut to fit it.
    CopyBounded(info.item.pszText, static_cast<size_t>(info.item.cchTextMax), text);
}

// Returns true for the notifications the dialog handles.
bool OnNotify(HWND dialog, NMHDR& header) {
    if (header.idFrom != IDC_PRINTER_LIST) return false;
    switch (header.code) {
        case LVN_GETDISPINFOA:
            OnGetDispInfo(reinterpret_cast<NMLVDISPINFOA&>(header));
            return true;
        case LVN_COLUMNCLICK:
            SortByColumn(header.hwndFrom, reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
            return true;
        case NM_DBLCLK:
            if (SendMessageA(header.hwndFrom, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                             MAKELPARAM(LVNI_SELECTED, 0)) != -1) {
                SendMessageA(dialog, WM_COMMAND, IDC_SELECT_OK, 0);
            }
            return true;
        default:
            return false;
    }
}

INT_PTR HandleSelectionMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog(dialog, lParam);
        case WM_NOTIFY:
            return OnNotify(dialog, *reinterpret_cast<NMHDR*>(lParam));
        case WM_HELP:
        case WM_CONTEXTMENU:
            return AnswerHelpRequest(message, wParam, lParam) ? TRUE : FALSE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                case IDC_SELECT_OK:
                    OnOk(dialog);
                    return TRUE;
                case IDCANCEL:
                case IDC_SELECT_CANCEL:
                    EndDialog(dialog, 0);
                    return TRUE;
                default:
                    return FALSE;
            }
        case WM_DESTROY:
            ReleaseData(dialog);
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK PrinterSelectionDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return GuardDialogMessage([&] { return HandleSelectionMessage(dialog, message, wParam, lParam); });
}
