#include "desktop/IconSettings.h"

#include "gui/Dialogs.h"
#include "gui/Handles.h"
#include "base/WideText.h"
#include "base/Exception.h"

namespace tarvell {

namespace {

// Opens an existing key; never creates one. Returns the error code of the open.
LONG OpenKey(const TRegistryKeyPath& key, REGSAM access, TRegKey& out) {
  HKEY raw = nullptr;
  const LONG result = ::RegOpenKeyExW(key.Root, Widen(key.Path).c_str(), 0, access, &raw);
  out.reset(result == ERROR_SUCCESS ? raw : nullptr);
  return result;
}

bool ValueExists(const TRegistryKeyPath& key, const char* name) {
  TRegKey opened;
  if (OpenKey(key, KEY_QUERY_VALUE, opened) != ERROR_SUCCESS) return false;
  return ::RegQueryValueExW(opened.get(), Widen(name).c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool WriteString(HKEY key, const char* name, const std::string& data) {
  const std::wstring text = Widen(data);
  return ::RegSetValueExW(key, Widen(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

void DeleteValue(const TRegistryKeyPath& key, const char* name) {
  TRegKey opened;
  if (OpenKey(key, KEY_SET_VALUE, opened) == ERROR_SUCCESS) ::RegDeleteValueW(opened.get(), Widen(name).c_str());
}

// The notes in the program's key, one a metrics key: that installation wrote its value.
constexpr const char UserBppNote[] = "Wrote Shell Icon BPP";
constexpr const char DefaultBppNote[] = "Wrote default Shell Icon BPP";

void Note(const TRegistryKeyPath& key, const char* name) {
  HKEY raw = nullptr;
  if (::RegCreateKeyExW(key.Root, Widen(key.Path).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr) !=
      ERROR_SUCCESS)
    return;  // the value then stays at uninstall, as one the user had set
  const TRegKey created(raw);
  WriteString(created.get(), name, "1");
}

// Deletes the value when installation noted writing it, then the note.
void DeleteWrittenValue(const TRegistryKeyPath& key, const TRegistryKeyPath& program, const char* note) {
  if (!ValueExists(program, note)) return;
  DeleteValue(key, ShellIconBppValue);
  DeleteValue(program, note);
}

// The program's key goes when the notes were all it held.
void DeleteKeyWhenEmpty(const TRegistryKeyPath& key) {
  TRegKey opened;
  if (OpenKey(key, KEY_QUERY_VALUE, opened) != ERROR_SUCCESS) return;
  DWORD subkeys = 0, values = 0;
  if (::RegQueryInfoKeyW(opened.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
      subkeys != 0 || values != 0)
    return;
  opened.reset();
  ::RegDeleteKeyW(key.Root, Widen(key.Path).c_str());
}

void WriteEmptyIsShortcut(const TRegistryKeyPath& key) {
  // A value that is still there (the installation could not delete it) is already given back;
  // opening the class for writing would need rights a normal user does not have.
  if (ValueExists(key, IsShortcutValue)) return;
  TRegKey opened;
  const LONG result = OpenKey(key, KEY_SET_VALUE, opened);
  // A class the system does not have has no arrow setting to give back.
  if (result == ERROR_FILE_NOT_FOUND || result == ERROR_PATH_NOT_FOUND) return;
  if (result != ERROR_SUCCESS || !WriteString(opened.get(), IsShortcutValue, ""))
    throw Exception(std::string("Failed to set data for '") + IsShortcutValue + "'");
}

}  // namespace

const TIconSettingKeys& StandardIconSettingKeys() {
  static const TIconSettingKeys keys{
      {HKEY_CURRENT_USER, "Control Panel\\Desktop\\WindowMetrics"},
      {HKEY_USERS, ".Default\\Control Panel\\Desktop\\WindowMetrics"},
      {HKEY_CLASSES_ROOT, "lnkfile"},
      {HKEY_CLASSES_ROOT, "piffile"},
      {HKEY_CURRENT_USER, "Software\\Tarvell"},
  };
  return keys;
}

bool SetShellIconBpp(const TRegistryKeyPath& key, const TInstallHooks& hooks, bool reportFailure) {
  if (ValueExists(key, ShellIconBppValue)) return false;
  TRegKey opened;
  if (OpenKey(key, KEY_SET_VALUE, opened) == ERROR_SUCCESS &&
      WriteString(opened.get(), ShellIconBppValue, ShellIconBppData))
    return true;
  if (!reportFailure) return false;
  if (hooks.Beep)
    hooks.Beep(1000, 500);
  else
    ::Beep(1000, 500);
  ShowNotice(NeedPrivilegesMessage, "Error");
  return false;
}

void InstallIconSettings(const TIconSettingKeys& keys, const TInstallHooks& hooks) {
  if (SetShellIconBpp(keys.UserMetrics, hooks)) Note(keys.Program, UserBppNote);
  if (SetShellIconBpp(keys.DefaultMetrics, hooks, false)) Note(keys.Program, DefaultBppNote);
}

void RestoreIconSettings(const TIconSettingKeys& keys) {
  DeleteWrittenValue(keys.UserMetrics, keys.Program, UserBppNote);
  DeleteWrittenValue(keys.DefaultMetrics, keys.Program, DefaultBppNote);
  DeleteKeyWhenEmpty(keys.Program);
  WriteEmptyIsShortcut(keys.LinkClass);
  WriteEmptyIsShortcut(keys.PifClass);
}

}  // namespace tarvell
