#include "TempFolder.h"
#include "gui/FileListBox.h"
#include "gui/Form.h"
#include <gtest/gtest.h>
#include <cstdio>
TEST(ZzDebug, Names) {
  tarvell::test::TTempFolder temp;
  for (const char* name : {"b.jpg", "A.JPG", "c.jpeg", "d.txt", "e.jpeg.jpg", "d.jpeg.old", "h.jpg", "photo.jpgx"}) {
    tarvell::test::WriteTextFile(temp.File(name), "x");
  }
  for (auto& n : tarvell::TFileListBox::MatchingNames(temp.Path(), "*.jpg;*.jpeg*")) printf("1[%s]\n", n.c_str());
  ::SetFileAttributesA(temp.File("h.jpg").c_str(), FILE_ATTRIBUTE_HIDDEN);
  for (auto& n : tarvell::TFileListBox::MatchingNames(temp.Path(), "*.jpg;*.jpeg*")) printf("2[%s]\n", n.c_str());
  temp.Folder("f.jpg");
  for (auto& n : tarvell::TFileListBox::MatchingNames(temp.Path(), "*.jpg;*.jpeg*")) printf("3[%s]\n", n.c_str());
  tarvell::TForm form(nullptr); form.HandleNeeded();
  auto* files = new tarvell::TFileListBox(&form);
  files->SetParent(&form);
  files->SetDirectory(temp.Path());
  for (auto& n : files->Items()) printf("4[%s]\n", n.c_str());
  files->SetMask("*.jpg;*.jpeg*");
  for (auto& n : files->Items()) printf("5[%s]\n", n.c_str());
}
