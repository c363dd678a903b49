#include "storage/win/Win32Storage.h"

#include "storage/MvIni.h"
#include "storage/win/RegistryIni.h"
#include "storage/win/Win32FileSystem.h"
#include "util/win/AppError.h"

#include <windows.h>

#include <climits>

namespace {

TWin32FileSystem& Win32Files() {
    static TWin32FileSystem instance;
    return instance;
}

} // namespace

std::wstring DecodeSystemAnsi(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return {};
    // The conversion functions count in int; a settings file is far smaller.
    if (size > static_cast<std::size_t>(INT_MAX / 2)) return DecodeCp1252(data, size);
    const auto* bytes = reinterpret_cast<const char*>(data);
    const int length = static_cast<int>(size);
    const int wide = ::MultiByteToWideChar(CP_ACP, 0, bytes, length, nullptr, 0);
    if (wide <= 0) return DecodeCp1252(data, size);
    std::wstring text(static_cast<std::size_t>(wide), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes, length, text.data(), wide);
    return text;
}

TBytes EncodeSystemAnsi(const std::wstring& text) {
    if (text.empty()) return {};
    if (text.size() > static_cast<std::size_t>(INT_MAX / 4)) return EncodeCp1252(text);
    const int length = static_cast<int>(text.size());
    const int narrow =
        ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), length, nullptr, 0, nullptr, nullptr);
    if (narrow <= 0) return EncodeCp1252(text);
    TBytes bytes(static_cast<std::size_t>(narrow));
    ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), length, reinterpret_cast<char*>(bytes.data()),
                          narrow, nullptr, nullptr);
    return bytes;
}

void InstallWin32Storage() {
    SetFileSystem(&Win32Files());
    SetAnsiCodec(TAnsiCodec{DecodeSystemAnsi, EncodeSystemAnsi});
    InstallRegistryIni();
    // "Fehler beim Speichern der Konfigurationdatei:" ... with OK and the error icon.
    SetIniErrorReporter([](const std::wstring& message) { ShowApplicationError(message); });
}
