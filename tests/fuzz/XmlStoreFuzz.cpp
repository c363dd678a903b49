// libFuzzer target: the XML settings store. Any file loads or is refused (and
// then never overwritten); a loaded file saves to bytes that load back alike;
// and whatever keys and values are written, saved and loaded again, each reads
// back as written.
#include "storage/XmlIniFile.h"

#include "FuzzSupport.h"

#include <algorithm>

namespace {

const std::wstring File = L"/mem/settings.xml";

void AnyFile(FuzzedDataProvider& in, MemoryFileSystem& fs) {
    const TBytes bytes = in.ConsumeRemainingBytes<std::uint8_t>();
    fs.Files[File] = bytes;
    TXmlIniFile xml(File);
    TStrings sections;
    xml.ReadSections(sections);
    for (const auto& section : sections) {
        TStrings names;
        xml.ReadSectionValues(section, names);
        xml.ReadSection(section, names);
        for (const auto& name : names)
            (void)xml.ReadString(section, name, L"");
    }
    if (!xml.LoadError().empty()) {
        bool refused = false;
        try {
            xml.UpdateFile();
        } catch (const EStorageError&) {
            refused = true;
        }
        Check(refused && fs.Files[File] == bytes);
        return;
    }
    const TBytes saved = xml.GetBytes();
    fs.Files[File] = saved;
    TXmlIniFile again(File);
    Check(again.LoadError().empty());
    Check(again.GetBytes() == saved);
}

struct Key {
    std::wstring section, name;
    bool operator<(const Key& other) const {
        return std::tie(section, name) < std::tie(other.section, other.name);
    }
};

// NUL cannot stand in an XML document.
std::wstring Storable(std::wstring text) {
    text = WithoutSurrogates(std::move(text));
    std::replace(text.begin(), text.end(), L'\0', L'\xFFFD');
    return text;
}

void WriteSaveLoad(FuzzedDataProvider& in, MemoryFileSystem& fs) {
    static const wchar_t* const sections[] = {L"",        L"S",   L"S\\T", L"Farben",
                                              L"a b\\<c", L"key", L"7"};
    const std::wstring alphabet = L"aN7 <>&\"'=:-._\\\r\n\t\x01\xE4\x20AC]]>section key xml";
    std::map<Key, std::wstring> model;
    TXmlIniFile xml(File);
    const std::size_t steps = in.ConsumeIntegralInRange<std::size_t>(1, 40);
    for (std::size_t i = 0; i < steps && in.remaining_bytes() > 0; ++i) {
        const std::wstring section = sections[in.ConsumeIntegralInRange<std::size_t>(0, 6)];
        const std::wstring name = Storable(TakeWord(in, 10, alphabet));
        const int action = in.ConsumeIntegralInRange<int>(0, 9);
        if (action < 8) {
            const std::wstring value = Storable(TakeWord(in, 30, alphabet));
            xml.WriteString(section, name, value);
            model[{section, name}] = value;
        } else if (action == 8) {
            xml.DeleteKey(section, name);
            model.erase({section, name});
        } else if (!section.empty()) {
            // The section and every section below it.
            xml.EraseSection(section);
            for (auto it = model.begin(); it != model.end();)
                it =
                    it->first.section == section || it->first.section.rfind(section + L"\\", 0) == 0
                        ? model.erase(it)
                        : std::next(it);
        }
    }
    xml.UpdateFile();
    TXmlIniFile loaded(File);
    Check(loaded.LoadError().empty());
    for (const auto& [key, value] : model) {
        Check(loaded.ValueExists(key.section, key.name));
        Check(loaded.ReadString(key.section, key.name, L"\x01missing") == value);
        TStrings names;
        loaded.ReadSection(key.section, names);
        Check(std::find(names.begin(), names.end(), key.name) != names.end() ||
              std::find(names.begin(), names.end(), L"N" + key.name) != names.end());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!TXmlIniFile::Available()) return 0;
    FuzzedDataProvider in(data, size);
    MemoryFileSystem fs;
    InstalledFileSystem installed(fs);
    if (in.ConsumeBool())
        AnyFile(in, fs);
    else
        WriteSaveLoad(in, fs);
    return 0;
}
