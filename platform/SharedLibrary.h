#pragma once
// Shared libraries loaded by file name while the program runs, and the functions they export.

namespace platform {

// Loads the library of this file name along the system's search order for libraries; null when
// none is found or it does not load. A library that is already loaded (also because the program
// was linked against it) is that same library. A loaded library stays loaded until the program
// ends.
void* LoadSharedLibrary(const char* fileName);

// The address of the function the library exports under this name; null when it exports none
// or the library is null.
void* SharedLibraryFunction(void* library, const char* name);

} // namespace platform
