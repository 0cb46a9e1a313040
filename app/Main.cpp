// The main routine: one instance per desktop, the application object, the main window,
// and the message loop. Every way out ends the process with exit code 0.
#include "app/InstanceGuard.h"
#include "app/ProgramExit.h"
#include "app/Unit1.h"
#include "gui/Application.h"
#include "gui/Dialogs.h"

#include <windows.h>

#include <exception>

using namespace tarvell;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // A later instance hands over to the running one and ends before any window exists.
  if (!InstanceGuard.Start()) ::ExitProcess(0);
  try {
    Application.SetTitle("Tarvell");
    Application.SetShowMainForm(false);
    ::ShowWindow(Application.Handle(), SW_HIDE);
    Application.CreateForm<TForm1>();
    Application.Run();
  } catch (const std::exception& e) {
    // Last resort: try to keep the slideshow moving, then say what went wrong.
    if (Form1) {
      try {
        Form1->NextClick(*Form1);
      } catch (...) {
      }
    }
    ShowErrorBox(e.what());
  } catch (...) {
    ShowErrorBox("Unknown error");
  }
  ExitProgram();
}
