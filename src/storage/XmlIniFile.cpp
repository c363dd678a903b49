#include "storage/XmlIniFile.h"

#include "storage/FileSystem.h"
#include "storage/StorageError.h"
#include "util/Numbers.h"

#if defined(DRAVIK_HAVE_DEPS) && __has_include(<pugixml.hpp>)
#include <pugixml.hpp>

#include <functional>

namespace {

std::string Utf8(const std::wstring& text) {
    return EncodeUtf8(text);
}
std::wstring Wide(const char* text) {
    return DecodeUtf8(reinterpret_cast<const std::uint8_t*>(text),
                      std::char_traits<char>::length(text));
}

// Element names cannot start with a digit, so integer keys get an "N" in front.
std::string KeyElementName(const std::wstring& ident) {
    std::int32_t ignored = 0;
    return Utf8(TryStrToInt(ident, ignored) ? L"N" + ident : ident);
}

std::vector<std::wstring> SectionParts(std::wstring section) {
    if (!section.empty() && section.back() == L'\\') section.pop_back();
    std::vector<std::wstring> parts;
    if (section.empty()) return parts;
    std::size_t start = 0;
    for (;;) {
        const auto pos = section.find(L'\\', start);
        parts.push_back(section.substr(start, pos - start));
        if (pos == std::wstring::npos) break;
        start = pos + 1;
    }
    return parts;
}

struct StringWriter : pugi::xml_writer {
    TBytes Bytes;
    void write(const void* data, size_t size) override {
        const auto* p = static_cast<const std::uint8_t*>(data);
        Bytes.insert(Bytes.end(), p, p + size);
    }
};

} // namespace

struct TXmlIniFile::Impl {
    pugi::xml_document Doc;
    bool Modified = false;

    pugi::xml_node Root() { return Doc.document_element(); }

    pugi::xml_node FindSection(const std::wstring& section) {
        pugi::xml_node node = Root();
        for (const auto& part : SectionParts(section)) {
            node = node.find_child_by_attribute("section", "name", Utf8(part).c_str());
            if (!node) break;
        }
        return node;
    }

    pugi::xml_node ForceSection(const std::wstring& section) {
        pugi::xml_node node = Root();
        for (const auto& part : SectionParts(section)) {
            const std::string name = Utf8(part);
            pugi::xml_node child = node.find_child_by_attribute("section", "name", name.c_str());
            if (!child) {
                child = node.append_child("section");
                child.append_attribute("name").set_value(name.c_str());
            }
            node = child;
        }
        return node;
    }

    pugi::xml_node FindKey(const std::wstring& section, const std::wstring& ident) {
        const pugi::xml_node s = FindSection(section);
        return s ? s.child(KeyElementName(ident).c_str()) : pugi::xml_node();
    }

    void List(const std::wstring& section, TStrings& out, bool lines) {
        out.clear();
        const pugi::xml_node s = FindSection(section);
        if (!s) return;
        for (pugi::xml_node child : s.children()) {
            if (child.type() != pugi::node_element) continue;
            if (std::string_view(child.name()) == "section") {
                out.push_back(Wide(child.attribute("name").value()));
            } else {
                std::wstring entry = Wide(child.name());
                if (lines) entry += L"=" + Wide(child.child_value());
                out.push_back(std::move(entry));
            }
        }
    }

    void Load(const std::wstring& fileName) {
        bool loaded = false;
        if (!fileName.empty() && FileSystem().FileExists(fileName)) {
            try {
                const TBytes bytes = FileSystem().ReadWholeFile(fileName);
                loaded = Doc.load_buffer(bytes.data(), bytes.size(),
                                         pugi::parse_default | pugi::parse_declaration,
                                         pugi::encoding_auto);
            } catch (const EStorageError&) {
                loaded = false;
            }
        }
        if (!loaded || !Root()) {
            Doc.reset();
            Doc.append_child("ini");
        }
        if (Doc.first_child().type() != pugi::node_declaration) {
            pugi::xml_node decl = Doc.prepend_child(pugi::node_declaration);
            decl.append_attribute("version").set_value("1.0");
            decl.append_attribute("encoding").set_value("UTF-8");
            decl.append_attribute("standalone").set_value("yes");
        }
        Modified = false;
    }

    TBytes Save() const {
        StringWriter writer;
        Doc.save(writer, "  ", pugi::format_default, pugi::encoding_utf8);
        return std::move(writer.Bytes);
    }
};

TXmlIniFile::TXmlIniFile(std::wstring fileName)
    : TCustomIniFile(std::move(fileName)), impl_(std::make_unique<Impl>()) {
    impl_->Load(FileName());
}

TXmlIniFile::~TXmlIniFile() = default;

bool TXmlIniFile::Available() {
    return true;
}

std::wstring TXmlIniFile::ReadString(const std::wstring& section, const std::wstring& ident,
                                     const std::wstring& defaultValue) {
    const pugi::xml_node key = impl_->FindKey(section, ident);
    return key ? Wide(key.child_value()) : defaultValue;
}

void TXmlIniFile::WriteString(const std::wstring& section, const std::wstring& ident,
                              const std::wstring& value) {
    pugi::xml_node s = impl_->ForceSection(section);
    const std::string name = KeyElementName(ident);
    pugi::xml_node key = s.child(name.c_str());
    if (!key) key = s.append_child(name.c_str());
    key.text().set(Utf8(value).c_str());
    impl_->Modified = true;
}

void TXmlIniFile::ReadSection(const std::wstring& section, TStrings& names) {
    impl_->List(section, names, false);
}

void TXmlIniFile::ReadSectionValues(const std::wstring& section, TStrings& lines) {
    impl_->List(section, lines, true);
}

void TXmlIniFile::ReadSections(TStrings& sections) {
    sections.clear();
    std::function<void(pugi::xml_node, const std::wstring&)> walk = [&](pugi::xml_node node,
                                                                        const std::wstring& path) {
        bool hasSections = false;
        for (pugi::xml_node child : node.children("section")) {
            hasSections = true;
            const std::wstring name = Wide(child.attribute("name").value());
            walk(child, path.empty() ? name : path + L"\\" + name);
        }
        if (!hasSections && node != impl_->Root()) sections.push_back(path);
    };
    walk(impl_->Root(), L"");
}

void TXmlIniFile::EraseSection(const std::wstring& section) {
    pugi::xml_node s = impl_->FindSection(section);
    if (!s || s == impl_->Root()) return;
    s.parent().remove_child(s);
    impl_->Modified = true;
}

void TXmlIniFile::DeleteKey(const std::wstring& section, const std::wstring& ident) {
    pugi::xml_node key = impl_->FindKey(section, ident);
    if (!key) return;
    key.parent().remove_child(key);
    impl_->Modified = true;
}

void TXmlIniFile::UpdateFile() {
    FileSystem().WriteFileAtomically(FileName(), impl_->Save());
    impl_->Modified = false;
}

bool TXmlIniFile::ValueExists(const std::wstring& section, const std::wstring& ident) {
    return static_cast<bool>(impl_->FindKey(section, ident));
}

bool TXmlIniFile::SectionExists(const std::wstring& section) {
    return static_cast<bool>(impl_->FindSection(section));
}

bool TXmlIniFile::Modified() const {
    return impl_->Modified;
}

TBytes TXmlIniFile::GetBytes() const {
    return impl_->Save();
}

#else // a build without pugixml: the back-end exists but cannot do anything

namespace {
[[noreturn]] void Unavailable() {
    throw EStorageError(L"XML-Einstellungsdateien werden in diesem Programm nicht unterstützt.");
}
} // namespace

struct TXmlIniFile::Impl {};

TXmlIniFile::TXmlIniFile(std::wstring fileName) : TCustomIniFile(std::move(fileName)) {}
TXmlIniFile::~TXmlIniFile() = default;
bool TXmlIniFile::Available() {
    return false;
}
std::wstring TXmlIniFile::ReadString(const std::wstring&, const std::wstring&,
                                     const std::wstring& defaultValue) {
    return defaultValue;
}
void TXmlIniFile::WriteString(const std::wstring&, const std::wstring&, const std::wstring&) {
    Unavailable();
}
void TXmlIniFile::ReadSection(const std::wstring&, TStrings& names) {
    names.clear();
}
void TXmlIniFile::ReadSections(TStrings& sections) {
    sections.clear();
}
void TXmlIniFile::ReadSectionValues(const std::wstring&, TStrings& lines) {
    lines.clear();
}
void TXmlIniFile::EraseSection(const std::wstring&) {}
void TXmlIniFile::DeleteKey(const std::wstring&, const std::wstring&) {}
void TXmlIniFile::UpdateFile() {
    Unavailable();
}
bool TXmlIniFile::ValueExists(const std::wstring&, const std::wstring&) {
    return false;
}
bool TXmlIniFile::SectionExists(const std::wstring&) {
    return false;
}
bool TXmlIniFile::Modified() const {
    return false;
}
TBytes TXmlIniFile::GetBytes() const {
    Unavailable();
}

#endif
