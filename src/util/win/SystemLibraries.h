#pragma once
// The system libraries the program loads when a feature first needs them:
// the network and its certificates, the Internet settings, the common
// dialogs and COM are linked as delay imports (cmake/DelayImports.cmake), so
// the ruler alone never maps them. A feature loads its libraries here before
// its first call into them: one missing at that moment is a failure of the
// feature, told as any other, never the delay-load helper's exception.
#include <initializer_list>

// Loads each DLL from the system folder, never from beside the program, and
// keeps it for the rest of the program's life (the patched calls point into
// it). False when one of them cannot be loaded.
bool LoadSystemLibraries(std::initializer_list<const wchar_t*> dlls);
