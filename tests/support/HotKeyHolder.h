// Another program's hot keys and the keyboard that presses them, for the hot-key tests.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <iterator>
#include <utility>
#include <vector>

namespace tarvell::test {

// Another program's window holding key combinations: counts the presses it receives.
class THolder {
public:
  THolder() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &THolder::Proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "HotKeyHolderForTests";
    ::RegisterClassA(&wc);
    FWnd = ::CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
    ::SetWindowLongPtrA(FWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~THolder() { ::DestroyWindow(FWnd); }
  THolder(const THolder&) = delete;
  THolder& operator=(const THolder&) = delete;

  bool Claim(int id, UINT mods, UINT vk) { return ::RegisterHotKey(FWnd, id, mods, vk) != FALSE; }
  void Release(int id) { ::UnregisterHotKey(FWnd, id); }
  int Presses() const { return FPresses; }

private:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_HOTKEY) {
      reinterpret_cast<THolder*>(::GetWindowLongPtrA(wnd, GWLP_USERDATA))->FPresses++;
      return 0;
    }
    return ::DefWindowProcA(wnd, msg, wp, lp);
  }
  HWND FWnd = nullptr;
  int FPresses = 0;
};

// Types a combination as the keyboard would: modifiers down, key down and up, modifiers up.
inline void Press(UINT mods, UINT vk) {
  std::vector<INPUT> in;
  auto key = [&](WORD code, bool up) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = code;
    i.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(code, MAPVK_VK_TO_VSC));
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    in.push_back(i);
  };
  const std::pair<UINT, WORD> modifiers[] = {
      {MOD_CONTROL, VK_CONTROL}, {MOD_ALT, VK_MENU}, {MOD_SHIFT, VK_SHIFT}, {MOD_WIN, VK_LWIN}};
  for (const auto& [flag, code] : modifiers)
    if (mods & flag) key(code, false);
  key(static_cast<WORD>(vk), false);
  key(static_cast<WORD>(vk), true);
  for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
    if (mods & it->first) key(it->second, true);
  ASSERT_EQ(::SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT)), in.size());
}

}  // namespace tarvell::test
