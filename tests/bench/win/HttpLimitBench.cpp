// Counting driver for the download limits: what a hostile answer of 48 MiB
// without a length costs the program before the size limit ends it: the
// time and the peak memory of the fetch, against a loopback server.
//   HttpLimitBench.exe [MiB]   (default 48)
#include "online/win/HttpClient.h"

#include "../../common/LoopbackServer.h"

#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const int mebibytes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 48;
    LoopbackServer server([mebibytes](const std::string&, const LoopbackServer::Send& send) {
        send("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n");
        const std::string block(1024 * 1024, 'x');
        for (int i = 0; i < mebibytes; ++i)
            send(block);
    });
    PROCESS_MEMORY_COUNTERS before{sizeof(before)};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &before, sizeof(before));
    LARGE_INTEGER frequency{}, start{}, end{};
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    const THttpResult result = HttpGet(server.Url("/updates.txt"), "", {});
    ::QueryPerformanceCounter(&end);
    PROCESS_MEMORY_COUNTERS after{sizeof(after)};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &after, sizeof(after));
    std::printf("answer of %d MiB without a length: %s after %.1f ms, peak working set +%.1f MiB\n",
                mebibytes,
                result.Failure == THttpFailure::TooLarge ? "refused as too large" : "taken",
                1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                    static_cast<double>(frequency.QuadPart),
                static_cast<double>(after.PeakWorkingSetSize - before.PeakWorkingSetSize) /
                    (1024.0 * 1024.0));
    return 0;
}
