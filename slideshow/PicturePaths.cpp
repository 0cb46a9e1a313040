#include "slideshow/PicturePaths.h"

#include <limits>
#include <stdexcept>

namespace tarvell {

namespace {

constexpr std::size_t OffsetLimit = std::numeric_limits<std::uint32_t>::max();

// Whether `used` more bytes of text still start at a 32-bit offset.
void CheckRoom(std::size_t used, std::size_t more) {
  if (more > OffsetLimit - used) throw std::length_error("The picture list is too long");
}

}  // namespace

void TPicturePaths::BeginFolder(std::string_view prefix) {
  // A folder that got no entry is replaced rather than kept for nothing.
  if (!FFolderStarts.empty() && (FEntries.empty() || FEntries.back().Folder != FFolderStarts.size() - 1)) {
    FFolders.resize(FFolderStarts.back());
    FFolderStarts.pop_back();
  }
  CheckRoom(FFolders.size(), prefix.size());
  if (FFolderStarts.size() >= OffsetLimit) throw std::length_error("The picture list is too long");
  FFolderStarts.push_back(static_cast<std::uint32_t>(FFolders.size()));
  FFolders += prefix;
}

void TPicturePaths::Add(std::string_view name) {
  if (FEntries.size() >= MaxSize) throw std::length_error("The picture list is too long");
  CheckRoom(FNames.size(), name.size());
  if (FFolderStarts.empty()) BeginFolder({});
  FEntries.push_back(
      TEntry{static_cast<std::uint32_t>(FNames.size()), static_cast<std::uint32_t>(FFolderStarts.size() - 1)});
  FNames += name;
}

void TPicturePaths::Append(const TPicturePaths& other) {
  if (other.FEntries.size() > MaxSize - FEntries.size() ||
      other.FFolderStarts.size() > OffsetLimit - FFolderStarts.size())
    throw std::length_error("The picture list is too long");
  CheckRoom(FNames.size(), other.FNames.size());
  CheckRoom(FFolders.size(), other.FFolders.size());
  const auto nameShift = static_cast<std::uint32_t>(FNames.size());
  const auto folderShift = static_cast<std::uint32_t>(FFolderStarts.size());
  const auto folderTextShift = static_cast<std::uint32_t>(FFolders.size());
  // All the room first, so that running out of memory leaves the list as it was.
  FEntries.reserve(FEntries.size() + other.FEntries.size());
  FFolderStarts.reserve(FFolderStarts.size() + other.FFolderStarts.size());
  FNames.reserve(FNames.size() + other.FNames.size());
  FFolders.reserve(FFolders.size() + other.FFolders.size());
  for (const TEntry& entry : other.FEntries)
    FEntries.push_back(TEntry{entry.NameStart + nameShift, entry.Folder + folderShift});
  for (const std::uint32_t start : other.FFolderStarts) FFolderStarts.push_back(start + folderTextShift);
  FNames += other.FNames;
  FFolders += other.FFolders;
}

void TPicturePaths::clear() noexcept {
  FEntries.clear();
  FNames.clear();
  FFolders.clear();
  FFolderStarts.clear();
}

std::string_view TPicturePaths::NameOf(std::size_t index) const noexcept {
  const std::size_t start = FEntries[index].NameStart;
  const std::size_t end = index + 1 < FEntries.size() ? FEntries[index + 1].NameStart : FNames.size();
  return std::string_view(FNames).substr(start, end - start);
}

std::string_view TPicturePaths::FolderOf(std::size_t index) const noexcept {
  const std::size_t folder = FEntries[index].Folder;
  const std::size_t start = FFolderStarts[folder];
  const std::size_t end = folder + 1 < FFolderStarts.size() ? FFolderStarts[folder + 1] : FFolders.size();
  return std::string_view(FFolders).substr(start, end - start);
}

std::string TPicturePaths::operator[](std::size_t index) const {
  const std::string_view folder = FolderOf(index);
  const std::string_view name = NameOf(index);
  std::string path;
  path.reserve(folder.size() + name.size());
  path += folder;
  path += name;
  return path;
}

bool TPicturePaths::Holds(std::size_t index, std::string_view path) const noexcept {
  const std::string_view folder = FolderOf(index);
  return path.size() == folder.size() + NameOf(index).size() && path.substr(0, folder.size()) == folder &&
         path.substr(folder.size()) == NameOf(index);
}

std::size_t TPicturePaths::Find(std::string_view path) const noexcept {
  for (std::size_t i = 0; i < FEntries.size(); ++i)
    if (Holds(i, path)) return i;
  return FEntries.size();
}

void TPicturePaths::erase(std::size_t index) {
  const std::size_t length = NameOf(index).size();
  FNames.erase(FEntries[index].NameStart, length);
  FEntries.erase(FEntries.begin() + static_cast<std::ptrdiff_t>(index));
  // The names after it moved up; a folder left without entries stays until the next rebuild.
  for (std::size_t i = index; i < FEntries.size(); ++i) FEntries[i].NameStart -= static_cast<std::uint32_t>(length);
}

void TPicturePaths::ShrinkToFit() {
  FEntries.shrink_to_fit();
  FNames.shrink_to_fit();
  FFolders.shrink_to_fit();
  FFolderStarts.shrink_to_fit();
}

std::size_t TPicturePaths::MemoryBytes() const noexcept {
  // A short string's text lives inside the object, not on the heap; counting its capacity
  // anyway overstates by a few bytes in all.
  return FEntries.capacity() * sizeof(TEntry) + FNames.capacity() + FFolders.capacity() +
         FFolderStarts.capacity() * sizeof(std::uint32_t);
}

std::vector<std::string> TPicturePaths::ToVector() const {
  std::vector<std::string> paths;
  paths.reserve(FEntries.size());
  for (std::size_t i = 0; i < FEntries.size(); ++i) paths.push_back((*this)[i]);
  return paths;
}

}  // namespace tarvell
