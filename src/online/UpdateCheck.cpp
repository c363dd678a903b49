#include "online/UpdateCheck.h"

#include "util/StringUtils.h"
#include "util/UserMessage.h"

#include <cmath>
#include <exception>

namespace {

constexpr int kWishAfterDays = 112;

const wchar_t* const IntervalNames[] = {L"aaiDisabled", L"aai4Weeks", L"aai8Weeks", L"aai1Year"};

// The automatic check's bookkeeping: its interval in days (0: disabled) and
// the moment of the last check (0: none yet).
struct TSchedule {
    int Days;
    TDateTime Last;
};

TSchedule ReadSchedule(TCustomIniFile& store) {
    return {AutoUpdateIntervalDays(ReadAutoUpdateInterval(store)),
            store.ReadDateTime(UpdateCheckSection, L"LastCheck", 0)};
}

bool Due(const TSchedule& schedule, TDateTime now) {
    return schedule.Last > 0 && schedule.Days > 0 &&
           std::floor(now) >= schedule.Last + schedule.Days;
}

TFetchResult FetchCaught(const TFetchVersionFile& fetch, const std::wstring& url) {
    if (url.empty()) return {false, {}, NoVersionFileUrlText()};
    try {
        return fetch(url);
    } catch (const UserMessage& e) {
        return {false, {}, e.Message};
    } catch (const std::exception& e) {
        return {false, {}, Widen(e.what())};
    }
}

} // namespace

std::wstring AutoUpdateIntervalToStr(TAutoUpdateInterval value) {
    return value <= aai1Year ? IntervalNames[value] : IntervalNames[aai4Weeks];
}

TAutoUpdateInterval StrToAutoUpdateInterval(const std::wstring& text,
                                            TAutoUpdateInterval defaultValue) {
    for (int i = aaiDisabled; i <= aai1Year; ++i)
        if (SameTextIgnoreCase(text, IntervalNames[i])) return static_cast<TAutoUpdateInterval>(i);
    return defaultValue;
}

int AutoUpdateIntervalDays(TAutoUpdateInterval value) {
    switch (value) {
    case aai4Weeks:
        return 28;
    case aai8Weeks:
        return 56;
    case aai1Year:
        return 365;
    default:
        return 0;
    }
}

TAutoUpdateInterval ReadAutoUpdateInterval(TCustomIniFile& store) {
    return StrToAutoUpdateInterval(store.ReadString(UpdateCheckSection, L"Interval", L""),
                                   aai4Weeks);
}

TUpdateCheckResult CheckForUpdates(TCustomIniFile& store, const TUpdateCheckContext& context,
                                   bool checkAlways, const TFetchVersionFile& fetch) {
    TUpdateCheckResult result;
    const TDateTime today = std::floor(context.Now);

    const TDateTime firstCheck = store.ReadDate(UpdateCheckSection, L"FirstCheck", 0);
    if (firstCheck == 0) store.WriteDate(UpdateCheckSection, L"FirstCheck", today);

    bool due = checkAlways;
    if (!checkAlways) {
        const TSchedule schedule = ReadSchedule(store);
        // A damaged value before 1900 would keep the check from ever running.
        if (schedule.Last <= 0 && schedule.Days > 0) {
            // The very first automatic run opens the dialog without going online.
            result.Verdict = sdUpdate;
            store.WriteDateTime(UpdateCheckSection, L"LastCheck", context.Now);
        }
        due = Due(schedule, context.Now);
    }

    const int lastMsgID = store.ReadInteger(UpdateCheckSection, L"LastMsgID", 0);
    result.NewLastMsgID = lastMsgID;

    if (due) {
        const TFetchResult fetched = FetchCaught(fetch, context.Urls.VersionFile);
        if (!fetched.Ok) {
            result.Verdict = sdUpdate;
            result.Msg = FetchErrorMsg(fetched.Error, context.Debug, context.Urls.VersionFile,
                                       fetched.Detail);
        } else {
            const TUpdateFile file = ParseUpdateFile(
                DecodeFetchedText(fetched.Body.data(), fetched.Body.size()), context.ProgramId);
            const TUpdateFileVerdict verdict =
                UpdateFileVerdict(file, context.Version, context.Urls, context.Now, lastMsgID);
            if (verdict.OpenDialog) result.Verdict = sdUpdate;
            result.Msg = verdict.Msg;
            result.NewLastMsgID = verdict.NewLastMsgID;
        }
        store.WriteDateTime(UpdateCheckSection, L"LastCheck", context.Now);
    } else if (firstCheck > 0 && today - firstCheck > kWishAfterDays &&
               !store.ReadBool(UpdateCheckSection, L"WishShown", false)) {
        store.WriteBool(UpdateCheckSection, L"WishShown", true);
        result.Verdict = sdWish;
    }
    return result;
}

bool AutomaticCheckGoesOnline(TCustomIniFile& store, TDateTime now) {
    return Due(ReadSchedule(store), now);
}

TUpdateCheckResult ExecuteVerdict(TCustomIniFile& store, const TUpdateCheckContext& context,
                                  bool showAlways, const TFetchVersionFile& fetch) {
    if (!showAlways) return CheckForUpdates(store, context, false, fetch);
    return {sdUpdate, L"", store.ReadInteger(UpdateCheckSection, L"LastMsgID", 0)};
}

void FinishUpdateDialog(TCustomIniFile& store, std::optional<TAutoUpdateInterval> picked,
                        int newLastMsgID) {
    const TAutoUpdateInterval interval = picked ? *picked : ReadAutoUpdateInterval(store);
    store.WriteString(UpdateCheckSection, L"Interval", AutoUpdateIntervalToStr(interval));
    store.WriteInteger(UpdateCheckSection, L"LastMsgID", newLastMsgID);
}
