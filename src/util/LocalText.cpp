#include "util/LocalText.h"

std::wstring FormatText(const wchar_t* text, std::initializer_list<std::wstring_view> args) {
    std::wstring out;
    for (const wchar_t* p = text; *p; ++p) {
        if (*p != L'%' || !p[1]) {
            out += *p;
            continue;
        }
        const wchar_t next = p[1];
        if (next == L'%') {
            out += L'%';
            ++p;
        } else if (next >= L'1' && next <= L'9' &&
                   static_cast<std::size_t>(next - L'1') < args.size()) {
            out += *(args.begin() + (next - L'1'));
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}
