// Identifiers of the resources compiled into Tarvell.exe (see Tarvell.rc).
#pragma once

// The shell shows the icon with the lowest identifier as the program's icon.
#define IDI_TARVELL 1
#define IDI_ABOUT 2
#define IDI_HELP 3

// The About window's picture: 406 x 300 pixels, 256 colours.
#define IDB_ABOUT 100
