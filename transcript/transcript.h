// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The plain-text transcript of a finished series, laid out in columns for a fixed-pitch
// font; rebuilt from the engine's state for every print and copy.
#pragma once

#include "engine/engine_state.h"

#include <string>
#include <string_view>
#include <vector>

namespace qx5 {

// UTF-8 lines; none is empty, a blank line holds one blank.
using Transcript = std::vector<std::string>;

// Empties the transcript and fills it from the finished series in the state, headed by
// the heading when that compares above a single blank.
void BuildTranscript(const EngineState& state, std::string_view printHeading,
                     Transcript& transcript);

// What a finished series comes to, for a pupil who cannot see the sheet: the score line,
// then the transcript's line of each wrong step, with what it should have been.
Transcript ResultLines(const EngineState& state);

} // namespace qx5
