// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The program as main() starts it, for tests that drive its windows.
#pragma once

#include "exercise_window.h"
#include "main_window.h"

#include <QAction>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

#include <cstdint>
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

    QAction* Item(const char* name) const {
        auto* item = window.findChild<QAction*>(QString::fromLatin1(name));
        if (!item) {
            qFatal("no menu item %s", name);
        }
        return item;
    }
    QToolButton* Button(const char* name) const {
        return window.ExerciseWindow()->findChild<QToolButton*>(QString::fromLatin1(name));
    }
    QLineEdit* Edit1() const {
        return window.ExerciseWindow()->findChild<QLineEdit*>(QStringLiteral("Edit1"));
    }
    // Shown and active, as the program is once it has started.
    bool Show() {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) {
            return false;
        }
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
};

} // namespace qx5::test
