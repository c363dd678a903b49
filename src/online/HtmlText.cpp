#include "online/HtmlText.h"

#include "storage/TextCodec.h"
#include "util/StringUtils.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace {

struct NamedEntity {
    const wchar_t* Name;
    char32_t Value;
};
constexpr NamedEntity NamedEntities[] = {
    {L"amp", L'&'},     {L"lt", L'<'},       {L"gt", L'>'},      {L"quot", L'"'},
    {L"apos", L'\''},   {L"nbsp", 0xA0},     {L"auml", 0xE4},    {L"ouml", 0xF6},
    {L"uuml", 0xFC},    {L"Auml", 0xC4},     {L"Ouml", 0xD6},    {L"Uuml", 0xDC},
    {L"szlig", 0xDF},   {L"euro", 0x20AC},   {L"copy", 0xA9},    {L"reg", 0xAE},
    {L"trade", 0x2122}, {L"hellip", 0x2026}, {L"ndash", 0x2013}, {L"mdash", 0x2014},
    {L"laquo", 0xAB},   {L"raquo", 0xBB},    {L"bdquo", 0x201E}, {L"ldquo", 0x201C},
    {L"rdquo", 0x201D}, {L"bull", 0x2022},   {L"middot", 0xB7},  {L"deg", 0xB0},
    {L"eacute", 0xE9},  {L"egrave", 0xE8},   {L"agrave", 0xE0},  {L"ccedil", 0xE7},
};

struct NamedColor {
    const wchar_t* Name; // without the "cl" of the settings' names
    TColor Value;
};
constexpr NamedColor NamedColors[] = {
    {L"Black", 0x000000},      {L"Maroon", 0x000080},  {L"Green", 0x008000},
    {L"Olive", 0x008080},      {L"Navy", 0x800000},    {L"Purple", 0x800080},
    {L"Teal", 0x808000},       {L"Gray", 0x808080},    {L"Silver", 0xC0C0C0},
    {L"Red", 0x0000FF},        {L"Lime", 0x00FF00},    {L"Yellow", 0x00FFFF},
    {L"Blue", 0xFF0000},       {L"Fuchsia", 0xFF00FF}, {L"Aqua", 0xFFFF00},
    {L"White", 0xFFFFFF},      {L"LtGray", 0xC0C0C0},  {L"DkGray", 0x808080},
    {L"MoneyGreen", 0xC0DCC0}, {L"SkyBlue", 0xF0CAA6}, {L"Cream", 0xF0FBFF},
    {L"MedGray", 0xA4A0A0},
};

constexpr wchar_t Bullet[] = L"\x2022 ";
constexpr std::size_t kMaxEntityName = 10;

bool IsAsciiLetter(wchar_t ch) {
    return (ch >= L'a' && ch <= L'z') || (ch >= L'A' && ch <= L'Z');
}
bool IsDigit(wchar_t ch) {
    return ch >= L'0' && ch <= L'9';
}
bool IsControl(wchar_t ch) {
    const auto code = static_cast<std::uint32_t>(ch);
    return code < 0x20 || code == 0x7F;
}
bool IsBlank(wchar_t ch) {
    return ch == L' ' || ch == L'\t' || ch == L'\f' || ch == L'\v';
}
int HexDigit(wchar_t ch) {
    if (IsDigit(ch)) return ch - L'0';
    if (ch >= L'a' && ch <= L'f') return ch - L'a' + 10;
    if (ch >= L'A' && ch <= L'F') return ch - L'A' + 10;
    return -1;
}

// An entity at text[i] ("&..."): its characters and i moved behind it, or
// false when it is none (the "&" is then a plain character).
bool ReadEntity(const std::wstring& text, std::size_t& i, std::wstring& out) {
    std::size_t j = i + 1;
    if (j < text.size() && text[j] == L'#') {
        ++j;
        const bool hex = j < text.size() && (text[j] == L'x' || text[j] == L'X');
        if (hex) ++j;
        const std::size_t digitsStart = j;
        std::uint32_t value = 0;
        for (; j < text.size(); ++j) {
            const int digit = hex ? HexDigit(text[j]) : (IsDigit(text[j]) ? text[j] - L'0' : -1);
            if (digit < 0) break;
            // Past Unicode the value stays invalid however many digits follow.
            value = std::min<std::uint32_t>(value * (hex ? 16 : 10) + digit, 0x110000);
        }
        if (j == digitsStart || j >= text.size() || text[j] != L';') return false;
        AppendCodePoint(out, value == 0 ? 0xFFFD : value);
        i = j + 1;
        return true;
    }
    while (j < text.size() && j - i <= kMaxEntityName &&
           (IsAsciiLetter(text[j]) || IsDigit(text[j])))
        ++j;
    if (j >= text.size() || text[j] != L';') return false;
    const std::wstring name = text.substr(i + 1, j - i - 1);
    for (const auto& entity : NamedEntities) {
        if (name == entity.Name) {
            AppendCodePoint(out, entity.Value);
            i = j + 1;
            return true;
        }
    }
    return false;
}

std::wstring DecodeEntities(const std::wstring& text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == L'&' && ReadEntity(text, i, out)) continue;
        out += text[i++];
    }
    return out;
}

struct Tag {
    std::wstring Name; // lower case
    bool Closing = false;
    std::vector<std::pair<std::wstring, std::wstring>> Attributes; // lower-case names

    std::optional<std::wstring> Attribute(const std::wstring& name) const {
        for (const auto& [key, value] : Attributes)
            if (key == name) return value;
        return std::nullopt;
    }
};

Tag ParseTag(const std::wstring& inner) {
    Tag tag;
    std::size_t i = 0;
    if (i < inner.size() && inner[i] == L'/') {
        tag.Closing = true;
        ++i;
    }
    while (i < inner.size() && (IsAsciiLetter(inner[i]) || IsDigit(inner[i])))
        tag.Name += LowerCaseChar(inner[i++]);
    while (i < inner.size()) {
        while (i < inner.size() && (inner[i] <= L' ' || inner[i] == L'/'))
            ++i;
        std::wstring name;
        while (i < inner.size() && inner[i] > L' ' && inner[i] != L'=' && inner[i] != L'/')
            name += LowerCaseChar(inner[i++]);
        while (i < inner.size() && inner[i] <= L' ')
            ++i;
        std::wstring value;
        if (i < inner.size() && inner[i] == L'=') {
            ++i;
            while (i < inner.size() && inner[i] <= L' ')
                ++i;
            if (i < inner.size() && (inner[i] == L'"' || inner[i] == L'\'')) {
                const wchar_t quote = inner[i++];
                const std::size_t close = std::min(inner.find(quote, i), inner.size());
                value = inner.substr(i, close - i);
                i = close + 1;
            } else {
                while (i < inner.size() && inner[i] > L' ')
                    value += inner[i++];
            }
        }
        if (!name.empty()) tag.Attributes.emplace_back(name, DecodeEntities(value));
    }
    return tag;
}

std::optional<int> FontSize(const std::wstring& text) {
    int size = 0;
    bool any = false;
    for (const wchar_t ch : text) {
        if (!IsDigit(ch)) return std::nullopt;
        size = std::min(size * 10 + (ch - L'0'), HtmlMaxFontSize * 10);
        any = true;
    }
    if (!any) return std::nullopt;
    return std::clamp(size, HtmlMinFontSize, HtmlMaxFontSize);
}

class Builder {
  public:
    void Character(wchar_t ch) {
        if (ch == L'\n') {
            LineBreak();
        } else if (IsBlank(ch) || IsControl(ch)) {
            // Control characters would cut or garble the label's window text.
            if (!AtLineStart() && out_.PlainText.back() != L' ') Append(L" ");
        } else {
            Append(std::wstring(1, ch));
        }
    }

    void LineBreak() {
        DropTrailingBlank();
        Append(L"\r\n");
    }

    // Blocks start on a line of their own; the break waits for their text, so
    // that a list at the end leaves no empty line behind.
    void EnsureLineStart() {
        if (!AtLineStart()) breakPending_ = true;
    }

    void Open(const Tag& tag) {
        const std::wstring& name = tag.Name;
        if (name == L"br") {
            LineBreak();
        } else if (name == L"p" || name == L"ul") {
            EnsureLineStart();
        } else if (name == L"li") {
            EnsureLineStart();
            Append(Bullet);
        } else if (name == L"b" || name == L"strong") {
            Frame frame = Top(name);
            frame.Style.Bold = true;
            frames_.push_back(frame);
        } else if (name == L"font") {
            Frame frame = Top(name);
            if (const auto size = tag.Attribute(L"size"); size && FontSize(*size))
                frame.Style.Size = *FontSize(*size);
            if (const auto color = tag.Attribute(L"color"); color && HtmlColor(*color) != clNone)
                frame.Style.Color = HtmlColor(*color);
            if (const auto bg = tag.Attribute(L"bgcolor"); bg && HtmlColor(*bg) != clNone)
                frame.Style.BgColor = HtmlColor(*bg);
            frames_.push_back(frame);
        } else if (name == L"a") {
            Frame frame = Top(name);
            const auto href = tag.Attribute(L"href");
            frame.Link = -1;
            if (href && IsClickableUrl(*href)) {
                frame.Link = static_cast<int>(out_.Links.size());
                out_.Links.push_back(*href);
            }
            frames_.push_back(frame);
        }
    }

    void Close(const Tag& tag) {
        if (tag.Name == L"p" || tag.Name == L"ul") {
            EnsureLineStart();
            return;
        }
        // Closes the nearest open tag of the name and whatever was left open in it.
        for (std::size_t i = frames_.size(); i-- > 0;) {
            if (frames_[i].Tag == tag.Name) {
                frames_.resize(i);
                return;
            }
        }
    }

    THtmlText Take() {
        DropTrailingBlank();
        return std::move(out_);
    }

  private:
    struct Frame {
        std::wstring Tag;
        THtmlStyle Style;
        int Link = -1;
    };

    Frame Top(const std::wstring& tag) const {
        Frame frame = frames_.empty() ? Frame{} : frames_.back();
        frame.Tag = tag;
        return frame;
    }

    bool AtLineStart() const {
        return breakPending_ || out_.PlainText.empty() || out_.PlainText.back() == L'\n';
    }

    void DropTrailingBlank() {
        if (out_.PlainText.empty() || out_.PlainText.back() != L' ') return;
        out_.PlainText.pop_back();
        auto& last = out_.Runs.back().Text;
        last.pop_back();
        if (last.empty()) out_.Runs.pop_back();
    }

    void Append(const std::wstring& text) {
        if (breakPending_) {
            breakPending_ = false;
            DropTrailingBlank();
            Append(L"\r\n");
        }
        const THtmlStyle style = frames_.empty() ? THtmlStyle{} : frames_.back().Style;
        const int link = frames_.empty() ? -1 : frames_.back().Link;
        if (out_.Runs.empty() || out_.Runs.back().Style != style || out_.Runs.back().Link != link)
            out_.Runs.push_back({L"", style, link});
        out_.Runs.back().Text += text;
        out_.PlainText += text;
    }

    THtmlText out_;
    std::vector<Frame> frames_;
    bool breakPending_ = false;
};

} // namespace

THtmlText ParseHtmlText(const std::wstring& html) {
    Builder builder;
    // A tag ends at the first ">", quotes or not: one search per tag keeps long
    // texts full of "<" linear, and no address in a message holds a ">".
    bool tagsPossible = true;
    for (std::size_t i = 0; i < html.size();) {
        const wchar_t ch = html[i];
        if (ch == L'<' && html.compare(i, 4, L"<!--") == 0) {
            const std::size_t end = html.find(L"-->", i + 4);
            i = end == std::wstring::npos ? html.size() : end + 3;
            continue;
        }
        if (tagsPossible && ch == L'<' && i + 1 < html.size() &&
            (IsAsciiLetter(html[i + 1]) || html[i + 1] == L'/')) {
            const std::size_t end = html.find(L'>', i);
            tagsPossible = end != std::wstring::npos;
            if (tagsPossible) {
                const Tag tag = ParseTag(html.substr(i + 1, end - i - 1));
                if (tag.Closing)
                    builder.Close(tag);
                else
                    builder.Open(tag);
                i = end + 1;
                continue;
            }
        }
        if (ch == L'&') {
            std::wstring decoded;
            if (ReadEntity(html, i, decoded)) {
                for (const wchar_t d : decoded)
                    builder.Character(d);
                continue;
            }
        }
        if (ch == L'\r' && i + 1 < html.size() && html[i + 1] == L'\n') ++i;
        builder.Character(ch == L'\r' ? L'\n' : ch);
        ++i;
    }
    return builder.Take();
}

std::wstring HtmlEscape(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t ch : text) {
        switch (ch) {
        case L'&':
            out += L"&amp;";
            break;
        case L'<':
            out += L"&lt;";
            break;
        case L'>':
            out += L"&gt;";
            break;
        case L'"':
            out += L"&quot;";
            break;
        default:
            out += ch;
        }
    }
    return out;
}

bool IsClickableUrl(const std::wstring& href) {
    for (const wchar_t* scheme : {L"http://", L"https://", L"mailto:"}) {
        const std::wstring prefix = scheme;
        if (href.size() > prefix.size() &&
            SameTextIgnoreCase(href.substr(0, prefix.size()), prefix))
            return std::none_of(href.begin(), href.end(), IsControl);
    }
    return false;
}

TColor HtmlColor(const std::wstring& text) {
    if (text.size() == 7 && text[0] == L'#') {
        int value = 0;
        for (std::size_t i = 1; i < 7; ++i) {
            const int digit = HexDigit(text[i]);
            if (digit < 0) return clNone;
            value = value * 16 + digit;
        }
        return RGBColor(value >> 16, (value >> 8) & 0xFF, value & 0xFF);
    }
    std::wstring name = text;
    if (name.size() > 2 && SameTextIgnoreCase(name.substr(0, 2), L"cl")) name.erase(0, 2);
    for (const auto& color : NamedColors)
        if (SameTextIgnoreCase(name, color.Name)) return color.Value;
    return clNone;
}
