/* Resource ids of the panel tests' own resources (kept apart from the program's ids). */
#ifndef RP_TESTS_GUI_PAGES_TEST_H
#define RP_TESTS_GUI_PAGES_TEST_H

#define IDD_TEST_PANEL         9117 /* a panel like dialog 117: tab control 284 in the same place */
#define IDD_TEST_PAGE          9192 /* a page for the tabs whose pages are not built yet */
#define IDC_TEST_CHECK         9001
#define IDC_TEST_EDIT          9002
#define IDB_TEST_KEY_REGION    9211 /* 8 x 6, key colour from the top-left, a walled-in island */
#define IDB_TEST_KEY_ELSEWHERE 9212 /* the same with another colour at the top-left pixel */
#define IDI_TEST_SQUARE        9144 /* 32 x 32, yellow square inside a transparent border of 4 */

#endif
