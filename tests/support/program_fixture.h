// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The program as main() starts it, for tests that drive its windows.
#pragma once

#include "app/main_window.h"
#include "sheet/exercise_window.h"
#include "window_support.h"

#include <QAction>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qx5::test {

struct ProgramFixture {
    EngineState state;
    std::vector<std::string> transcript;
    MersenneRandomSource random;
    TForm1 window{state, random, transcript};

    explicit ProgramFixture(std::uint32_t seed)
        : random(seed) {}

    QAction* Item(const char* name) const { return Child<QAction>(&window, name); }
    QToolButton* Button(const char* name) const {
        return Child<QToolButton>(window.ExerciseWindow(), name);
    }
    QLineEdit* Edit1() const { return Child<QLineEdit>(window.ExerciseWindow(), "Edit1"); }
    // Answers the running series to its end through the answer box; answer(step) is the
    // number typed at each step.
    void PlaySeries(const std::function<int(int step)>& answer) {
        test::PlaySeries(Edit1(), state, answer);
    }
    // Shown and active, as the program is once it has started.
    bool Show() {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) {
            return false;
        }
        return WaitUntilActive(&window);
    }
};

} // namespace qx5::test
