#include "storage/win/RegistryIni.h"

#include "storage/MvIni.h"
#include "storage/StorageError.h"
#include "storage/StorageTexts.h"
#include "util/StringUtils.h"

#include <vector>

namespace {

// "\Software\X" and "Software\X" name the same key; the API wants the latter.
std::wstring RelativePath(const std::wstring& path) {
    const auto first = path.find_first_not_of(L'\\');
    return first == std::wstring::npos ? std::wstring() : path.substr(first);
}

std::wstring StringFromBytes(const std::vector<BYTE>& data) {
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    // Stored strings usually end with a terminator, but need not.
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return text;
}

// The value as text, if it has a type that reads as text.
bool QueryText(HKEY key, const std::wstring& ident, std::wstring& text) {
    std::vector<BYTE> data;
    DWORD type = 0;
    for (;;) {
        DWORD size = static_cast<DWORD>(data.size());
        const LONG rc = ::RegQueryValueExW(key, ident.c_str(), nullptr, &type,
                                           data.empty() ? nullptr : data.data(), &size);
        if (rc == ERROR_SUCCESS && (!data.empty() || size == 0)) {
            data.resize(size);
            break;
        }
        if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) return false;
        data.resize(size + sizeof(wchar_t)); // the value may grow in between; ask again
    }
    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
        text = StringFromBytes(data);
        return true;
    case REG_DWORD:
        if (data.size() < sizeof(DWORD)) return false;
        text = std::to_wstring(*reinterpret_cast<const std::int32_t*>(data.data()));
        return true;
    case REG_QWORD:
        if (data.size() < sizeof(std::uint64_t)) return false;
        text = std::to_wstring(*reinterpret_cast<const std::int64_t*>(data.data()));
        return true;
    default:
        return false;
    }
}

std::vector<std::wstring> ValueNames(HKEY key) {
    std::vector<std::wstring> names;
    DWORD count = 0;
    DWORD maxName = 0;
    if (::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                           &maxName, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return names;
    std::vector<wchar_t> buffer(maxName + 1);
    for (DWORD i = 0; i < count; ++i) {
        DWORD length = static_cast<DWORD>(buffer.size());
        if (::RegEnumValueW(key, i, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr) ==
            ERROR_SUCCESS)
            names.emplace_back(buffer.data(), length);
    }
    return names;
}

std::unique_ptr<TCustomIniFile> OpenCurrentUserStore(const std::wstring& keyPath) {
    return std::make_unique<TRegistryIniFile>(HKEY_CURRENT_USER, keyPath, RegistryIniFullAccess,
                                              true);
}

} // namespace

TRegistryIniFile::TRegistryIniFile(HKEY root, std::wstring keyPath, REGSAM access, bool create)
    : TCustomIniFile(std::move(keyPath)) {
    const std::wstring path = RelativePath(FileName());
    HKEY key = nullptr;
    const LONG rc = create
                        ? ::RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                            access, nullptr, &key, nullptr)
                        : ::RegOpenKeyExW(root, path.c_str(), 0, access, &key);
    if (rc == ERROR_SUCCESS) m_key.Reset(key);
}

UniqueHKey TRegistryIniFile::OpenSection(const std::wstring& section, REGSAM access) const {
    HKEY key = nullptr;
    if (!m_key) return UniqueHKey();
    // An empty sub-key path gives a second handle to the store's own key.
    if (::RegOpenKeyExW(m_key.Get(), RelativePath(section).c_str(), 0, access, &key) !=
        ERROR_SUCCESS)
        return UniqueHKey();
    return UniqueHKey(key);
}

std::wstring TRegistryIniFile::ReadString(const std::wstring& section, const std::wstring& ident,
                                          const std::wstring& defaultValue) {
    const UniqueHKey key = OpenSection(section, KEY_QUERY_VALUE);
    std::wstring text;
    if (!key || !QueryText(key.Get(), ident, text)) return defaultValue;
    return text;
}

void TRegistryIniFile::WriteString(const std::wstring& section, const std::wstring& ident,
                                   const std::wstring& value) {
    if (!m_key) throw EStorageError(FormatText(StorageText::KeyCannotOpen, {Quoted(FileName())}));
    HKEY raw = nullptr;
    if (::RegCreateKeyExW(m_key.Get(), RelativePath(section).c_str(), 0, nullptr,
                          REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &raw,
                          nullptr) != ERROR_SUCCESS)
        throw EStorageError(FormatText(StorageText::KeyCannotCreate, {Quoted(section)}));
    const UniqueHKey key(raw);
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    if (::RegSetValueExW(key.Get(), ident.c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(value.c_str()), bytes) != ERROR_SUCCESS)
        throw EStorageError(FormatText(StorageText::ValueCannotSet, {Quoted(ident)}));
}

void TRegistryIniFile::ReadSection(const std::wstring& section, TStrings& names) {
    names.clear();
    const UniqueHKey key = OpenSection(section, KEY_QUERY_VALUE);
    if (key) names = ValueNames(key.Get());
}

void TRegistryIniFile::ReadSections(TStrings& sections) {
    sections.clear();
    if (!m_key) return;
    DWORD count = 0;
    DWORD maxName = 0;
    if (::RegQueryInfoKeyW(m_key.Get(), nullptr, nullptr, nullptr, &count, &maxName, nullptr,
                           nullptr, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return;
    std::vector<wchar_t> buffer(maxName + 1);
    for (DWORD i = 0; i < count; ++i) {
        DWORD length = static_cast<DWORD>(buffer.size());
        if (::RegEnumKeyExW(m_key.Get(), i, buffer.data(), &length, nullptr, nullptr, nullptr,
                            nullptr) == ERROR_SUCCESS)
            sections.emplace_back(buffer.data(), length);
    }
}

void TRegistryIniFile::ReadSectionValues(const std::wstring& section, TStrings& lines) {
    lines.clear();
    const UniqueHKey key = OpenSection(section, KEY_QUERY_VALUE);
    if (!key) return;
    for (const auto& name : ValueNames(key.Get())) {
        std::wstring text;
        if (QueryText(key.Get(), name, text)) lines.push_back(name + L"=" + text);
    }
}

void TRegistryIniFile::EraseSection(const std::wstring& section) {
    if (!m_key) return;
    const std::wstring path = RelativePath(section);
    // With a sub-key path the sub-key itself goes too; without, only its content.
    const LONG rc = ::RegDeleteTreeW(m_key.Get(), path.empty() ? nullptr : path.c_str());
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND)
        throw EStorageError(FormatText(StorageText::KeyCannotDelete, {Quoted(section)}));
}

void TRegistryIniFile::DeleteKey(const std::wstring& section, const std::wstring& ident) {
    const UniqueHKey key = OpenSection(section, KEY_SET_VALUE);
    if (!key) return;
    const LONG rc = ::RegDeleteValueW(key.Get(), ident.c_str());
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND)
        throw EStorageError(FormatText(StorageText::ValueCannotDelete, {Quoted(ident)}));
}

bool TRegistryIniFile::ValueExists(const std::wstring& section, const std::wstring& ident) {
    const UniqueHKey key = OpenSection(section, KEY_QUERY_VALUE);
    return key && ::RegQueryValueExW(key.Get(), ident.c_str(), nullptr, nullptr, nullptr,
                                     nullptr) == ERROR_SUCCESS;
}

bool TRegistryIniFile::SectionExists(const std::wstring& section) {
    const UniqueHKey key = OpenSection(section, KEY_QUERY_VALUE);
    DWORD count = 0;
    return key &&
           ::RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                              &count, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           count > 0;
}

void InstallRegistryIni() {
    SetRegistryIniFactory(OpenCurrentUserStore);
}
