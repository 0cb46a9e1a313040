// Registry helpers for tests: read back, create, and lock keys so that writes fail.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tarvell::test {

inline bool RegKeyExists(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  ::RegCloseKey(key);
  return true;
}

// The value's string data; nothing when the key or the value is missing.
inline std::optional<std::string> RegReadString(HKEY root, const std::string& path, const char* name) {
  char data[1024] = {};
  DWORD size = sizeof data - 1;
  DWORD type = 0;
  if (::RegGetValueA(root, path.c_str(), name, RRF_RT_ANY, &type, data, &size) != ERROR_SUCCESS) return std::nullopt;
  return std::string(data);
}

// Creates the key when needed and writes a string value into it.
inline void RegWriteString(HKEY root, const std::string& path, const char* name, const std::string& data) {
  HKEY key = nullptr;
  if (::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>(data.size() + 1));
  ::RegCloseKey(key);
}

inline void RegCreate(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS)
    ::RegCloseKey(key);
}

inline void RegDeleteValue(HKEY root, const std::string& path, const char* name) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  ::RegDeleteValueA(key, name);
  ::RegCloseKey(key);
}

// Gives the existing key an empty access list: it can still be found, but nobody may open it.
inline void RegDenyAll(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  SECURITY_DESCRIPTOR sd{};
  ::InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
  ACL acl{};
  ::InitializeAcl(&acl, sizeof acl, ACL_REVISION);
  ::SetSecurityDescriptorDacl(&sd, TRUE, &acl, FALSE);
  ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &sd);
  ::RegCloseKey(key);
}

// Lets everyone read the existing key but nobody change it.
inline void RegAllowReadOnly(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  ::AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
  alignas(ACL) BYTE buffer[256] = {};
  auto* acl = reinterpret_cast<PACL>(buffer);
  ::InitializeAcl(acl, sizeof buffer, ACL_REVISION);
  ::AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ, everyone);
  SECURITY_DESCRIPTOR sd{};
  ::InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
  ::SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE);
  ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &sd);
  ::FreeSid(everyone);
  ::RegCloseKey(key);
}

}  // namespace tarvell::test
