// libFuzzer target: the small text routines, one mode per input (the first
// byte): colour texts, version comparison, command-line switches, path
// helpers, and the text codecs of the settings files.
#include "storage/TextCodec.h"
#include "util/ColorText.h"
#include "util/CommandLine.h"
#include "util/ConvertError.h"
#include "util/PathUtils.h"
#include "util/StringUtils.h"
#include "util/VersionCompare.h"

#include "FuzzSupport.h"

#include <algorithm>
#include <set>

namespace {

void ColourTexts(FuzzedDataProvider& in) {
    const std::wstring text = TakeWord(in, 12, L"0123456789abcdefABCDEF#xG ");
    const TColor none = 0x1FFFFFFF;
    const TColor bgr = ShortHexBGRToColor(text, none);
    bool allHex = text.size() >= 6;
    for (std::size_t i = 0; i < 6 && allHex; ++i)
        allHex = std::wstring(L"0123456789abcdefABCDEF").find(text[i]) != std::wstring::npos;
    Check((bgr != none) == allHex);
    if (allHex) Check(ColorToShortHexBGR(bgr) == UpperCaseText(text.substr(0, 6)));
    try {
        Check(ShortHexBGRToColorEx(text) == bgr);
    } catch (const EConvertError&) {
        Check(bgr == none);
    }
    (void)ShortHexRGBToColor(text, none);
    (void)IsHex(text, in.ConsumeBool());

    const TColor colour = in.ConsumeIntegralInRange<TColor>(0, 0xFFFFFF);
    Check(ShortHexBGRToColor(ColorToShortHexBGR(colour), none) == colour);
    Check(ShortHexRGBToColor(ColorToShortHexRGB(colour), none) == colour);
    TRGBTriple triple;
    ColorToRGBTriple(colour, triple);
    Check(RGBTripleToColor(triple) == colour);
    const int number = in.ConsumeIntegral<int>();
    const TColor clamped = IntToColor(number);
    Check(clamped >= 0 && clamped <= 0xFFFFFF);
    Check(ColorToInt(clamped) == clamped);
}

void Versions(FuzzedDataProvider& in) {
    const std::wstring alphabet = L"0123456789.abzAB $x-+ ";
    const std::wstring a = TakeWord(in, 24, alphabet);
    const std::wstring b = TakeWord(in, 24, alphabet);
    const bool newer = Ver2GreaterVer1(a, b);
    const bool older = Ver2GreaterVer1(b, a);
    Check(!Ver2GreaterVer1(a, a));
    TIntegerList partsA, partsB;
    SplitVer(LowerCaseText(a), partsA);
    SplitVer(LowerCaseText(b), partsB);
    // Texts whose parts differ (a missing part counts as 0) are ordered one way only.
    bool alike = true;
    for (int i = 0; i < std::max(partsA.Count(), partsB.Count()); ++i)
        alike = alike && partsA.GetValueDef(i, -200) == partsB.GetValueDef(i, -200);
    if (!a.empty() && !b.empty() && !alike) Check(!(newer && older));
    if (b.empty()) Check(!newer);
}

void Switches(FuzzedDataProvider& in) {
    const std::wstring alphabet = L"debugDEBUG-/ ";
    std::vector<std::wstring> params;
    const std::size_t count = in.ConsumeIntegralInRange<std::size_t>(0, 8);
    for (std::size_t i = 0; i < count; ++i)
        params.push_back(TakeWord(in, 10, alphabet));
    const std::wstring name = TakeWord(in, 8, alphabet);
    bool any = false;
    for (int i = 1; i < static_cast<int>(params.size()); ++i)
        any = any || HasParam(params, i, name);
    Check(HasParam(params, name) == any);
    Check(!HasParam(params, -1, name) && !HasParam(params, static_cast<int>(params.size()), name));
    if (!name.empty()) {
        params.push_back(L"/" + name);
        params.insert(params.begin(), L"prog.exe");
        Check(HasParam(params, name));
    }
}

void Paths(FuzzedDataProvider& in) {
    const std::wstring alphabet = L"C:\\/..ab \\x?<%";
    const std::wstring path = TakeWord(in, 300, alphabet);
    const std::size_t maxLength = in.ConsumeIntegralInRange<std::size_t>(3, 260);
    const TNormalisedPath n = NormaliseAbsolutePath(path, maxLength);
    Check(n.Path.empty() != n.Problem.empty());
    if (!n.Path.empty()) {
        Check(n.Path.size() <= maxLength);
        Check(n.Path.find(L'/') == std::wstring::npos);
        Check(NormaliseAbsolutePath(n.Path, maxLength).Path == n.Path); // plain already
        const std::wstring wrapped = L"\\" + n.Path + L"\\";
        Check(wrapped.find(L"\\.\\") == std::wstring::npos);
        Check(wrapped.find(L"\\..\\") == std::wstring::npos);
        Check(n.Path.find(L"\\\\", 1) == std::wstring::npos);

        // Created top-down, each level below one that exists.
        std::set<std::wstring> folders;
        std::size_t lastSize = 0;
        const bool made = CreateFolderWithParents(
            n.Path, [&](const std::wstring& p) { return folders.count(p) > 0; },
            [&](const std::wstring& p) {
                Check(p.size() > lastSize && n.Path.compare(0, p.size(), p) == 0);
                lastSize = p.size();
                folders.insert(p);
                return true;
            });
        Check(made || folders.empty());
    }

    const std::wstring other = TakeWord(in, 40, alphabet);
    const std::wstring joined = ConcatPath(path, other);
    Check(joined.size() <= path.size() + other.size() + 1);
    Check(DeleteFileExt(path) + ExtractFileExtMV(path) == path);
    const std::wstring extension = TakeWord(in, 6, L".txtini");
    const std::wstring changed = ChangeFileExtMV(path, extension);
    if (!path.empty() && !extension.empty() && extension[0] == L'.')
        Check(changed.size() >= extension.size() &&
              changed.compare(changed.size() - extension.size(), extension.size(), extension) == 0);
    Check(SameDir(path, path));
}

void Codecs(FuzzedDataProvider& in) {
    const std::vector<std::uint8_t> bytes = in.ConsumeBytes<std::uint8_t>(in.remaining_bytes() / 2);
    // Every byte has a character and comes back from it.
    const std::wstring cp1252 = DecodeCp1252(bytes.data(), bytes.size());
    Check(cp1252.size() == bytes.size());
    Check(EncodeCp1252(cp1252) == bytes);
    // Decoded text is valid: encoding and decoding it again changes nothing.
    const std::wstring utf8 = DecodeUtf8(bytes.data(), bytes.size());
    const std::string reencoded = EncodeUtf8(utf8);
    Check(DecodeUtf8(reinterpret_cast<const std::uint8_t*>(reencoded.data()), reencoded.size()) ==
          utf8);
    const std::wstring utf16 = DecodeUtf16LE(bytes.data(), bytes.size());
    const TBytes utf16Bytes = EncodeUtf16LE(utf16);
    Check(DecodeUtf16LE(utf16Bytes.data(), utf16Bytes.size()) == utf16);

    const std::wstring text = TakeText(in, 64);
    const TBytes encoded = EncodeCp1252(text);
    Check(EncodeCp1252(DecodeCp1252(encoded.data(), encoded.size())) == encoded);
    const std::string asUtf8 = EncodeUtf8(text);
    const std::wstring back =
        DecodeUtf8(reinterpret_cast<const std::uint8_t*>(asUtf8.data()), asUtf8.size());
    if (WithoutSurrogates(text) == text && sizeof(wchar_t) == 4) Check(back == text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    switch (in.ConsumeIntegral<std::uint8_t>() % 5) {
    case 0:
        ColourTexts(in);
        break;
    case 1:
        Versions(in);
        break;
    case 2:
        Switches(in);
        break;
    case 3:
        Paths(in);
        break;
    default:
        Codecs(in);
        break;
    }
    return 0;
}
