// Program entry. The window arrives with the application shell; until then the program
// only proves that the Windows build links and starts.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
