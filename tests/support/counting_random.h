// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// A seeded production source that counts its draws and stops a runaway loop: a generator
// loop that never ends shows up as a failed test instead of a hang.
#pragma once

#include "engine/random_source.h"
#include "scripted_random.h"

#include <cstdint>
#include <string>

namespace qx5::test {

class CountingRandom final : public RandomSource {
public:
    CountingRandom(std::uint32_t seed, std::int64_t limit)
        : inner_(seed)
        , limit_(limit) {}

    std::int64_t Count() const { return count_; }
    void ResetCount() { count_ = 0; }

protected:
    std::int32_t DrawInteger(std::int32_t n) override {
        Tick();
        return inner_.Random(n);
    }
    double DrawReal() override {
        Tick();
        return inner_.Random();
    }

private:
    void Tick() {
        if (++count_ > limit_) {
            throw ScriptError("more than " + std::to_string(limit_) +
                              " draws without an end: the loop does not terminate");
        }
    }

    MersenneRandomSource inner_;
    std::int64_t limit_;
    std::int64_t count_ = 0;
};

} // namespace qx5::test
