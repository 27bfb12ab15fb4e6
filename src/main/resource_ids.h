// Identifiers shared by the resource scripts and the code. Plain
// preprocessor definitions, since the resource compiler reads this file too.
#pragma once

#define IDI_MARROWPIN 1
#define IDR_FRMMAIN_LAYOUT 100
#define IDM_MAINMENU1 101

// Child control and menu command ids.
#define IDC_PANEL1 1001
#define IDC_LABEL1 1002
#define IDC_BTNREAD 1003
#define IDC_BUTTON1 1004
#define IDC_FINLIST 1005
#define IDC_LISTBOX1 1006
#define IDC_STATICTEXT1 1007
#define IDM_MNUEXIT 2001

// Kinds of the components of a stored layout.
#define KIND_FORM 1
#define KIND_PANEL 2
#define KIND_LABEL 3
#define KIND_BUTTON 4
#define KIND_MEMO 5
#define KIND_LIST_BOX 6
#define KIND_STATIC_TEXT 7
#define KIND_OPEN_DIALOG 8

// Settings of a stored component, as bits.
#define OPT_VISIBLE 0x0001
#define OPT_SIZEABLE 0x0002
#define OPT_DESKTOP_CENTER 0x0004
#define OPT_DOCK_TOP 0x0008
#define OPT_DOCK_FILL 0x0010
#define OPT_SCROLL_BARS 0x0020
#define OPT_SOFT_BEVEL 0x0040
#define OPT_HIDE_READ_ONLY 0x0080
#define OPT_ALLOW_MULTI_SELECT 0x0100
#define OPT_ENABLE_SIZING 0x0200
