#pragma once
// The system's answers for the settings location on Windows: special folders
// through SHFolder.dll (loaded at run time) and the shell, the registry below
// HKEY_LOCAL_MACHINE with fall-back to HKEY_CURRENT_USER, files and folders.
#include "storage/PBPathList.h"

#include <memory>

std::unique_ptr<PathListPlatform> CreateWin32PathListPlatform();
