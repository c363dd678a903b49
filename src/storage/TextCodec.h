#pragma once
// Text encodings of the settings files. Decoders accept any bytes and never fail:
// what cannot be decoded becomes U+FFFD, so a damaged file still loads and the
// next save writes valid text. Works with 16-bit (Windows) and 32-bit wchar_t.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using TBytes = std::vector<std::uint8_t>;

// Appends one character, as a surrogate pair where wchar_t has 16 bits; a
// surrogate or a value beyond U+10FFFF appends U+FFFD.
void AppendCodePoint(std::wstring& out, char32_t cp);

// UTF-16 little-endian without byte-order mark. Unpaired surrogates and a
// trailing odd byte decode to U+FFFD; characters that UTF-16 cannot hold encode as U+FFFD.
std::wstring DecodeUtf16LE(const std::uint8_t* data, std::size_t size);
TBytes EncodeUtf16LE(const std::wstring& text);

// UTF-8 without byte-order mark (the XML back-end). Invalid sequences decode to U+FFFD.
std::wstring DecodeUtf8(const std::uint8_t* data, std::size_t size);
std::string EncodeUtf8(const std::wstring& text);
// Whether the bytes are UTF-8 throughout, so that DecodeUtf8 replaces nothing.
bool IsValidUtf8(const std::uint8_t* data, std::size_t size);

// Windows-1252; unmappable characters encode as "?".
std::wstring DecodeCp1252(const std::uint8_t* data, std::size_t size);
TBytes EncodeCp1252(const std::wstring& text);

// The system ANSI code page. The core cannot ask the platform for it, so it
// defaults to Windows-1252; the shell installs the real code page at start-up.
struct TAnsiCodec {
    std::wstring (*Decode)(const std::uint8_t* data, std::size_t size) = DecodeCp1252;
    TBytes (*Encode)(const std::wstring& text) = EncodeCp1252;
};
// A codec with a missing function falls back to Windows-1252 for it.
void SetAnsiCodec(TAnsiCodec codec);
std::wstring DecodeAnsi(const std::uint8_t* data, std::size_t size);
TBytes EncodeAnsi(const std::wstring& text);
