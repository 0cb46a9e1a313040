// Scans a folder tree for pictures the way the slideshow builds its list with subfolders,
// and prints the count and the time taken. With --generate it makes a test tree instead.
//
//   scan-bench DIR                     scan DIR, print "<pictures> pictures in <seconds> s"
//   scan-bench --print DIR             also print the list, one path a line
//   scan-bench --generate DIR FOLDERS FILES
//                                      make FOLDERS folders (DIR included) with FILES files
//                                      each, a quarter of them pictures (empty files)

#include "slideshow/PictureWalk.h"
#include "slideshow/PosixDirectoryLister.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
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

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::strcmp(argv[1], "--generate") == 0)
    return Generate(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
  const bool print = argc == 3 && std::strcmp(argv[1], "--print") == 0;
  if (argc != 2 && !print) {
    std::fprintf(stderr, "usage: scan-bench [--print] DIR | scan-bench --generate DIR FOLDERS FILES\n");
    return 2;
  }
  tarvell::TPosixDirectoryLister lister;
  const tarvell::TFileMask mask(tarvell::PictureMask);
  tarvell::TPictureWalk walk(lister, mask);
  const auto start = std::chrono::steady_clock::now();
  const auto list = walk.Collect(argv[argc - 1], true);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  if (print)
    for (const auto& path : list.Pictures) std::printf("%s\n", path.c_str());
  std::fprintf(print ? stderr : stdout, "%zu pictures in %.3f s\n", list.Pictures.size(), took.count());
  if (list.FirstError != 0) std::fprintf(stderr, "I/O error %d\n", list.FirstError);
  return 0;
}
