#pragma once

// Resources of the framework tests.

// A visible dialog at (0, 0) without DS_CENTER: an edit, then a button.
#define IDD_PROBE 200
#define IDC_PROBE_EDIT 300
#define IDC_PROBE_BUTTON 301
// The same at (30, 20) of the screen (DS_ABSALIGN).
#define IDD_PLACED 201
// A box like an About box: not visible until its modal run shows it, at (0, 0), with an OK button.
#define IDD_NESTED 202
// Boxes like IDD_NESTED placed otherwise: centred by the dialog manager on the work area
// (DS_CENTER) or on the mouse (DS_CENTERMOUSE), and at (30, 20) of the owner's client area.
#define IDD_CENTRED 204
#define IDD_CENTRED_ON_MOUSE 205
#define IDD_RELATIVE 206
// The program's fields: edits 1000, 1001, 1003-1006, 1008, 1009 and buttons 1002 and 1007.
#define IDD_CONVERSION 203

#define IDI_PROBE 128
#define IDI_MISSING 129

#define IDS_PROBE_MENU_ITEM 101
#define IDS_CHINESE 102
#define IDS_MISSING 199
