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
// The context menus of the code list and of the palette.
#define IDR_LINE_MENU 140
#define IDR_PALETTE_MENU 141

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
// Why a typed line was not taken.
#define IDS_REFUSED_LINE_END 210
#define IDS_REFUSED_TOO_LONG 211
#define IDS_REFUSED_OPENS_EVENT 212
#define IDS_REFUSED_CLOSES_EVENT 213
#define IDS_REFUSED_SUBROUTINE 214
#define IDS_NOT_TOGETHER 215
// Why a paste was not taken: %1 the first refused line's number. In the
// order of the texts above, ten after each.
#define IDS_PASTE_REFUSED_LINE_END 220
#define IDS_PASTE_REFUSED_TOO_LONG 221
#define IDS_PASTE_REFUSED_OPENS_EVENT 222
#define IDS_PASTE_REFUSED_CLOSES_EVENT 223
#define IDS_PASTE_REFUSED_SUBROUTINE 224
// The 24 palette categories, in the order of the category box.
#define IDS_CATEGORY_FIRST 300
// The core's messages, by their numbers in its message table.
#define IDS_MESSAGE_FIRST 1000

// The system-menu command of the About entry.
#define IDM_ABOUTBOX 0x0010

// Commands of the context menus; the keys run the same commands.
#define IDM_EDIT_LINE 40001
#define IDM_NEW_LINE 40002
#define IDM_CUT 40003
#define IDM_COPY 40004
#define IDM_PASTE 40005
#define IDM_DELETE 40006
#define IDM_MOVE_UP 40007
#define IDM_MOVE_DOWN 40008
#define IDM_UNDO 40009
#define IDM_REDO 40010
#define IDM_ADD_TO_EVENT 40011
#define IDM_COPY_ACTION 40012

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
