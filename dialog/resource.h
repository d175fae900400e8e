#pragma once

// Resource ids shared by the code and Varnik.rc, so only plain #defines of numbers belong here.

// Dialog templates, the About entry's string and the application icon.
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_MAIN_DIALOG 102
#define IDR_MAINFRAME 128

// The About entry of the main dialog's system menu. System commands must keep the low four bits
// clear, which is why it is 0x0010 and not 1.
#define IDM_ABOUTBOX 0x0010

// The shared id of the group boxes and static texts, which the code never addresses.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Control ids of the main dialog. The code addresses only the edits and the two buttons.
#define IDC_CORRECT_LON_IN 1000
#define IDC_CORRECT_LON_OUT 1001
#define IDC_CORRECT_BUTTON 1002
#define IDC_CORRECT_LAT_IN 1003
#define IDC_CORRECT_LAT_OUT 1004
#define IDC_OFFSET_LON_IN 1005
#define IDC_OFFSET_LON_OUT 1006
#define IDC_OFFSET_BUTTON 1007
#define IDC_OFFSET_LAT_IN 1008
#define IDC_OFFSET_LAT_OUT 1009
