// Ids of the link tests' own dialog templates (the program's control ids come from res/resource.h).
#define IDD_LINK_TEST_PANEL 9100
#define IDD_LINK_TEST_PAGE  9101
