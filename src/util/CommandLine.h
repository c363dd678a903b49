#pragma once
// Command-line switches; parameter 0 is the program, switches start at 1.
#include <string>
#include <vector>

// The shell hands in the process's parameters once at start.
void SetCommandLineParams(std::vector<std::wstring> params);

// Whether any parameter 1..count equals name ignoring case, after one leading
// "-" or "/" of the parameter is removed ("/DEBUG", "-debug", "debug"; not "--debug").
bool HasParam(const std::vector<std::wstring>& params, const std::wstring& name);
// The same test for parameter index only; false past the end or for an empty parameter.
bool HasParam(const std::vector<std::wstring>& params, int index, const std::wstring& name);

// The forms above over the parameters given to SetCommandLineParams.
bool HasParam(const std::wstring& name);
bool HasParam(int index, const std::wstring& name);
