// The main routine: one instance per desktop, the application object, the main window,
// and the message loop. Every way out ends the process with exit code 0, but for an unknown
// switch, which ends it with 2 after a box that lists the switches.
#include "app/FootprintProbe.h"
#include "app/InstanceGuard.h"
#include "app/ProgramExit.h"
#include "app/ProgramState.h"
#include "app/Unit1.h"
#include "gui/Application.h"
#include "gui/Dialogs.h"

#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>

using namespace tarvell;

namespace {

// Says what ended the program: in the standard error box, or on stderr when no box can be
// shown. Nothing may escape from here, or the process would end through std::terminate.
void ReportFatal(const char* message) noexcept {
  try {
    if (ShowErrorBox(message)) return;
  } catch (...) {}
  std::fprintf(stderr, "Tarvell: %s.\n", message);
  std::fflush(stderr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    const TShowArguments args = ReadProgramArguments(::GetCommandLineW());
    if (args.Kind == TShowArguments::TKind::Unknown) {
      ShowNotice(UnknownSwitchText(args.Unknown), "Tarvell");
      ::ExitProcess(2);
    }
    // A later instance hands over to the running one and ends before any window exists.
    if (!InstanceGuard.Start()) ::ExitProcess(0);
    if (args.Kind == TShowArguments::TKind::Command) Program().StartCommand = args.Command;
    StartFootprintProbe();
    Application.SetTitle("Tarvell");
    ::ShowWindow(Application.Handle(), SW_HIDE);
    Application.CreateForm<TForm1>();
    Application.Run();
  } catch (const std::exception& e) {
    // Last resort: try to keep the slideshow moving, then say what went wrong.
    if (Form1) {
      try {
        Form1->NextClick(*Form1);
      } catch (...) {}
    }
    ReportFatal(e.what());
  } catch (...) {
    ReportFatal("Unknown error");
  }
  ExitProgram();
}
