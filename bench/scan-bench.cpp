// Scans a folder tree for pictures the way the slideshow builds its list with subfolders,
// and prints the count and the time taken. With --generate it makes a test tree instead.
//
//   scan-bench DIR                     scan DIR, print "<pictures> pictures in <seconds> s"
//   scan-bench --print DIR             also print the list, one path a line
//   scan-bench --memory DIR            print the heap bytes a picture that the list holds,
//                                      and what one string a path would hold instead
//   scan-bench --shuffle COUNT         time the shuffle's listing of COUNT pictures in folders
//                                      of 100 (a fresh round, then half shown and a tenth gone,
//                                      a tenth new), its file both ways, and the heap bytes it
//                                      holds a picture
//   scan-bench --generate DIR FOLDERS FILES
//                                      make FOLDERS folders (DIR included) with FILES files
//                                      each, a quarter of them pictures (empty files)

#include "slideshow/PictureSelector.h"
#include "slideshow/PictureWalk.h"
#include "base/PosixDirectoryLister.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <malloc.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// File names by position in a folder: every fourth one is a picture, and the others
// include near misses that a sloppy mask would take.
std::string FileName(int folder, int file) {
  static const char* const pictures[] = {"IMG_%d_%d.jpg", "Photo %d-%d.JPG", "scan%d_%d.jpeg", "old%d_%d.jpeg.bak"};
  static const char* const others[] = {"notes%d_%d.txt", "pic%d_%d.png", "a%d_%d.jpgx",
                                       "b%d_%d.jpg.txt", "c%d_%d.jpe",   "thumbs%d_%d.db"};
  char name[64];
  if (file % 4 == 0)
    std::snprintf(name, sizeof name, pictures[(file / 4) % 4], folder, file);
  else
    std::snprintf(name, sizeof name, others[file % 6], folder, file);
  return name;
}

int Generate(const std::string& root, int folders, int files) {
  // Folder k > 0 lies in folder (k - 1) / 20: a broad tree a few levels deep.
  std::vector<std::string> paths(static_cast<std::size_t>(folders));
  paths[0] = root;
  if (mkdir(root.c_str(), 0755) != 0 && errno != EEXIST) {
    std::perror(root.c_str());
    return 1;
  }
  for (int k = 0; k < folders; ++k) {
    if (k > 0) {
      paths[k] = paths[(k - 1) / 20] + "/Folder " + std::to_string(k);
      if (mkdir(paths[k].c_str(), 0755) != 0) {
        std::perror(paths[k].c_str());
        return 1;
      }
    }
    for (int f = 0; f < files; ++f) {
      const std::string path = paths[k] + "/" + FileName(k, f);
      const int fd = open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
      if (fd < 0) {
        std::perror(path.c_str());
        return 1;
      }
      close(fd);
    }
  }
  return 0;
}

// Heap bytes in use now, as the allocator counts them: its arena and the large blocks it maps
// on their own.
std::size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

int Memory(const std::string& folder) {
  tarvell::TPosixDirectoryLister lister;
  const tarvell::TFileMask mask(tarvell::PictureMask);
  const std::size_t before = HeapInUse();
  tarvell::TPictureList list;
  {
    tarvell::TPictureWalk walk(lister, mask);  // gone with its buffers before the count
    list = walk.Collect(folder, true);
  }
  const std::size_t compact = HeapInUse() - before;
  const std::size_t n = list.Pictures.size();
  if (n == 0) {
    std::fprintf(stderr, "no pictures in %s\n", folder.c_str());
    return 1;
  }
  const std::size_t beforeStrings = HeapInUse();
  const std::vector<std::string> strings = list.Pictures.ToVector();
  const std::size_t asStrings = HeapInUse() - beforeStrings;
  std::size_t text = 0;
  for (const auto& path : strings) text += path.size();
  std::printf("%zu pictures: %.1f bytes a picture in the list, %.1f as one string each (paths average %.1f bytes)\n", n,
              static_cast<double>(compact) / static_cast<double>(n),
              static_cast<double>(asStrings) / static_cast<double>(n),
              static_cast<double>(text) / static_cast<double>(n));
  return 0;
}

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

int Shuffle(std::int32_t n) {
  tarvell::TPicturePaths pictures, changed;  // in `changed` every tenth picture gone, as many new ones
  for (std::int32_t i = 0; i < n; ++i) {
    if (i % 100 == 0) {
      const std::string folder = "C:\\Pictures\\Folder " + std::to_string(i / 100) + "\\";
      pictures.BeginFolder(folder);
      changed.BeginFolder(folder);
    }
    const std::string name = "IMG_" + std::to_string(i) + ".jpg";
    pictures.Add(name);
    changed.Add(i % 10 == 0 ? "new " + name : name);
  }
  const std::size_t before = HeapInUse();
  tarvell::TPictureSelector selector(1);
  auto start = std::chrono::steady_clock::now();
  selector.Relist(pictures);
  const double fresh = MillisecondsSince(start);
  const std::size_t held = HeapInUse() - before;
  for (std::int32_t i = 0, current = 0; i < n / 2; ++i) current = selector.NextAtRandom(current, n);
  start = std::chrono::steady_clock::now();
  selector.Relist(changed);
  const double carried = MillisecondsSince(start);
  start = std::chrono::steady_clock::now();
  const std::string file = tarvell::WriteShuffleFile(selector.State());
  const bool read = tarvell::ReadShuffleFile(file).has_value();
  const double fileMs = MillisecondsSince(start);
  std::printf(
      "%d pictures: listing %.1f ms fresh, %.1f ms carried over; file %zu bytes written and %s in %.1f ms; "
      "%.1f heap bytes a picture\n",
      n, fresh, carried, file.size(), read ? "read" : "NOT read", fileMs,
      static_cast<double>(held) / static_cast<double>(n ? n : 1));
  return read ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::strcmp(argv[1], "--generate") == 0)
    return Generate(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
  if (argc == 3 && std::strcmp(argv[1], "--memory") == 0) return Memory(argv[2]);
  if (argc == 3 && std::strcmp(argv[1], "--shuffle") == 0) return Shuffle(std::atoi(argv[2]));
  const bool print = argc == 3 && std::strcmp(argv[1], "--print") == 0;
  if (argc != 2 && !print) {
    std::fprintf(stderr,
                 "usage: scan-bench [--print | --memory] DIR | --shuffle COUNT | --generate DIR FOLDERS FILES\n");
    return 2;
  }
  tarvell::TPosixDirectoryLister lister;
  const tarvell::TFileMask mask(tarvell::PictureMask);
  tarvell::TPictureWalk walk(lister, mask);
  const auto start = std::chrono::steady_clock::now();
  const auto list = walk.Collect(argv[argc - 1], true);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  if (print)
    for (std::size_t i = 0; i < list.Pictures.size(); ++i) std::printf("%s\n", list.Pictures[i].c_str());
  std::fprintf(print ? stderr : stdout, "%zu pictures in %.3f s\n", list.Pictures.size(), took.count());
  if (list.FirstError != 0) std::fprintf(stderr, "I/O error %d\n", list.FirstError);
  return 0;
}
