// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The engine's source of randomness: injected, so that tests can script every draw.
#pragma once

#include <cstdint>
#include <random>

namespace qx5 {

class RandomSource {
public:
    virtual ~RandomSource() = default;

    // Uniform integer 0 <= r < n; 0 without drawing when n <= 0 (an empty divisor
    // list or a multiplier range of 0 asks for that).
    std::int32_t Random(std::int32_t n) { return n <= 0 ? 0 : DrawInteger(n); }
    // Uniform real 0 <= r < 1.
    double Random() { return DrawReal(); }

protected:
    virtual std::int32_t DrawInteger(std::int32_t n) = 0; // n >= 1
    virtual double DrawReal() = 0;
};

// The program's generator: one Mersenne Twister for the whole run. Draws are made from
// its raw 32-bit outputs by our own rule, not by the standard library's distributions,
// whose results differ from one library to the next: one seed gives one series in the
// desktop program and in the browser alike.
class MersenneRandomSource final : public RandomSource {
public:
    explicit MersenneRandomSource(std::uint32_t seed = std::mt19937::default_seed)
        : generator_(seed) {}

    void Reseed(std::uint32_t seed) { generator_.seed(seed); }
    // Seeds from the time of day in milliseconds.
    void ReseedFromClock();

protected:
    std::int32_t DrawInteger(std::int32_t n) override;
    double DrawReal() override;

private:
    std::mt19937 generator_;
};

} // namespace qx5
