#pragma once
// Shared by the settings-store tests.
#include "../common/TestFiles.h"

using TempFolder = ScratchFolder;
