// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// What the print server says about a queue and about the job handed to it. Qt's print
// support submits jobs through libcups but does not pass on the server's answer, so it is
// asked here, with bounded waits: a server that is gone or hangs gives an answer in
// seconds.
#pragma once

#include "output/transcript_printing.h"

#include <string>

namespace qx5 {

inline constexpr int PrintServerTimeoutMs = 3000;

// Asks the print server whether the queue (a name as Qt gives it, "queue" or
// "queue/instance") takes jobs now: Printed where it does, or one of the server's answers.
PrintOutcome AskQueue(const std::string& queue, int timeoutMs = PrintServerTimeoutMs);

// The server's answer to the latest request libcups made on this thread; Qt's submission
// of a job is one.
PrintOutcome LastRequestAnswer();

} // namespace qx5
