// The library's entry on Windows. It holds no state, so loading, unloading and thread attach or
// detach need nothing and always succeed.
#if defined(_WIN32)
#include <windows.h>

extern "C" BOOL WINAPI DllEntryPoint(HINSTANCE, DWORD, LPVOID) { return TRUE; }

// The C runtime's start-up code initialises itself and then calls DllMain.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  return DllEntryPoint(instance, reason, reserved);
}
#endif
