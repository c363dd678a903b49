#include "storage/MvMemIni.h"

#include "storage/FileSystem.h"
#include "storage/StorageError.h"
#include "storage/StorageTexts.h"
#include "util/StringUtils.h"

#include <cstdint>

namespace {

bool IsBlankOrControl(wchar_t ch) {
    return static_cast<std::uint32_t>(ch) <= 0x20;
}

std::wstring Trim(const std::wstring& s) {
    std::size_t first = 0;
    std::size_t last = s.size();
    while (first < last && IsBlankOrControl(s[first]))
        ++first;
    while (last > first && IsBlankOrControl(s[last - 1]))
        --last;
    return s.substr(first, last - first);
}

std::wstring WithoutLineBreaks(std::wstring s) {
    for (auto& ch : s)
        if (ch == L'\r' || ch == L'\n') ch = L' ';
    return s;
}

// The key of a "name=value" line; a line without "=" has none.
bool NameOf(const std::wstring& line, std::wstring& name) {
    const auto eq = line.find(L'=');
    if (eq == std::wstring::npos) return false;
    name = line.substr(0, eq);
    return true;
}

const std::uint8_t Utf16Bom[2] = {0xFF, 0xFE};

} // namespace

struct TMvMemIniFile::Section {
    std::wstring Name;
    TStrings Lines;
    std::unordered_map<std::wstring, std::size_t> KeyIndex; // upper-case key -> first line

    void IndexLine(std::size_t i) {
        std::wstring name;
        if (NameOf(Lines[i], name)) KeyIndex.emplace(UpperCaseText(std::move(name)), i);
    }
    void RebuildIndex() {
        KeyIndex.clear();
        for (std::size_t i = 0; i < Lines.size(); ++i)
            IndexLine(i);
    }
    const std::size_t* FindKey(const std::wstring& ident) const {
        const auto it = KeyIndex.find(UpperCaseText(ident));
        return it == KeyIndex.end() ? nullptr : &it->second;
    }
};

TMvMemIniFile::TMvMemIniFile(std::wstring fileName, TIniTextEncoding encoding)
    : TCustomIniFile(std::move(fileName)), encoding_(encoding) {
    if (FileName().empty() || !FileSystem().FileExists(FileName())) return;
    try {
        const TBytes bytes = FileSystem().ReadWholeFile(FileName());
        LoadFromBytes(bytes.data(), bytes.size());
    } catch (const EStorageError& e) {
        loadError_ = FormatText(StorageText::NotOverwritten, {e.Message});
    }
}

TMvMemIniFile::~TMvMemIniFile() = default;

TMvMemIniFile::Section* TMvMemIniFile::FindSection(const std::wstring& name) const {
    const auto it = sectionIndex_.find(UpperCaseText(name));
    return it == sectionIndex_.end() ? nullptr : sections_[it->second].get();
}

TMvMemIniFile::Section& TMvMemIniFile::AddSection(const std::wstring& name) {
    sections_.push_back(std::make_unique<Section>());
    sections_.back()->Name = name;
    sectionIndex_.emplace(UpperCaseText(name), sections_.size() - 1);
    return *sections_.back();
}

void TMvMemIniFile::RebuildSectionIndex() {
    sectionIndex_.clear();
    for (std::size_t i = 0; i < sections_.size(); ++i)
        sectionIndex_.emplace(UpperCaseText(sections_[i]->Name), i);
}

void TMvMemIniFile::Clear() {
    sections_.clear();
    sectionIndex_.clear();
}

std::wstring TMvMemIniFile::ReadString(const std::wstring& section, const std::wstring& ident,
                                       const std::wstring& defaultValue) {
    const Section* s = FindSection(section);
    const std::size_t* line = s ? s->FindKey(ident) : nullptr;
    if (!line) return defaultValue;
    return s->Lines[*line].substr(ident.size() + 1);
}

void TMvMemIniFile::WriteString(const std::wstring& section, const std::wstring& ident,
                                const std::wstring& value) {
    const std::wstring cleanSection = WithoutLineBreaks(section);
    const std::wstring cleanIdent = WithoutLineBreaks(ident);
    Section* s = FindSection(cleanSection);
    if (!s) s = &AddSection(cleanSection);
    std::wstring line = cleanIdent + L"=" + WithoutLineBreaks(value);
    if (const std::size_t* existing = s->FindKey(cleanIdent)) {
        s->Lines[*existing] = std::move(line);
    } else {
        s->Lines.push_back(std::move(line));
        s->IndexLine(s->Lines.size() - 1);
    }
}

void TMvMemIniFile::ReadSection(const std::wstring& section, TStrings& names) {
    names.clear();
    if (const Section* s = FindSection(section)) {
        std::wstring name;
        for (const auto& line : s->Lines)
            if (NameOf(line, name) && !name.empty()) names.push_back(name);
    }
}

void TMvMemIniFile::ReadSections(TStrings& sections) {
    sections.clear();
    for (const auto& s : sections_)
        sections.push_back(s->Name);
}

void TMvMemIniFile::ReadSectionValues(const std::wstring& section, TStrings& lines) {
    lines.clear();
    if (const Section* s = FindSection(section)) lines = s->Lines;
}

void TMvMemIniFile::EraseSection(const std::wstring& section) {
    const auto it = sectionIndex_.find(UpperCaseText(section));
    if (it == sectionIndex_.end()) return;
    sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(it->second));
    RebuildSectionIndex(); // a second header of the same name now becomes the one found
}

void TMvMemIniFile::DeleteKey(const std::wstring& section, const std::wstring& ident) {
    Section* s = FindSection(section);
    const std::size_t* line = s ? s->FindKey(ident) : nullptr;
    if (!line) return;
    s->Lines.erase(s->Lines.begin() + static_cast<std::ptrdiff_t>(*line));
    s->RebuildIndex();
}

bool TMvMemIniFile::ValueExists(const std::wstring& section, const std::wstring& ident) {
    const Section* s = FindSection(section);
    return s && s->FindKey(ident);
}

bool TMvMemIniFile::SectionExists(const std::wstring& section) {
    const Section* s = FindSection(section);
    return s && !s->Lines.empty();
}

void TMvMemIniFile::UpdateFile() {
    if (!loadError_.empty()) throw EStorageError(loadError_);
    FileSystem().WriteFileAtomically(FileName(), GetBytes());
}

void TMvMemIniFile::SetStrings(const TStrings& lines) {
    // A list entry may itself hold line breaks; the file would split it there.
    std::wstring text;
    for (const auto& line : lines) {
        text += line;
        text += L'\n';
    }
    SetText(text);
}

void TMvMemIniFile::SetText(const std::wstring& text) {
    ParseLines(SplitLines(text));
}

void TMvMemIniFile::ParseLines(const TStrings& lines) {
    Clear();
    Section* current = nullptr;
    for (const auto& raw : lines) {
        std::wstring line = Trim(raw);
        if (line.empty() || line[0] == L';') continue;
        if (line.size() >= 2 && line.front() == L'[' && line.back() == L']') {
            current = &AddSection(Trim(line.substr(1, line.size() - 2)));
            continue;
        }
        if (!current) continue;
        const auto eq = line.find(L'=');
        if (eq != std::wstring::npos)
            line = Trim(line.substr(0, eq)) + L"=" + Trim(line.substr(eq + 1));
        current->Lines.push_back(std::move(line));
        current->IndexLine(current->Lines.size() - 1);
    }
}

void TMvMemIniFile::LoadFromBytes(const std::uint8_t* data, std::size_t size) {
    if (encoding_ == TIniTextEncoding::Utf16LE && size >= 2 && data[0] == Utf16Bom[0] &&
        data[1] == Utf16Bom[1]) {
        SetText(DecodeUtf16LE(data + 2, size - 2));
    } else {
        // No mark of the store's own encoding (an ANSI file of an earlier version):
        // read as ANSI; the next save writes the store's encoding again.
        SetText(DecodeAnsi(data, size));
    }
}

TStrings TMvMemIniFile::GetStrings() const {
    TStrings lines;
    for (const auto& s : sections_) {
        lines.push_back(L"[" + s->Name + L"]");
        lines.insert(lines.end(), s->Lines.begin(), s->Lines.end());
        lines.emplace_back();
    }
    return lines;
}

std::wstring TMvMemIniFile::GetText() const {
    std::wstring text;
    for (const auto& line : GetStrings()) {
        text += line;
        text += L"\r\n";
    }
    return text;
}

TBytes TMvMemIniFile::GetBytes() const {
    if (encoding_ == TIniTextEncoding::Ansi) return EncodeAnsi(GetText());
    TBytes bytes(Utf16Bom, Utf16Bom + 2);
    const TBytes body = EncodeUtf16LE(GetText());
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
}
