// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/print_server.h"

#include <cups/cups.h>
#include <memory>

namespace qx5 {

namespace {

PrintOutcome FromStatus(ipp_status_t status) {
    if (status <= IPP_STATUS_OK_EVENTS_COMPLETE) {
        return PrintOutcome::Printed;
    }
    switch (status) {
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
        return PrintOutcome::QueueNotAccepting;
    case IPP_STATUS_ERROR_NOT_FOUND:
        return PrintOutcome::QueueUnknown;
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
    case IPP_STATUS_ERROR_TIMEOUT:
    case IPP_STATUS_ERROR_DEVICE:
    case IPP_STATUS_ERROR_INTERNAL:
        return PrintOutcome::ServerNoAnswer;
    default:
        return PrintOutcome::ServerRefused;
    }
}

// Gives up at the first wait that runs out, and says so.
int StopWaiting(http_t*, void* timedOut) {
    *static_cast<bool*>(timedOut) = true;
    return 0;
}

} // namespace

PrintOutcome AskQueue(const std::string& queue, int timeoutMs) {
    const std::string name = queue.substr(0, queue.find('/'));
    const std::unique_ptr<http_t, decltype(&httpClose)> http(
        httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, timeoutMs,
                     nullptr),
        httpClose);
    if (!http) {
        return PrintOutcome::ServerNoAnswer;
    }
    // libcups's own look-ups of a destination set their own waits of a minute; a request
    // of ours keeps this one.
    bool timedOut = false;
    httpSetTimeout(http.get(), timeoutMs / 1000.0, StopWaiting, &timedOut);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", name.c_str());
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "printer-is-accepting-jobs");
    const std::unique_ptr<ipp_t, decltype(&ippDelete)> response(
        cupsDoRequest(http.get(), request, "/"), ippDelete);
    if (timedOut || !response) {
        return PrintOutcome::ServerNoAnswer;
    }
    const PrintOutcome status = FromStatus(cupsLastError());
    if (status != PrintOutcome::Printed) {
        return status;
    }
    ipp_attribute_t* accepting =
        ippFindAttribute(response.get(), "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
    if (!accepting) {
        return PrintOutcome::ServerNoAnswer;
    }
    return ippGetBoolean(accepting, 0) ? PrintOutcome::Printed : PrintOutcome::QueueNotAccepting;
}

PrintOutcome LastRequestAnswer() {
    return FromStatus(cupsLastError());
}

} // namespace qx5
