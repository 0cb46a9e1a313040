// The desktop port as the program uses it: from the task runner's threads, while the window's
// thread goes on with its messages.
#include "desktop/Win32DesktopPort.h"

#include "base/OwnedHandle.h"
#include "base/ThreadTaskRunner.h"
#include "tests/support/FormHost.h"
#include "tests/support/MessagePump.h"
#include "tests/support/PictureSamples.h"
#include "tests/support/SlideshowFakes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace tarvell {
namespace {

using namespace tarvell::test;

// The real port with its picture reads held at a gate: a share that has stopped answering.
class TGatedPort : public TWin32DesktopPort {
public:
  using TWin32DesktopPort::TWin32DesktopPort;
  TKernelHandle Entered{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  TKernelHandle Open{::CreateEventW(nullptr, TRUE, TRUE, nullptr)};
  TLoadResult LoadPicture(const std::string& path) override {
    ::SetEvent(Entered.get());
    ::WaitForSingleObject(Open.get(), INFINITE);
    return TWin32DesktopPort::LoadPicture(path);
  }
};

TEST(Win32DesktopPort, TheWindowAnswersWhileAPictureReadStallsAndTheChangeLandsOnceItGoesOn) {
  TTempFolder folder;
  TProgramFolders folders;
  folders.WallpaperPath = folder.File("Tarvell.bmp");
  TFakeLister lister;
  for (const char* name : {"a.jpg", "b.jpg"}) {
    WriteTextFile(folder.File(name), AsText(SolidJpeg(64, 48, 200, 40, 40)));
    lister.Folders[folder.Path()].push_back(TDirEntry{name});
  }
  THost window;
  TRecordingView view;
  TFakeClock clock;
  TGatedPort port(folders, nullptr);
  TThreadTaskRunner runner([] {});  // the finishes are collected as the loop below polls
  TSlideshow show(view, port, lister, clock, runner, "T", 1);
  const auto pumpUntil = [&](const std::function<bool()>& done) {
    return PumpUntil(
        [&] {
          runner.RunFinished();
          return done();
        },
        30000);
  };
  show.Rebuild(folder.Path(), false);
  ASSERT_TRUE(pumpUntil([&] { return !show.ListRequestsPending() && !show.PictureWorkPending(); }));

  ::ResetEvent(port.Entered.get());
  ::ResetEvent(port.Open.get());
  std::atomic<bool> probed{false}, answered{false};
  std::thread prober([&] {
    ::WaitForSingleObject(port.Entered.get(), 30000);
    DWORD_PTR result = 0;
    answered = ::SendMessageTimeoutW(window.Form.Handle(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
    probed = true;
    ::SetEvent(port.Open.get());
  });
  show.Next();
  const bool landed = pumpUntil([&] { return probed && view.OnDesktop == folder.File("b.jpg"); });
  prober.join();
  EXPECT_TRUE(answered) << "the window's thread waited for the read";
  EXPECT_TRUE(landed);
}

}  // namespace
}  // namespace tarvell
