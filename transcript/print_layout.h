// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// How a transcript falls onto printed pages: margins, lines per page, page count, the
// preset range and the pages a choice selects. Plain arithmetic in printer pixels.
#pragma once

namespace qx5 {

struct PrintMetrics {
    int LineHeight = 0;
    int Resolution = 0; // pixels per inch
    int LeftMargin = 0;
    int TopMargin = 0;
    int BottomMargin = 0;
    int UsableHeight = 0;
    int LinesPerPage = 0;
    int LineCount = 0;
    int PageCount = 0;
    bool operator==(const PrintMetrics&) const = default;
};

// Half an inch at the left, an inch at top and bottom; at least one line a page.
PrintMetrics ComputePrintMetrics(int lineHeight, int resolution, int printableHeight,
                                 int lineCount);

// The pages that all lines but the last fill: one less than the page count when the last
// page would hold only the closing blank line.
int PresetToPage(const PrintMetrics& metrics);

struct PageChoice {
    int First = 1;
    int Last = 0;
    bool Empty() const { return Last < First; }
    bool operator==(const PageChoice&) const = default;
};

// All pages, or the range cut to the pages there are. Page 1 is the lowest page.
PageChoice ChoosePages(const PrintMetrics& metrics, bool allPages, int fromPage, int toPage);

// The transcript index of the first line on a page (pages count from 1).
int FirstLineOfPage(const PrintMetrics& metrics, int page);

} // namespace qx5
