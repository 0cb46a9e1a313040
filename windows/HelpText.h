#pragma once
// The text of the help window, line for line. Several lines end in a blank on purpose.

#include <iterator>
#include <string>
#include <string_view>

#include "resources/Contact.h"

namespace tarvell {

// The two contact lines name the addresses of resources/Contact.h.
inline constexpr std::string_view HelpLines[] = {
    "                                                Tarvell version 2.1",
    "",
    "Tarvell is a program that allows you automatically set your lovely pictures as windows desktop wallpaper.",
    "",
    "Main features: ",
    "- Automatically changes desktop wallpaper on startup or after predefined time period.",
    "- Support subfolders JPEG searching. ",
    "- Stay in tray.",
    "- Image preview. ",
    "- Hot keys and mouse control to change or fast clear current Wallpaper,",
    "- Sound on change.",
    "- True-color icons and transparent icons titles, ",
    "- Random or sequential file change.",
    "- Last showed save. ",
    "- Slideshow speed from 1 sec to hours.",
    " ",
    "Hot keys:",
    "- Ctrl+Z - set next picture;",
    "- Ctrl+A - clear picture;",
    "- Ctrl+D - delete annoying file from disk;",
    "- Ctrl+Q - quit;",
    "- (no key) - set previous picture;",
    "- (no key) - pause or resume changing;",
    "- (no key) - never show current picture again (the main window's \"Never shown\" list takes it back);",
    "- System tray left mouse click - set next picture;",
    "- System tray right mouse click - clear picture;",
    "- System tray right double mouse click - Unhide - configure;",
    "- System tray Shift+right mouse click, or Enter or the menu key on the icon - menu: next, previous, pause/resume, never show this picture, show in folder, copy path, open Tarvell, quit;",
    "",
    "Command line: Tarvell.exe /next, /previous, /pause, /resume, /clear or /exclude (any case, \"-\" in place of \"/\" too) hands the command to the running Tarvell, or starts it and carries the command out.",
    "",
    "At unhidden mode: ",
    "- Esc - hide program to System tray.",
    "- Select drive containing pictures.",
    "- Select directory containing pictures.",
    "- Enable \"subfolders\" for directory tree scanning ( a bit slowly for large picture archives ).",
    "- Enable \"random\" picture select.",
    "- Enable \"sound\" for \"tik\" sound on every change.",
    "- Enable \"transparent icon\" to make transparent background of icon titles.",
    "- Enable \"change on startup\" for immediate picture changing after program start.",
    "- Enable \"once at startup\" for automatic program close after first picture changing. ",
    "- Double click time interval digits to switch min/sec measurement units.",
    "- Choose seconds, minutes, hours or days in the unit box under \"Never shown\" (Tab reaches it; 1 to 1000 of any unit); \"change on the hour\" changes at whole periods from midnight (every full hour, at midnight). A restart goes on with the time left, and a change missed while Tarvell was not running comes a few seconds after start.",
    "- Click right mouse button on file list box and view/edit current image at your default image editor.",
    "",
    "Troubleshooting",
    "- If program does not start, delete configuration file \"Tarvell.cfg\" in Windows directory.",
    "- If JPEG file is damaged, program beeps and goes to next file.",
    "- Questions to view or delete damaged file come only when \"sound\" check box is on.",
    "",
    "Feel free to ask questions by mail: " TARVELL_SUPPORT_MAIL,
    "Visit " TARVELL_WEB_ADDRESS " for new versions.",
    "",
};

inline constexpr std::size_t HelpLineCount = std::size(HelpLines);
inline constexpr std::size_t SettingsFileLine = 46;  // "- If program does not start, ..."
inline constexpr std::size_t FirstHotKeyLine = 17;   // "- Ctrl+Z - set next picture;", then A, D, Q, X, P, N
// (the last three have no key with Ctrl, as written)

// The keys in force, as the help names them: Next, Clear, Delete, Quit, Previous, Pause,
// Exclude. An empty name says that the command has no hot key (Ctrl gives the last three none).
struct THelpHotKeys {
  std::string Next = "Ctrl+Z";
  std::string Clear = "Ctrl+A";
  std::string Delete = "Ctrl+D";
  std::string Quit = "Ctrl+Q";
  std::string Previous;
  std::string Pause;
  std::string Exclude;
};

// The troubleshooting line naming the folder the settings file is in; an empty folder keeps
// the line as written above.
std::string SettingsFileHelpLine(std::string_view settingsFolder);

// The line of the hot key of command `n` (0 Next, 1 Clear, 2 Delete, 3 Quit, 4 Previous, 5 Pause,
// 6 Exclude) naming `key`.
std::string HotKeyHelpLine(std::size_t n, std::string_view key);

// The lines joined with CR LF, for a multi-line edit control (no break after the last
// line, which is empty, so the control shows exactly HelpLineCount lines). The settings
// file's line names settingsFolder, where the program really keeps the file; the hot-key
// lines name `keys`.
std::string HelpText(std::string_view settingsFolder = {}, const THelpHotKeys& keys = {});

}  // namespace tarvell
