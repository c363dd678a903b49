#include "storage/TextCodec.h"

#include <gtest/gtest.h>

namespace {

std::wstring Decode16(const TBytes& b) {
    return DecodeUtf16LE(b.data(), b.size());
}

// U+1F600 as one wstring: a surrogate pair where wchar_t has 16 bits.
std::wstring Emoji() {
    if constexpr (sizeof(wchar_t) == 2)
        return {wchar_t(0xD83D), wchar_t(0xDE00)};
    else
        return {wchar_t(0x1F600)};
}

} // namespace

TEST(TextCodecTest, Utf16RoundTripsEveryPlane) {
    const std::wstring text = L"Größe € " + Emoji() + L" end";
    const TBytes bytes = EncodeUtf16LE(text);
    EXPECT_EQ(bytes.size(), (text.size() + (sizeof(wchar_t) == 4 ? 1 : 0)) * 2);
    EXPECT_EQ(Decode16(bytes), text);
    const TBytes pair = EncodeUtf16LE(Emoji());
    EXPECT_EQ(pair, (TBytes{0x3D, 0xD8, 0x00, 0xDE}));
}

TEST(TextCodecTest, BrokenUtf16DecodesToReplacementCharacters) {
    EXPECT_EQ(Decode16({0x3D, 0xD8, 0x41, 0x00}), L"\xFFFD"
                                                  L"A"); // high surrogate without partner
    EXPECT_EQ(Decode16({0x00, 0xDE}), L"\xFFFD");        // low surrogate alone
    EXPECT_EQ(Decode16({0x41, 0x00, 0x42}), L"A\xFFFD"); // odd byte count
    EXPECT_EQ(Decode16({0x00, 0x00}), std::wstring(1, L'\0'));
    EXPECT_EQ(Decode16({}), L"");
}

TEST(TextCodecTest, TextThatUtf16CannotHoldEncodesAsReplacement) {
    std::wstring bad(1, static_cast<wchar_t>(0xD800));
    if constexpr (sizeof(wchar_t) == 4) bad += static_cast<wchar_t>(0x110000);
    const TBytes bytes = EncodeUtf16LE(bad);
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        EXPECT_EQ(bytes[i], 0xFD);
        EXPECT_EQ(bytes[i + 1], 0xFF);
    }
}

TEST(TextCodecTest, Windows1252CoversTheHighBlock) {
    const TBytes bytes{0x80, 0x81, 0x9F, 0xE4, 0x41};
    EXPECT_EQ(DecodeCp1252(bytes.data(), bytes.size()), L"\x20AC\x0081\x0178\x00E4"
                                                        L"A");
    EXPECT_EQ(EncodeCp1252(L"\x20AC\x00E4\x0081"), (TBytes{0x80, 0xE4, 0x81}));
    EXPECT_EQ(EncodeCp1252(L"\x4E2D" + Emoji()), (TBytes{'?', '?'}));
}

TEST(TextCodecTest, Utf8DecodesValidAndReplacesBrokenSequences) {
    const std::string utf8 = EncodeUtf8(L"ä€" + Emoji());
    EXPECT_EQ(utf8, "\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80");
    const TBytes good(utf8.begin(), utf8.end());
    EXPECT_EQ(DecodeUtf8(good.data(), good.size()), L"ä€" + Emoji());
    const TBytes bad{0xC3, 0x41, 0xED, 0xA0, 0x80, 0xC0, 0xAF};
    const std::wstring decoded = DecodeUtf8(bad.data(), bad.size());
    EXPECT_EQ(decoded.substr(0, 2), L"\xFFFD"
                                    L"A");
    EXPECT_EQ(decoded.find_first_not_of(L"\xFFFD", 2), std::wstring::npos);
}

TEST(TextCodecTest, TheShellCanInstallTheRealAnsiCodePage) {
    SetAnsiCodec(
        {[](const std::uint8_t*, std::size_t) { return std::wstring(L"hooked"); }, nullptr});
    const TBytes any{0x41};
    EXPECT_EQ(DecodeAnsi(any.data(), any.size()), L"hooked");
    EXPECT_EQ(EncodeAnsi(L"ä"), TBytes{0xE4}); // missing encoder: Windows-1252
    SetAnsiCodec({});
    EXPECT_EQ(DecodeAnsi(any.data(), any.size()), L"A");
}
