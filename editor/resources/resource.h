// Resource ids of zolt; the templates in zolt.rc and the window code share them.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_EDITOR 102
#define IDI_ZOLT 128
#define IDB_DRAG_FEEDBACK 129
#define IDB_KINDS 131

#define IDC_EVENT_TREE 1000
#define IDC_CODE_LIST 1001
#define IDC_PALETTE 1003
#define IDC_SAVE 1004
#define IDC_CATEGORY 1006
#define IDC_STATUS 1007

// The system-menu command of the About entry.
#define IDM_ABOUTBOX 0x0010

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
