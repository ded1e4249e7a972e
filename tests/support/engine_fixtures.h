// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// Engine states the tests start from.
#pragma once

#include "engine/type_settings.h"

namespace qx5::test {

// The state a series of the given type starts with, on top of what an earlier type left.
inline EngineState StateForType(std::int32_t type, EngineState s = {}) {
    s.ExerciseType = type;
    ApplyTypeSettings(s);
    return s;
}

} // namespace qx5::test
