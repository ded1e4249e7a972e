// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// A random source for tests that hands out a given sequence of draws and fails the test
// (by throwing ScriptError) on a draw of the other kind, an integer draw with another
// bound than scripted, or one draw too many.
#pragma once

#include "engine/random_source.h"

#include <QMetaType>

#include <cstddef>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace qx5::test {

struct ScriptError : std::logic_error {
    using std::logic_error::logic_error;
};

// Random(bound) answering value.
struct Int {
    std::int32_t Bound;
    std::int32_t Value;
};
// Random() answering value.
struct Real {
    double Value;
};

class ScriptedRandom final : public RandomSource {
public:
    struct Draw {
        bool IsReal;
        std::int32_t Bound;
        double Value;
        Draw(Int i)
            : IsReal(false)
            , Bound(i.Bound)
            , Value(i.Value) {}
        Draw(Real r)
            : IsReal(true)
            , Bound(0)
            , Value(r.Value) {}
    };

    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<Draw> draws)
        : draws_(draws) {}
    explicit ScriptedRandom(std::vector<Draw> draws)
        : draws_(std::move(draws)) {}

    std::size_t Used() const { return next_; }
    std::size_t Left() const { return draws_.size() - next_; }

protected:
    std::int32_t DrawInteger(std::int32_t n) override {
        const Draw& d = Take("Random(" + std::to_string(n) + ")");
        if (d.IsReal) {
            throw ScriptError(Where() + "asked for Random(" + std::to_string(n) +
                              ") where a real draw was scripted");
        }
        if (d.Bound != n) {
            throw ScriptError(Where() + "asked for Random(" + std::to_string(n) +
                              ") where Random(" + std::to_string(d.Bound) + ") was scripted");
        }
        return static_cast<std::int32_t>(d.Value);
    }
    double DrawReal() override {
        const Draw& d = Take("Random()");
        if (!d.IsReal) {
            throw ScriptError(Where() + "asked for Random() where Random(" +
                              std::to_string(d.Bound) + ") was scripted");
        }
        return d.Value;
    }

private:
    std::string Where() const { return "draw " + std::to_string(next_) + ": "; }
    const Draw& Take(const std::string& what) {
        if (next_ >= draws_.size()) {
            throw ScriptError("draw " + std::to_string(next_ + 1) + ": asked for " + what +
                              " after all " + std::to_string(draws_.size()) +
                              " scripted draws were used");
        }
        return draws_[next_++];
    }

    std::vector<Draw> draws_;
    std::size_t next_ = 0;
};

// A script as a column of a data-driven test.
using Script = std::vector<ScriptedRandom::Draw>;

} // namespace qx5::test

Q_DECLARE_METATYPE(qx5::test::Script)

// Runs a statement against a scripted source; a script error fails the current test.
#define QX5_SCRIPTED(statement)                                                                    \
    do {                                                                                           \
        try {                                                                                      \
            statement;                                                                             \
        } catch (const ::qx5::test::ScriptError& scriptError) {                                    \
            QFAIL(scriptError.what());                                                             \
        }                                                                                          \
    } while (false)
