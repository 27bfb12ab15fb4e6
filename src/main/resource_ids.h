// Identifiers shared by the resource scripts and the code. Plain
// preprocessor definitions, since the resource compiler reads this file too.
#pragma once

#define IDI_MARROWPIN 1
#define IDM_MAINMENU1 101
#define IDA_SHORTCUTS 102

// Child control and menu command ids.
#define IDC_PANEL1 1001
#define IDC_LABEL1 1002
#define IDC_BTNREAD 1003
#define IDC_BUTTON1 1004
#define IDC_FINLIST 1005
#define IDC_LISTBOX1 1006
#define IDC_STATICTEXT1 1007
#define IDM_MNUEXIT 2001
