// Identifiers of the images carried in the program (app/resources/prepkit.rc).
#pragma once

#define IDI_BUTTON11 101
#define IDI_BUTTON12 102
#define IDI_BUTTON13 103
#define IDI_BUTTON14 104
#define IDI_BUTTON15 105
#define IDI_BUTTON16 106
#define IDI_BUTTON17 107
#define IDI_BUTTON18 108
#define IDI_CLEANUP_WINDOW 110
#define IDC_TAB_CURSOR 120
#define IDC_BUTTON10_CURSOR 121
#define IDC_CREDIT_CURSOR 122
#define IDB_ABOUT 130
