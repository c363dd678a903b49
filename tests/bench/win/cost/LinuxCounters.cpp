#include "LinuxCounters.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

namespace {

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string ProcFile(int pid, const std::string& name) {
    return ReadText("Z:\\proc\\" + std::to_string(pid) + "\\" + name);
}

// The sum of the numbers after the named fields ("Name:   123 kB").
double FieldSum(const std::string& text, std::initializer_list<const char*> names) {
    std::istringstream lines(text);
    std::string line;
    double total = -1;
    while (std::getline(lines, line))
        for (const char* name : names)
            if (line.rfind(name, 0) == 0)
                total = (total < 0 ? 0 : total) + std::atof(line.c_str() + std::strlen(name));
    return total;
}

double MegabytesOf(int pid, const char* file, std::initializer_list<const char*> names) {
    if (pid <= 0) return -1;
    const double kb = FieldSum(ProcFile(pid, file), names);
    return kb < 0 ? -1 : kb / 1024.0;
}

} // namespace

std::string Env(const char* name) {
    char value[1024] = {};
    const DWORD n = ::GetEnvironmentVariableA(name, value, sizeof(value));
    return n > 0 && n < sizeof(value) ? value : "";
}

std::set<int> UnixProcesses(const std::string& prefix) {
    std::set<int> pids;
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA("Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return pids;
    const std::string winePrefix = "WINEPREFIX=" + Env("WINEPREFIX");
    do {
        const int pid = std::atoi(found.cFileName);
        if (pid <= 0 || ProcFile(pid, "comm").rfind(prefix, 0) != 0) continue;
        const std::string env = ProcFile(pid, "environ");
        if (winePrefix.size() > 11 && env.find(winePrefix + '\0') == std::string::npos) continue;
        pids.insert(pid);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return pids;
}

int UnixProcess(const std::string& prefix) {
    const std::set<int> pids = UnixProcesses(prefix);
    return pids.size() == 1 ? *pids.begin() : -1;
}

int Wineserver() {
    const std::set<int> servers = UnixProcesses("wineserver");
    return servers.empty() ? -1 : *servers.begin();
}

int XServer() {
    const int pid = std::atoi(Env("DRAVIK_XVFB_PID").c_str());
    return pid > 0 ? pid : -1;
}

double UnixPrivateMB(int pid) {
    return MegabytesOf(pid, "smaps_rollup", {"Private_Clean:", "Private_Dirty:"});
}

double UnixPrivateImagesMB(int pid, const std::string& exeName) {
    if (pid <= 0) return -1;
    // Each mapping's file and private kB; the exe's folder.
    std::vector<std::pair<std::string, double>> mappings;
    std::string folder;
    std::istringstream smaps(ProcFile(pid, "smaps"));
    std::string line;
    while (std::getline(smaps, line)) {
        // A mapping's first line: "start-end perms offset dev inode   path".
        if (std::isxdigit(static_cast<unsigned char>(line[0])) && line.find('-') < line.find(' ')) {
            const std::size_t slash = line.find('/');
            const std::string path = slash == std::string::npos ? "" : line.substr(slash);
            if (path.size() > exeName.size() &&
                path.compare(path.size() - exeName.size(), exeName.size(), exeName) == 0)
                folder = path.substr(0, path.size() - exeName.size());
            mappings.push_back({path, 0});
        } else if (!mappings.empty()) {
            mappings.back().second +=
                std::max(0.0, FieldSum(line, {"Private_Clean:", "Private_Dirty:"}));
        }
    }
    if (folder.empty()) return -1;
    double kb = 0;
    for (const auto& [path, privateKb] : mappings)
        if (path.rfind(folder, 0) == 0) kb += privateKb;
    return kb / 1024.0;
}

double UnixAnonMB(int pid) {
    return MegabytesOf(pid, "status", {"RssAnon:"});
}

double UnixCpuMs(int pid) {
    if (pid <= 0) return -1;
    double total = 0;
    WIN32_FIND_DATAA found;
    const std::string tasks = "Z:\\proc\\" + std::to_string(pid) + "\\task\\";
    HANDLE search = ::FindFirstFileA((tasks + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return -1;
    do {
        if (found.cFileName[0] == '.') continue;
        total += std::atof(ReadText(tasks + found.cFileName + "\\schedstat").c_str()) / 1e6;
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return total;
}

double UnixThreadCpuMs(int pid, int tid) {
    if (pid <= 0) return -1;
    return std::atof(ReadText("Z:\\proc\\" + std::to_string(pid) + "\\task\\" +
                              std::to_string(tid) + "\\schedstat")
                         .c_str()) /
           1e6;
}

long long UnixContextSwitches(int pid, int tid) {
    if (pid <= 0) return -1;
    const double total = FieldSum(ReadText("Z:\\proc\\" + std::to_string(pid) + "\\task\\" +
                                           std::to_string(tid) + "\\status"),
                                  {"voluntary_ctxt_switches:", "nonvoluntary_ctxt_switches:"});
    return static_cast<long long>(total);
}
