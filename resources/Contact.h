// Where users reach the product: its web page and the support mail address, shown in the
// About window and named at the end of the help text. Placeholders: change them here.
// Macros, so the texts that name them can be joined at compile time.
#pragma once

#define TARVELL_WEB_ADDRESS "https://tarvell.example/"
#define TARVELL_SUPPORT_MAIL "support@tarvell.example"
