#pragma once

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
