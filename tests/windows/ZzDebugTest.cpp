#include "TempFolder.h"
#include "gui/FileListBox.h"
#include <gtest/gtest.h>
#include <cstdio>
TEST(ZzDebug, Names) {
  tarvell::test::TTempFolder temp;
  for (const char* name : {"b.jpg", "A.JPG", "c.jpeg"}) tarvell::test::WriteTextFile(temp.File(name), "x");
  for (auto& n : tarvell::TFileListBox::MatchingNames(temp.Path(), "*.jpg;*.jpeg*")) printf("[%s]\n", n.c_str());
  printf("path=%s\n", temp.Path().c_str());
  WIN32_FIND_DATAA d;
  HANDLE h = FindFirstFileA((temp.Path() + "\\*").c_str(), &d);
  do { printf("{%s}\n", d.cFileName); } while (FindNextFileA(h, &d));
}
