#include "util/CommandLine.h"

#include "util/StringUtils.h"

#include <utility>

namespace {

std::vector<std::wstring>& ProcessParams() {
    static std::vector<std::wstring> params;
    return params;
}

bool SwitchMatches(const std::wstring& param, const std::wstring& name) {
    if (param.empty()) return false;
    const bool prefixed = param.front() == L'-' || param.front() == L'/';
    return SameTextIgnoreCase(prefixed ? param.substr(1) : param, name);
}

} // namespace

void SetCommandLineParams(std::vector<std::wstring> params) {
    ProcessParams() = std::move(params);
}

bool HasParam(const std::vector<std::wstring>& params, const std::wstring& name) {
    for (std::size_t i = 1; i < params.size(); ++i)
        if (SwitchMatches(params[i], name)) return true;
    return false;
}

bool HasParam(const std::vector<std::wstring>& params, int index, const std::wstring& name) {
    if (index < 0 || static_cast<std::size_t>(index) >= params.size()) return false;
    return SwitchMatches(params[static_cast<std::size_t>(index)], name);
}

bool HasParam(const std::wstring& name) {
    return HasParam(ProcessParams(), name);
}

bool HasParam(int index, const std::wstring& name) {
    return HasParam(ProcessParams(), index, name);
}
