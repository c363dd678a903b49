#include "storage/TextCodec.h"

#include <type_traits>

namespace {

constexpr char32_t Replacement = 0xFFFD;

bool IsHighSurrogate(char32_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool IsLowSurrogate(char32_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}
bool IsSurrogate(char32_t u) {
    return u >= 0xD800 && u <= 0xDFFF;
}

// Walks the code points of a wide text; broken surrogates and values beyond
// Unicode come out as U+FFFD.
template <typename Visit> void ForEachCodePoint(const std::wstring& text, Visit visit) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto u = static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(text[i]));
        if constexpr (sizeof(wchar_t) == 2) {
            if (IsHighSurrogate(u) && i + 1 < text.size()) {
                const auto low = static_cast<char32_t>(static_cast<std::uint16_t>(text[i + 1]));
                if (IsLowSurrogate(low)) {
                    visit(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                    ++i;
                    continue;
                }
            }
        }
        visit(IsSurrogate(u) || u > 0x10FFFF ? Replacement : u);
    }
}

// Code points 0x80-0x9F of Windows-1252; the five undefined bytes map to the C1
// controls of the same value, as the Windows conversion does.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

TAnsiCodec& CurrentAnsiCodec() {
    static TAnsiCodec codec;
    return codec;
}

} // namespace

void AppendCodePoint(std::wstring& out, char32_t cp) {
    if (cp > 0x10FFFF || IsSurrogate(cp)) cp = Replacement;
    if constexpr (sizeof(wchar_t) == 2) {
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<wchar_t>(0xD800 + (cp >> 10));
            out += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
            return;
        }
    }
    out += static_cast<wchar_t>(cp);
}

std::wstring DecodeUtf16LE(const std::uint8_t* data, std::size_t size) {
    std::wstring out;
    out.reserve(size / 2 + 1);
    const std::size_t units = size / 2;
    auto unitAt = [data](std::size_t i) {
        return static_cast<char32_t>(data[2 * i] | (data[2 * i + 1] << 8));
    };
    for (std::size_t i = 0; i < units; ++i) {
        const char32_t u = unitAt(i);
        if (IsHighSurrogate(u) && i + 1 < units && IsLowSurrogate(unitAt(i + 1))) {
            AppendCodePoint(out, 0x10000 + ((u - 0xD800) << 10) + (unitAt(i + 1) - 0xDC00));
            ++i;
        } else {
            AppendCodePoint(out, IsSurrogate(u) ? Replacement : u);
        }
    }
    if (size % 2) AppendCodePoint(out, Replacement);
    return out;
}

TBytes EncodeUtf16LE(const std::wstring& text) {
    TBytes out;
    out.reserve(text.size() * 2);
    auto unit = [&out](char32_t u) {
        out.push_back(static_cast<std::uint8_t>(u & 0xFF));
        out.push_back(static_cast<std::uint8_t>(u >> 8));
    };
    ForEachCodePoint(text, [&](char32_t cp) {
        if (cp >= 0x10000) {
            cp -= 0x10000;
            unit(0xD800 + (cp >> 10));
            unit(0xDC00 + (cp & 0x3FF));
        } else {
            unit(cp);
        }
    });
    return out;
}

namespace {

// One UTF-8 sequence at data[i]: its code point and length, or false for a
// byte that starts no valid sequence (overlong, surrogate, beyond U+10FFFF, cut).
bool ReadUtf8Sequence(const std::uint8_t* data, std::size_t size, std::size_t i, char32_t& cp,
                      std::size_t& length) {
    const std::uint8_t b = data[i];
    char32_t minimum = 0;
    length = 0;
    if (b < 0x80) {
        length = 1;
        cp = b;
    } else if ((b & 0xE0) == 0xC0) {
        length = 2;
        cp = b & 0x1F;
        minimum = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        length = 3;
        cp = b & 0x0F;
        minimum = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        length = 4;
        cp = b & 0x07;
        minimum = 0x10000;
    }
    if (length == 0 || i + length > size) return false;
    for (std::size_t k = 1; k < length; ++k) {
        if ((data[i + k] & 0xC0) != 0x80) return false;
        cp = (cp << 6) | (data[i + k] & 0x3F);
    }
    return cp >= minimum && cp <= 0x10FFFF && !IsSurrogate(cp);
}

} // namespace

std::wstring DecodeUtf8(const std::uint8_t* data, std::size_t size) {
    std::wstring out;
    out.reserve(size);
    for (std::size_t i = 0; i < size;) {
        char32_t cp = 0;
        std::size_t length = 0;
        if (!ReadUtf8Sequence(data, size, i, cp, length)) {
            AppendCodePoint(out, Replacement);
            ++i; // resynchronise at the next byte
            continue;
        }
        AppendCodePoint(out, cp);
        i += length;
    }
    return out;
}

bool IsValidUtf8(const std::uint8_t* data, std::size_t size) {
    char32_t cp = 0;
    std::size_t length = 0;
    for (std::size_t i = 0; i < size; i += length)
        if (!ReadUtf8Sequence(data, size, i, cp, length)) return false;
    return true;
}

std::string EncodeUtf8(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    ForEachCodePoint(text, [&out](char32_t cp) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    });
    return out;
}

std::wstring DecodeCp1252(const std::uint8_t* data, std::size_t size) {
    std::wstring out;
    out.reserve(size);
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t b = data[i];
        out += static_cast<wchar_t>(b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : b);
    }
    return out;
}

TBytes EncodeCp1252(const std::wstring& text) {
    TBytes out;
    out.reserve(text.size());
    ForEachCodePoint(text, [&out](char32_t cp) {
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out.push_back(static_cast<std::uint8_t>(cp));
            return;
        }
        for (std::uint8_t k = 0; k < 32; ++k) {
            if (Cp1252High[k] == cp) {
                out.push_back(static_cast<std::uint8_t>(0x80 + k));
                return;
            }
        }
        out.push_back('?');
    });
    return out;
}

void SetAnsiCodec(TAnsiCodec codec) {
    if (!codec.Decode) codec.Decode = DecodeCp1252;
    if (!codec.Encode) codec.Encode = EncodeCp1252;
    CurrentAnsiCodec() = codec;
}

std::wstring DecodeAnsi(const std::uint8_t* data, std::size_t size) {
    return CurrentAnsiCodec().Decode(data, size);
}

TBytes EncodeAnsi(const std::wstring& text) {
    return CurrentAnsiCodec().Encode(text);
}
