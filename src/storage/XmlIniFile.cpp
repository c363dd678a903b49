#include "storage/XmlIniFile.h"

#include "storage/FileSystem.h"
#include "storage/StorageError.h"
#include "storage/StorageTexts.h"

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

const char* const SectionElement = "section";
// A key whose name cannot be an element name: <key name="a b">value</key>.
const char* const KeyElement = "key";

// An XML document cannot hold NUL, and pugixml ends texts there.
std::string XmlText(const std::wstring& text) {
    const std::string utf8 = Utf8(text);
    if (utf8.find('\0') == std::string::npos) return utf8;
    std::string cleaned;
    for (char ch : utf8)
        cleaned += ch == '\0' ? std::string("\xEF\xBF\xBD") : std::string(1, ch);
    return cleaned;
}

bool IsDigitName(const std::wstring& ident) {
    const std::size_t first = !ident.empty() && ident[0] == L'-' ? 1 : 0;
    if (first == ident.size()) return false;
    for (std::size_t i = first; i < ident.size(); ++i)
        if (ident[i] < L'0' || ident[i] > L'9') return false;
    return true;
}

// "N7" is where the key "7" lives (element names cannot start with a digit), so
// a key named "N7" cannot have that element.
bool LooksLikeNumberElement(const std::wstring& ident) {
    return ident.size() > 1 && ident[0] == L'N' && IsDigitName(ident.substr(1));
}

// The element a key is looked up under, as files of every version name it;
// empty when no element can stand for it.
std::string ElementNameOf(const std::wstring& ident) {
    if (IsDigitName(ident)) return std::string(1, 'N').append(Utf8(ident));
    if (ident.empty() || ident == L"section" || LooksLikeNumberElement(ident)) return {};
    return Utf8(ident);
}

// Whether a new key gets an element of its own name: plain ASCII names that any
// XML reader takes. Every other name goes into the attribute of a "key" element.
bool HasPlainElementName(const std::wstring& ident) {
    if (IsDigitName(ident)) return true;
    if (ElementNameOf(ident).empty() || ident == L"key") return false;
    const auto letter = [](wchar_t ch) {
        return (ch >= L'a' && ch <= L'z') || (ch >= L'A' && ch <= L'Z') || ch == L'_';
    };
    if (!letter(ident[0])) return false;
    for (wchar_t ch : ident)
        if (!letter(ch) && !(ch >= L'0' && ch <= L'9') && ch != L'-' && ch != L'.') return false;
    return !(ident.size() >= 3 && (ident[0] | 0x20) == L'x' && (ident[1] | 0x20) == L'm' &&
             (ident[2] | 0x20) == L'l');
}

// The whole document is built from our own text, but a value may be blank
// only (kept as it is) or hold a CR (kept: no end-of-line conversion).
constexpr unsigned ParseOptions =
    (pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata_single) &
    ~pugi::parse_eol;

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

    std::wstring LoadError;

    pugi::xml_node FindSection(const std::wstring& section) {
        pugi::xml_node node = Root();
        for (const auto& part : SectionParts(section)) {
            node = node.find_child_by_attribute(SectionElement, "name", XmlText(part).c_str());
            if (!node) break;
        }
        return node;
    }

    pugi::xml_node ForceSection(const std::wstring& section) {
        pugi::xml_node node = Root();
        for (const auto& part : SectionParts(section)) {
            const std::string name = XmlText(part);
            pugi::xml_node child =
                node.find_child_by_attribute(SectionElement, "name", name.c_str());
            if (!child) {
                child = node.append_child(SectionElement);
                child.append_attribute("name").set_value(name.c_str());
            }
            node = child;
        }
        return node;
    }

    static pugi::xml_node KeyIn(pugi::xml_node section, const std::wstring& ident) {
        if (!section) return {};
        const std::string name = XmlText(ident);
        for (pugi::xml_node child : section.children(KeyElement)) {
            const pugi::xml_attribute attribute = child.attribute("name");
            if (attribute && name == attribute.value()) return child;
        }
        const std::string element = ElementNameOf(ident);
        if (element.empty()) return {};
        for (pugi::xml_node child : section.children(element.c_str()))
            if (!child.attribute("name")) return child;
        return {};
    }

    pugi::xml_node FindKey(const std::wstring& section, const std::wstring& ident) {
        return KeyIn(FindSection(section), ident);
    }

    void List(const std::wstring& section, TStrings& out, bool lines) {
        out.clear();
        const pugi::xml_node s = FindSection(section);
        if (!s) return;
        for (pugi::xml_node child : s.children()) {
            if (child.type() != pugi::node_element) continue;
            const pugi::xml_attribute name = child.attribute("name");
            if (std::string_view(child.name()) == SectionElement ||
                (name && std::string_view(child.name()) == KeyElement)) {
                std::wstring entry = Wide(name.value());
                if (lines && std::string_view(child.name()) == KeyElement)
                    entry += L"=" + Wide(child.child_value());
                out.push_back(std::move(entry));
            } else {
                std::wstring entry = Wide(child.name());
                if (lines) entry += L"=" + Wide(child.child_value());
                out.push_back(std::move(entry));
            }
        }
    }

    // A file that cannot be read or parsed gives an empty document, which then
    // refuses to overwrite it (LoadError): its keys may still be repaired by hand.
    void Load(const std::wstring& fileName) {
        bool loaded = false;
        if (!fileName.empty() && FileSystem().FileExists(fileName)) {
            try {
                const TBytes bytes = FileSystem().ReadWholeFile(fileName);
                const pugi::xml_parse_result result =
                    Doc.load_buffer(bytes.data(), bytes.size(), ParseOptions, pugi::encoding_auto);
                loaded = result;
                // An empty file (or one of comments only) holds no keys to lose.
                if (!result && result.status != pugi::status_no_document_element)
                    LoadError = FormatText(StorageText::XmlDamaged,
                                           {fileName, std::to_wstring(result.offset + 1)});
            } catch (const EStorageError& e) {
                LoadError = e.Message;
            }
            if (!LoadError.empty())
                LoadError = FormatText(StorageText::NotOverwritten, {LoadError});
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
    pugi::xml_node key = Impl::KeyIn(s, ident);
    if (!key && HasPlainElementName(ident)) {
        key = s.append_child(ElementNameOf(ident).c_str());
    } else if (!key) {
        key = s.append_child(KeyElement);
        key.append_attribute("name").set_value(XmlText(ident).c_str());
    }
    key.text().set(XmlText(value).c_str());
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
        for (pugi::xml_node child : node.children(SectionElement)) {
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
    if (!impl_->LoadError.empty()) throw EStorageError(impl_->LoadError);
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

std::wstring TXmlIniFile::LoadError() const {
    return impl_->LoadError;
}

TBytes TXmlIniFile::GetBytes() const {
    return impl_->Save();
}

#else // a build without pugixml: the back-end exists but cannot do anything

namespace {
[[noreturn]] void Unavailable() {
    throw EStorageError(StorageText::NoXml());
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
std::wstring TXmlIniFile::LoadError() const {
    return {};
}
TBytes TXmlIniFile::GetBytes() const {
    Unavailable();
}

#endif
