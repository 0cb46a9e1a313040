#include "app/ShowFiles.h"

#include "app/ConfigStore.h"

namespace tarvell {

// 500 changes of several monitors with long paths, or thousands of excluded pictures, fit well.
constexpr std::uint64_t MaxShowFileBytes = 16u << 20;

std::string TShowFile::Load() {
  FKeep = true;  // until the read has come back whole
  std::string text = ReadProgramFile(FPath, MaxShowFileBytes).value_or(std::string());
  FKeep = false;
  return text;
}

void TShowFile::Save(const std::string& text) {
  if (!FKeep) ReplaceConfigFile(FPath, text);
}

}  // namespace tarvell
