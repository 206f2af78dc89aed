#pragma once

// Numbers of the resources in Quillbrook.rc.in, shared with the code.
#define IDD_MAIN_DIALOG 102
#define IDR_MAINFRAME 128
#define IDD_CONTROL_PANEL 129
#define IDD_SETTINGS 130
#define IDR_KEYS 131

#define IDC_FADE_SLIDER 1000
#define IDC_FADE_LABEL 1001

// Commands of the keys the dialog manager leaves alone.
#define IDM_HELP 0xE146
#define IDM_PAUSE 40001
#define IDM_FULL_SCREEN 40002

// The screensaver's name in the system's screensaver list.
#define IDS_DESCRIPTION 1
