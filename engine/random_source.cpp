// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/random_source.h"

#include <chrono>
#include <ctime>

namespace qx5 {

void MersenneRandomSource::ReseedFromClock() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto milliseconds =
        duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    Reseed(static_cast<std::uint32_t>(
        ((local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec) * 1000 + milliseconds));
}

std::int32_t MersenneRandomSource::DrawInteger(std::int32_t n) {
    // Multiply and shift: the high half of output × n. Outputs whose low half falls below
    // 2^32 mod n would make some results likelier than others; they are drawn again.
    const auto range = static_cast<std::uint32_t>(n);
    const std::uint32_t threshold = (0U - range) % range;
    std::uint64_t product = std::uint64_t{generator_()} * range;
    while (static_cast<std::uint32_t>(product) < threshold) {
        product = std::uint64_t{generator_()} * range;
    }
    return static_cast<std::int32_t>(product >> 32);
}

double MersenneRandomSource::DrawReal() {
    // 53 bits, as many as a double holds: 27 from one output and 26 from the next. The
    // largest result is 1 - 2^-53, below 1.
    const std::uint64_t high = generator_() >> 5;
    const std::uint64_t low = generator_() >> 6;
    return static_cast<double>((high << 26) | low) * 0x1p-53;
}

} // namespace qx5
