// The test-only footprint probe: the switch that starts it, and its answer in the named file.
#include "app/FootprintProbe.h"

#include "tests/support/TempFolder.h"
#include "app/FootprintCounts.h"
#include "base/WideText.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

namespace tarvell {
namespace {

TEST(FootprintProbe, TakesTheFileFromItsSwitchOnly) {
  EXPECT_EQ(FootprintProbeFile(L"Tarvell.exe --footprint-probe=C:\\f.txt"), L"C:\\f.txt");
  EXPECT_EQ(FootprintProbeFile(L"Tarvell.exe /x \"--footprint-probe=C:\\with space\\f.txt\" y"),
            L"C:\\with space\\f.txt");
  EXPECT_EQ(FootprintProbeFile(L"Tarvell.exe"), L"");
  EXPECT_EQ(FootprintProbeFile(L"Tarvell.exe --footprint-probe="), L"") << "no file named";
  EXPECT_EQ(FootprintProbeFile(L"Tarvell.exe --footprint-probes=C:\\f.txt"), L"");
  // The program's own path is no switch, whatever it is called.
  EXPECT_EQ(FootprintProbeFile(L"--footprint-probe=C:\\f.txt"), L"");
}

std::map<std::string, std::string> ReadFigures(const std::string& path) {
  std::map<std::string, std::string> figures;
  std::istringstream lines(test::ReadTextFile(path).value_or(""));
  std::string name, value;
  while (lines >> name >> value) figures[name] = value;
  return figures;
}

TEST(FootprintProbe, WritesTheCountsWithoutItsOwnWindow) {
  test::TTempFolder folder;
  const std::string file = folder.File("figures.txt");
  TFootprintProbe probe(Widen(file));
  ASSERT_TRUE(probe.HasHandle());
  // The harness finds it among the message-only windows by its class.
  EXPECT_EQ(::FindWindowExA(HWND_MESSAGE, nullptr, FootprintProbeClass, nullptr), probe.Handle());
  // Nothing changes between the two counts on this thread.
  const TFootprintCounts expected = CountFootprint(probe.Handle());
  ASSERT_EQ(::SendMessageA(probe.Handle(), FootprintProbeAsk, 0, 0), 1);
  const auto figures = ReadFigures(file);
  ASSERT_EQ(figures.size(), 4u);
  EXPECT_EQ(figures.at("gdi_objects"), std::to_string(expected.GdiObjects));
  EXPECT_EQ(figures.at("user_objects"), std::to_string(expected.UserObjects));
  EXPECT_EQ(figures.at("user_objects"), std::to_string(CountUserObjects() - 1));
  EXPECT_EQ(figures.at("handles"), std::to_string(expected.Handles)) << "the file's own handle counted";
  EXPECT_GT(std::stoull(figures.at("private_bytes")), 0u);
}

TEST(FootprintProbe, SaysWhenTheFileCannotBeWritten) {
  test::TTempFolder folder;
  TFootprintProbe probe(Widen(folder.File("missing\\figures.txt")));
  EXPECT_EQ(::SendMessageA(probe.Handle(), FootprintProbeAsk, 0, 0), 0);
}

}  // namespace
}  // namespace tarvell
