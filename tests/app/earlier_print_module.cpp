// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// A printing module of an earlier build, by its entry point: the name without a version.
// The program must refuse it; called, it stops the test.
#include <cstdlib>

extern "C" void* qx5_MakePrintSession(void*) {
    std::abort();
}
