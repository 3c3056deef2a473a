// The program's start: the Win32 host, the program's windows, and the
// message loop. The program ends when its main window closes.

#include "ui/forms/win32/host.h"
#include "ui/main/program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The trackbar and tooltip classes. COM is the picture decoder's: it loads
  // and starts it at its first picture, when the main window paints.
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);

  int code = 0;
  {
    forms::win32::Win32Host host(instance);
    Program program(host);
    program.Start();
    code = host.Run();
  }
  return code;
}
