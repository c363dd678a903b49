#pragma once
// The program's own data in the registry, as an INI-style store (section =
// sub-key, key = value name). The caller owns the store.
#include "storage/CustomIniFile.h"

#include <memory>
#include <string>

// portable: a memory store on "Temp.ini" in the temporary folder, read if it is
// there and never written. Otherwise keyPath below HKEY_LOCAL_MACHINE, created
// when missing; below HKEY_CURRENT_USER (created too) when currentUserOnly is
// set or that fails. When neither can be opened the store reads its defaults and
// refuses writes.
std::unique_ptr<TCustomIniFile> CreateRegistryProgData(const std::wstring& keyPath, bool portable,
                                                       bool currentUserOnly);
