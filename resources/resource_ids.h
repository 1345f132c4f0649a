#pragma once
// Resource identifiers shared by the resource script and the program.
#define IDI_ORVANTO 1
#define IDR_TRAY_ICON 101
#define IDR_CLOSE_NORMAL 110
#define IDR_CLOSE_OVER 111
#define IDR_CLOSE_DOWN 112
#define IDR_CLOSE_DISABLED 113
#define RT_ORVANTO_IMAGE 256
