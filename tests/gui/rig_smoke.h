// Ids of the rig's own test dialog.
#define IDD_RIG_SMOKE      9000
#define IDC_RIG_SMOKE_TEXT 9001
