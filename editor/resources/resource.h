// Resource ids of zolt; the templates in zolt.rc and the window code share them.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_EDITOR 102
#define IDI_ZOLT 128
#define IDB_DRAG_FEEDBACK 129
#define IDB_DRAG_FEEDBACK_2X 130  // for 144 dots per inch and more
#define IDB_KINDS 131
#define IDB_KINDS_2X 132

#define IDC_EVENT_TREE 1000
#define IDC_CODE_LIST 1001
#define IDC_PALETTE 1003
#define IDC_SAVE 1004
#define IDC_CATEGORY 1006
#define IDC_STATUS 1007

// Texts only the window shows.
#define IDS_STATUS_SELECT_ACTION 200
#define IDS_STATUS_LINE_DRAG 201
#define IDS_STATUS_PALETTE_DRAG 202
#define IDS_STATUS_LINE_KEYS 203
#define IDS_SELECT_EVENT_PLACEHOLDER 204
#define IDS_EMPTY_EVENT_PLACEHOLDER 205
#define IDS_REARRANGE_HINT 206
// Asked at start-up when a save was cut short: %1 the program path, %2 where
// the saved program is, %3 its size in bytes, %4 when it was written, %5 the
// program file's name.
#define IDS_RECOVER_PROGRAM 207
// Why a typed line was not taken.
#define IDS_REFUSED_LINE_END 210
#define IDS_REFUSED_TOO_LONG 211
#define IDS_REFUSED_OPENS_EVENT 212
#define IDS_REFUSED_CLOSES_EVENT 213
#define IDS_REFUSED_SUBROUTINE 214
// The 24 palette categories, in the order of the category box.
#define IDS_CATEGORY_FIRST 300

// The system-menu command of the About entry.
#define IDM_ABOUTBOX 0x0010

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
