// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// What the print server says about a queue and about the job handed to it. Qt's print
// support submits jobs through libcups but does not pass on the server's answer, so it is
// asked here, with bounded waits: a server that is gone or hangs gives an answer in
// seconds.
#pragma once

#include <string>

namespace qx5 {

enum class ServerAnswer {
    Accepted,     // the queue takes jobs; a stopped queue holds them until it starts
    NotAccepting, // the queue refuses new jobs
    UnknownQueue, // the server has no such queue
    NoAnswer,     // nobody listens, or the server does not answer in time
    Refused,      // the server answered the job with an error
};

inline constexpr int PrintServerTimeoutMs = 3000;

// Asks the print server whether the queue (a name as Qt gives it, "queue" or
// "queue/instance") takes jobs now.
ServerAnswer AskQueue(const std::string& queue, int timeoutMs = PrintServerTimeoutMs);

// The server's answer to the latest request libcups made on this thread; Qt's submission
// of a job is one.
ServerAnswer LastRequestAnswer();

} // namespace qx5
