#pragma once
// Text files fetched from the vendor's server (the version file, the contact
// data) as lines.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// UTF-8, with or without byte-order mark; bytes that are no UTF-8 are read as
// Windows-1252, which older files on the server were written in. Lines may end
// in CR LF, LF or CR.
std::vector<std::wstring> DecodeFetchedText(const std::uint8_t* data, std::size_t size);
