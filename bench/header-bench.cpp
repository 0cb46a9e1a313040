// Reads the shape of each picture from the first PictureHeadBytes of its file (open, read,
// ReadPictureShape), then decodes each whole at full size as the picture control does (read
// the file, DecodePictureToBmp), and prints the time of each pass for all the pictures.
//
//   header-bench ROUNDS FILE...        the header pass is run ROUNDS times, the median kept;
//                                      the decode pass once
#include "jpeg/DecodePicture.h"
#include "picture/PictureHeader.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

double SecondsSince(TClock::time_point start) { return std::chrono::duration<double>(TClock::now() - start).count(); }

std::vector<std::uint8_t> ReadStart(const char* path, std::size_t most) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::uint8_t> bytes(most);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(most));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: header-bench ROUNDS FILE...\n");
    return 2;
  }
  const int rounds = std::max(1, std::atoi(argv[1]));
  const std::vector<const char*> files(argv + 2, argv + argc);
  std::vector<double> headTimes;
  int shapes = 0;
  for (int r = 0; r < rounds; ++r) {
    shapes = 0;
    const TClock::time_point start = TClock::now();
    for (const char* file : files) {
      shapes += tarvell::ReadPictureShape(ReadStart(file, tarvell::PictureHeadBytes)).has_value() ? 1 : 0;
    }
    headTimes.push_back(SecondsSince(start));
  }
  std::nth_element(headTimes.begin(), headTimes.begin() + rounds / 2, headTimes.end());
  const double head = headTimes[static_cast<std::size_t>(rounds / 2)];

  int decoded = 0;
  const TClock::time_point start = TClock::now();
  for (const char* file : files) {
    try {
      decoded += tarvell::DecodePictureToBmp(ReadStart(file, std::size_t{1} << 31), {}).empty() ? 0 : 1;
    } catch (const std::exception&) {}
  }
  const double decode = SecondsSince(start);
  const auto n = static_cast<double>(files.size());
  std::printf("pictures %zu: shapes read %d, decoded %d\n", files.size(), shapes, decoded);
  std::printf("header  %10.6f s  %10.1f us a picture (median of %d rounds)\n", head, head / n * 1e6, rounds);
  std::printf("decode  %10.6f s  %10.1f us a picture\n", decode, decode / n * 1e6);
  std::printf("decode / header: %.0f x\n", head > 0 ? decode / head : 0.0);
  return shapes == decoded ? 0 : 1;
}
