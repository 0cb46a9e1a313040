// TPicture::SaveToFile apart from picture/Picture.cpp: its file stream brings the standard
// library's locale machinery, some 700 KB of code that Tarvell.exe, which never saves a
// picture this way, links only when it calls this.
#include "picture/Picture.h"

#include "base/NativePath.h"
#include "picture/DecodeError.h"

#include <fstream>

namespace tarvell {

void TPicture::SaveToFile(const std::string& path) const {
  if (FBmp.empty()) {
    return;
  }
  std::ofstream file(NativePath(path), std::ios::binary | std::ios::trunc);
  if (!file) {
    throw EFCreateError("Cannot create file " + path);
  }
  file.write(reinterpret_cast<const char*>(FBmp.data()), static_cast<std::streamsize>(FBmp.size()));
  // A full disk may only show when the buffered tail is flushed.
  file.close();
  if (file.fail()) {
    throw EWriteError("Stream write error");
  }
}

}  // namespace tarvell
