// libFuzzer target: what the online services read from the network and the
// system, one mode per input (the first byte): the update file with the
// check's verdict and bookkeeping, the HTML of the update message, the
// system's proxy list, and the vendor's contact data.
#include "online/AboutTexts.h"
#include "online/FetchedText.h"
#include "online/HtmlText.h"
#include "online/ProxyList.h"
#include "online/UpdateCheck.h"
#include "storage/MvMemIni.h"

#include "FuzzSupport.h"

#include <cstdint>
#include <string>

namespace {

void UpdateFile(FuzzedDataProvider& in) {
    const std::wstring alphabet = L"0123456789.=|-\nDVKMSGdvkmsg<b>";
    const std::wstring interval = TakeWord(in, 12, L"aai4Weks8Y1rDisbled");
    const std::wstring lastCheck = TakeWord(in, 20, L"0123456789- :");
    const std::wstring firstCheck = TakeWord(in, 10, L"0123456789-");
    const int lastMsgID = in.ConsumeIntegral<int>();
    const bool checkAlways = in.ConsumeBool();
    const bool fetchOk = in.ConsumeBool();
    const std::wstring version = TakeWord(in, 12, alphabet);
    TUpdateCheckContext context{L"DVK", version, OnlineUrls(L"DVK", std::nullopt),
                                in.ConsumeFloatingPointInRange<double>(0, 2958000),
                                in.ConsumeBool()};
    const TBytes body = in.ConsumeRemainingBytes<std::uint8_t>();

    TMvMemIniFile store(L"", TIniTextEncoding::Utf16LE);
    store.WriteString(UpdateCheckSection, L"Interval", interval);
    store.WriteString(UpdateCheckSection, L"LastCheck", lastCheck);
    store.WriteString(UpdateCheckSection, L"FirstCheck", firstCheck);
    store.WriteInteger(UpdateCheckSection, L"LastMsgID", lastMsgID);
    int fetches = 0;
    const auto result = CheckForUpdates(store, context, checkAlways, [&](const std::wstring&) {
        ++fetches;
        return TFetchResult{fetchOk, body, fetchOk ? L"" : L"Fehler"};
    });
    Check(fetches <= 1);
    Check(result.Verdict <= sdWish);
    Check(result.NewLastMsgID >= lastMsgID);
    if (checkAlways) Check(fetches == 1 && result.Verdict != sdWish);
    if (fetches == 1) {
        Check(!result.Msg.empty());
        if (!fetchOk) Check(result.Verdict == sdUpdate);
    }
    (void)ParseHtmlText(result.Msg);

    const TUpdateFile file = ParseUpdateFile(DecodeFetchedText(body.data(), body.size()), L"DVK");
    if (file.HasProgramLine) Check(file.NewestVersion.find(L'|') == std::wstring::npos);
}

void Html(FuzzedDataProvider& in) {
    const std::wstring html =
        in.ConsumeBool() ? TakeText(in, 400)
                         : TakeWord(in, 400, L"<>/=\"' &#x;abfontsizecolrhefliupm0123456789\r\n");
    const THtmlText text = ParseHtmlText(html);
    std::wstring joined;
    for (const auto& run : text.Runs) {
        Check(!run.Text.empty());
        Check(run.Link >= -1 && run.Link < static_cast<int>(text.Links.size()));
        Check(run.Style.Size == 0 ||
              (run.Style.Size >= HtmlMinFontSize && run.Style.Size <= HtmlMaxFontSize));
        joined += run.Text;
    }
    Check(joined == text.PlainText);
    for (const auto& link : text.Links)
        Check(IsClickableUrl(link));
    for (std::size_t i = 0; i < text.PlainText.size(); ++i) {
        const auto code = static_cast<std::uint32_t>(text.PlainText[i]);
        if (code == L'\r') Check(i + 1 < text.PlainText.size() && text.PlainText[i + 1] == L'\n');
        if (code == L'\n') Check(i > 0 && text.PlainText[i - 1] == L'\r');
        if (code != L'\r' && code != L'\n') Check(code >= 0x20 && code != 0x7F);
    }
}

void Proxy(FuzzedDataProvider& in) {
    const std::wstring protocol = TakeWord(in, 6, L"htpsf");
    const std::wstring list = TakeWord(in, 120, L"htpsf=:;/[]. 0123456789");
    const TProxyServer proxy = ProxyServerFromList(list, protocol);
    Check(proxy.Server.empty() == (proxy.Port == 0));
    if (!proxy.Server.empty()) {
        Check(proxy.Port >= 1 && proxy.Port <= 65535);
        Check(proxy.Server.find_first_of(L"; \t=/@") == std::wstring::npos);
    }
}

void Contact(FuzzedDataProvider& in) {
    const bool isGerman = in.ConsumeBool();
    const bool ownTelFax = in.ConsumeBool();
    const TBytes body = in.ConsumeRemainingBytes<std::uint8_t>();
    const std::vector<std::wstring> telFax =
        ownTelFax ? std::vector<std::wstring>{L"Tel: 1"} : std::vector<std::wstring>{};
    const TContactLines lines =
        ContactLinesFromFile(DecodeFetchedText(body.data(), body.size()), telFax, isGerman);
    Check(lines.Done && lines.Address.size() == 3);
    if (ownTelFax) Check(lines.TelFax == telFax);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    switch (in.ConsumeIntegral<std::uint8_t>() % 4) {
    case 0:
        UpdateFile(in);
        break;
    case 1:
        Html(in);
        break;
    case 2:
        Proxy(in);
        break;
    default:
        Contact(in);
        break;
    }
    return 0;
}
