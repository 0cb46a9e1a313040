// The shell's icon settings that installation changes and uninstall gives back:
// "Shell Icon BPP" (the colour depth of the icons the shell draws) for the current and the
// default user, and "isShortcut" (the arrow drawn over shortcut icons) of two file classes.
// Installation never deletes "isShortcut": without it the shell no longer treats the class as
// a shortcut, which breaks taskbar pins and jump lists for every user of the machine.
#pragma once

#include <windows.h>

#include <string>

#include "desktop/InstallHooks.h"

namespace tarvell {

inline constexpr const char ShellIconBppValue[] = "Shell Icon BPP";
// The data written when the value is absent. Every current Windows draws icons in 32 bits
// by default; a lower depth would take their alpha edges away.
inline constexpr const char ShellIconBppData[] = "32";
inline constexpr const char IsShortcutValue[] = "isShortcut";
inline constexpr const char NeedPrivilegesMessage[] = "Need more privileges for registry update";

struct TRegistryKeyPath {
  HKEY Root;
  std::string Path;
};

// The four keys, in the order they are changed, never created when missing; and the program's
// own key, where installation notes which "Shell Icon BPP" values it wrote.
struct TIconSettingKeys {
  TRegistryKeyPath UserMetrics;     // HKEY_CURRENT_USER "Control Panel\Desktop\WindowMetrics"
  TRegistryKeyPath DefaultMetrics;  // HKEY_USERS ".Default\Control Panel\Desktop\WindowMetrics"
  TRegistryKeyPath LinkClass;       // HKEY_CLASSES_ROOT "lnkfile"
  TRegistryKeyPath PifClass;        // HKEY_CLASSES_ROOT "piffile"
  TRegistryKeyPath Program;         // HKEY_CURRENT_USER "Software\Tarvell"
};

const TIconSettingKeys& StandardIconSettingKeys();

// Writes "Shell Icon BPP" into the key when the value is absent; an existing value stays as
// it is. When the write fails (no such key, no rights) and reportFailure is set: a 1000 Hz
// beep for 500 ms and the "Need more privileges" notice, caption "Error". True when it wrote it.
bool SetShellIconBpp(const TRegistryKeyPath& key, const TInstallHooks& hooks, bool reportFailure = true);

// The installation side: "Shell Icon BPP" for both users; only the current user's failure is
// reported, since the default user's key belongs to the system account and a normal user can
// never write it. Each value written is noted in the program's key. "isShortcut" is left as it is.
void InstallIconSettings(const TIconSettingKeys& keys, const TInstallHooks& hooks);

// The uninstall side: "Shell Icon BPP" deleted for each user where installation noted that it
// wrote it (a depth the user or the system had set stays), the notes and the program's key
// then deleted when nothing else is in it; "isShortcut" written as an
// empty string into both classes where it is absent. A key that does not exist, or that still
// has the value, is not written; a needed write that fails throws Exception
// "Failed to set data for 'isShortcut'".
void RestoreIconSettings(const TIconSettingKeys& keys);

}  // namespace tarvell
