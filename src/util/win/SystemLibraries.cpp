#include "util/win/SystemLibraries.h"

#include <windows.h>

#include <delayimp.h>

namespace {

// The delay-load helper asks here before it loads a DLL by its bare name,
// which would search the program's folder first: a portable copy's folder
// may hold anything.
FARPROC WINAPI LoadFromSystemFolder(unsigned notification, PDelayLoadInfo info) {
    if (notification != dliNotePreLoadLibrary) return nullptr;
    return reinterpret_cast<FARPROC>(
        ::LoadLibraryExA(info->szDll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
}

} // namespace

// The helper's notification hook (declared in <delayimp.h>); set before any
// code runs. This file is linked whenever a feature loads its libraries.
PfnDliHook __pfnDliNotifyHook2 = &LoadFromSystemFolder;

bool LoadSystemLibraries(std::initializer_list<const wchar_t*> dlls) {
    for (const wchar_t* dll : dlls)
        if (!::LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return false;
    return true;
}
