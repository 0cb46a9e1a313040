// The program's version, for the code and for the version block of the resource script.
#pragma once

#define TARVELL_VERSION_MAJOR 2
#define TARVELL_VERSION_MINOR 1
#define TARVELL_VERSION_TEXT "2.1"
#define TARVELL_VERSION_TITLE "Tarvell ver. " TARVELL_VERSION_TEXT
