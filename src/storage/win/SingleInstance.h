#pragma once
// One running copy of the program: a named mutex, and a registered message
// that a later copy broadcasts before it ends.
#include <string>

// The program's name for both, the same in every copy and version.
constexpr wchar_t DravikUniqueAppName[] = L"{6F1C2B7E-4D3A-4E8B-9C05-2A7D8E1F3B64}";

// True for the first running copy. "\" and "," are removed from the name. A
// later copy broadcasts the message when sendMsg is set (waiting at most a
// moment for each window, so a hung window cannot hang the start) and gets false.
bool SingleInstanceCreate(std::wstring uniqueAppName, bool sendMsg);
void SingleInstanceClose();
// The registered message of the last SingleInstanceCreate (0 before it).
unsigned SingleInstanceMessage();
