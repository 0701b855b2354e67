/* Resource ids, shared by the resource script and the Windows program. Plain
   defines only: the resource compiler reads this file too. */
#pragma once

#define ID_ICON 1
#define ID_MENU 101
#define ID_MENU2 102
#define ID_ACC1 103
#define ID_ABOUTDIALOG 104

/* The about box's one control: the read-only text. */
#define ID_ABOUT_TEXT 101
