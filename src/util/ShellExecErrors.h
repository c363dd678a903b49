#pragma once
// German texts for the result codes of shell execution.
#include <map>
#include <string>

// The text for a result code 0..32 (or any other failure code), a line break and
// the file; empty for codes above 32, which mean success. A message table may
// replace texts under "SE_ERR_" + code, with "SE_ERR_DEF" for codes that have no
// text of their own; in table texts "%d" stands for the code and "%s" for the
// file's extension.
std::wstring GetShellExecuteError(int code, const std::wstring& file,
                                  const std::map<std::wstring, std::wstring>* table = nullptr);
