// Counting driver for one edge span under Wine: the 1 x N copy of a screen
// row and the walk to the edges, for N = 1280 and 3840, as wall time and
// UI-thread CPU (median and 95th percentile of 200).
#include "ThreadTime.h"
#include "ruler/EdgeSpan.h"
#include "ruler/win/ScreenLine.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double NowMicros() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return 1e6 * static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

double Percentile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[static_cast<size_t>(q * static_cast<double>(v.size() - 1))];
}

} // namespace

int main() {
    constexpr int Runs = 200;
    std::printf("edge span: copy of one screen row and the walk (%d runs)\n", Runs);
    for (const int n : {1280, 3840}) {
        std::vector<double> wall, cpu;
        std::size_t found = 0;
        for (int i = 0; i < Runs; ++i) {
            const double t0 = NowMicros();
            const double c0 = ThreadMillis();
            const std::vector<std::uint32_t> row = CopyScreenLine({0, 300, n, 301});
            found += static_cast<std::size_t>(FindEdgeSpan(row, n / 2, 30).Length());
            cpu.push_back((ThreadMillis() - c0) * 1000);
            wall.push_back(NowMicros() - t0);
        }
        std::printf(
            "  N = %4d: wall median %6.0f us, p95 %6.0f us; thread CPU mean %6.0f us "
            "(span %zu px)\n",
            n, Percentile(wall, 0.5), Percentile(wall, 0.95),
            [&] {
                double sum = 0;
                for (double c : cpu)
                    sum += c;
                return sum / Runs;
            }(),
            found / Runs);
    }
    return 0;
}
