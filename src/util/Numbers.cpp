#include "util/Numbers.h"

#include <cmath>

std::int64_t MVRound(long double x) {
    if (x > 0) return static_cast<std::int64_t>(std::trunc(x + 0.5L));
    if (x < 0) return static_cast<std::int64_t>(std::trunc(x - 0.5L));
    return 0;
}
