#include "base/WindowsCodePage.h"

#include "base/Utf8.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

namespace tarvell {
namespace {

std::string U8(std::u16string_view text) { return Utf8FromUtf16(text); }

// The code page the system keeps for programs without Unicode, whatever this process's own is.
unsigned RegistryAnsiCodePage() {
  wchar_t value[16] = {};
  DWORD size = sizeof value;
  if (::RegGetValueW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\Nls\\CodePage", L"ACP", RRF_RT_REG_SZ,
                     nullptr, value, &size) != ERROR_SUCCESS)
    return 0;
  return static_cast<unsigned>(std::wcstoul(value, nullptr, 10));
}

// Guards against asking GetACP(): under the program's manifest it answers 65001 (UTF-8),
// and every file an earlier version wrote would be read wrong.
TEST(WindowsCodePage, TheSystemsCodePageIsTheOneTheSystemKeeps) {
  const unsigned system = SystemAnsiCodePage();
  EXPECT_EQ(system, RegistryAnsiCodePage());
  EXPECT_NE(system, unsigned(CP_UTF8));
  if (::GetACP() != CP_UTF8) {
    EXPECT_EQ(system, ::GetACP());
  }
  EXPECT_EQ(static_cast<const TWindowsCodePage&>(SystemLegacyCodePage()).Number(), system);
}

TEST(WindowsCodePage, CodePage1252BothWays) {
  const TWindowsCodePage cp(1252);
  EXPECT_EQ(cp.Encode(U8(u"C:\\Bilder\\M\u00FCller")), "C:\\Bilder\\M\xFCller");
  EXPECT_EQ(cp.Encode(U8(u"\u20AC \u2013 \u0160\u0153\u00FF")), "\x80 \x96 \x8A\x9C\xFF");
  EXPECT_EQ(cp.Encode(""), "");
  EXPECT_EQ(cp.Decode("C:\\Bilder\\M\xFCller"), U8(u"C:\\Bilder\\M\u00FCller"));
  EXPECT_EQ(cp.Decode("\x80 \x96 \x8A\x9C\xFF"), U8(u"\u20AC \u2013 \u0160\u0153\u00FF"));
  // Outside the code page; Windows' best fit would write "a", "8" and "O" for the first three.
  for (const std::u16string& text :
       {std::u16string(u"C:\\\u0101"), std::u16string(u"\u221E"), std::u16string(u"\u03A9mega"),
        std::u16string(u"\u6771\u4EAC"), std::u16string(u"\U0001F600"), std::u16string{u'a', char16_t(0xD800)}})
    EXPECT_EQ(cp.Encode(Utf8FromUtf16(text)), std::nullopt) << Utf8FromUtf16(text);
}

TEST(WindowsCodePage, CodePage932BothWays) {
  const TWindowsCodePage cp(932);
  const std::string tower = "C:\\\x93\x8C\x8B\x9E\x83\x5E\x83\x8F\x81\x5B";  // two bytes a letter
  EXPECT_EQ(cp.Encode(U8(u"C:\\\u6771\u4EAC\u30BF\u30EF\u30FC")), tower);
  EXPECT_EQ(cp.Decode(tower), U8(u"C:\\\u6771\u4EAC\u30BF\u30EF\u30FC"));
  EXPECT_EQ(cp.Encode(U8(u"caf\u00E9")), std::nullopt);  // no "é" in 932
}

// A system set to run on UTF-8 itself: every well-formed text fits, as it is. Windows
// refuses the no-best-fit flag for this code page, so a plain call would fail every line.
TEST(WindowsCodePage, TheUtf8CodePageTakesEveryWellFormedText) {
  const TWindowsCodePage cp(CP_UTF8);
  const std::string tower = U8(u"C:\\\u6771\u4EAC \U0001F600 M\u00FCller");
  EXPECT_EQ(cp.Encode(tower), tower);
  EXPECT_EQ(cp.Decode(tower), tower);
  EXPECT_EQ(cp.Encode(Utf8FromUtf16(std::u16string{u'a', char16_t(0xD800)})), std::nullopt);
}

}  // namespace
}  // namespace tarvell
