// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "transcript/print_layout.h"

#include <algorithm>

namespace qx5 {

PrintMetrics ComputePrintMetrics(int lineHeight, int resolution, int printableHeight,
                                 int lineCount) {
    PrintMetrics m;
    m.LineHeight = lineHeight;
    m.Resolution = resolution;
    m.LeftMargin = resolution / 2;
    m.TopMargin = resolution;
    m.BottomMargin = resolution;
    m.UsableHeight = printableHeight - m.TopMargin - m.BottomMargin;
    // A font without height would leave nothing to divide by; it still gets a line a page.
    m.LinesPerPage = lineHeight > 0 ? std::max(m.UsableHeight / lineHeight, 1) : 1;
    m.LineCount = lineCount;
    m.PageCount = (lineCount + m.LinesPerPage - 1) / m.LinesPerPage;
    return m;
}

int PresetToPage(const PrintMetrics& m) {
    return (m.LineCount + m.LinesPerPage - 2) / m.LinesPerPage;
}

PageChoice ChoosePages(const PrintMetrics& m, bool allPages, int fromPage, int toPage) {
    if (allPages) {
        return {1, m.PageCount};
    }
    return {std::max(fromPage, 1), std::min(toPage, m.PageCount)};
}

int FirstLineOfPage(const PrintMetrics& m, int page) {
    return (page - 1) * m.LinesPerPage;
}

} // namespace qx5
