// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "random_source.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace qx5 {

void MersenneRandomSource::ReseedFromClock() {
    Reseed(MillisecondsOfDay());
}

std::uint32_t MersenneRandomSource::MillisecondsOfDay() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto milliseconds =
        duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    return static_cast<std::uint32_t>(
        ((local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec) * 1000 + milliseconds);
}

std::uint32_t MersenneRandomSource::UtcMillisecondsOfDay() {
    using namespace std::chrono;
    const auto sinceMidnight = system_clock::now().time_since_epoch() % days(1);
    return static_cast<std::uint32_t>(duration_cast<milliseconds>(sinceMidnight).count());
}

std::int32_t MersenneRandomSource::DrawInteger(std::int32_t n) {
    return std::uniform_int_distribution<std::int32_t>(0, n - 1)(generator_);
}

double MersenneRandomSource::DrawReal() {
    const double r = std::generate_canonical<double, 53>(generator_);
    // generate_canonical may round up to exactly 1.0 (a known library defect).
    return r < 1.0 ? r : std::nextafter(1.0, 0.0);
}

} // namespace qx5
