// Started by a button press in the press benchmark: signals the named event given on
// its command line, so the benchmark also sees when a started program runs its own
// code, then ends. A console-less program, so that no console window is made.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  if (!commandLine || !*commandLine) return 1;
  HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, commandLine);
  if (!event) return 2;
  SetEvent(event);
  CloseHandle(event);
  return 0;
}
