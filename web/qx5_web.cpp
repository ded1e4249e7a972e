// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The browser edition's engine side: the one engine state, the generator and the sheet's
// canvas, and what the page calls on them. The page does what the exercise window does
// with the answer box, the buttons and the messages; every rule stays in the engine.
#include "engine/program_texts.h"
#include "engine/series_run.h"
#include "engine/type_settings.h"
#include "layout/sheet_layout.h"
#include "transcript/heading_text.h"
#include "transcript/transcript.h"
#include "web/page_state.h"
#include "web/web_sheet_canvas.h"

#include <cstdint>
#include <emscripten.h>
#include <string>
#include <utility>

namespace {

qx5::EngineState state;
qx5::MersenneRandomSource generator;
qx5::WebSheetCanvas canvas;
// The heading dialog's PrintHeading: empty at first, kept until the page is closed.
std::string printHeading;
// What the last call handed the page; valid until the next call.
std::string reply;

const char* Reply(std::string text) {
    reply = std::move(text);
    return reply.c_str();
}

void NewSeries(bool restart) {
    state.RestartRequested = restart;
    qx5::NewSeries(state, generator, canvas);
}

// The clipboard's plain text as the desktop's hidden text box gives it: a line of one blank
// and then the transcript, every line ended by CR LF.
std::string PlainText(const qx5::Transcript& lines) {
    std::string text = " \r\n";
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

// The same lines as HTML, in the transcript's fixed-pitch face, so that a word processor
// keeps the columns; the text stays text, whatever the heading holds.
std::string HtmlText(const qx5::Transcript& lines) {
    std::string html = "<meta charset=\"utf-8\"><pre style=\"font-family: 'Courier New', "
                       "'Liberation Mono', monospace; font-size: 10pt; color: #000000\"> ";
    for (const std::string& line : lines) {
        html += '\n';
        for (const char c : line) {
            html += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
        }
    }
    return html + "</pre>";
}

// The page's texts by the names it knows them by.
// clang-format off
constexpr std::pair<const char*, const char*> PageTexts[] = {
    {"Version", qx5::VersionText}, {"Maker", qx5::MakerText},
    {"AboutCaption", qx5::AboutCaption}, {"ProductName", qx5::ProductNameText},
    {"ProductTitle", qx5::ProductTitleText}, {"AboutOk", qx5::AboutOkCaption},
    {"FileMenu", qx5::FileMenuCaption}, {"Print", qx5::PrintCaption}, {"Quit", qx5::QuitCaption},
    {"TypeMenu", qx5::TypeMenuCaption}, {"HelpMenu", qx5::HelpMenuCaption},
    {"Guide", qx5::GuideCaption}, {"AboutItem", qx5::AboutItemCaption},
    {"PrintHint", qx5::PrintHint}, {"HeadingHint", qx5::HeadingHint}, {"CopyHint", qx5::CopyHint},
    {"NewSeriesHint", qx5::NewSeriesHint}, {"RestartHint", qx5::RestartHint},
    {"RestartCaption", qx5::RestartCaption}, {"PreviousTypeHint", qx5::PreviousTypeHint},
    {"PreviousTypeCaption", qx5::PreviousTypeCaption}, {"NextTypeHint", qx5::NextTypeHint},
    {"NextTypeCaption", qx5::NextTypeCaption}, {"TooLarge", qx5::TooLargeMessage},
    {"SheetName", qx5::SheetName}, {"AnswerBoxName", qx5::AnswerBoxName},
    {"AnswerBoxDescription", qx5::AnswerBoxDescription}, {"HandIn", qx5::HandInCaption},
    {"ScoreDescription", qx5::ScoreDescription}, {"ResultName", qx5::ResultTextName},
    {"HeadingCaption", qx5::HeadingCaption}, {"HeadingLabel", qx5::HeadingLabelText},
    {"HeadingOk", qx5::HeadingOkCaption}, {"HeadingCancel", qx5::HeadingCancelCaption},
    {"CopyFailed", qx5::CopyFailedMessage}, {"CopyRefused", qx5::CopyRefusedReason},
};
// clang-format on

// The sizes the desktop's windows have too, by name.
constexpr std::pair<const char*, int> PageSizes[] = {
    {"AnswerBoxWidth", qx5::AnswerBoxWidth}, {"AnswerBoxHeight", qx5::AnswerBoxHeight},
    {"AnswerDigits", qx5::AnswerDigits},     {"SheetMinHeight", qx5::SheetMinHeight},
    {"RangeLabelLeft", qx5::RangeLabelLeft}, {"SplashOffsetX", qx5::SplashOffsetX},
    {"SplashOffsetY", qx5::SplashOffsetY},   {"SplashMilliseconds", qx5::SplashMilliseconds},
};

// The width a series of the type needs on the sheet (its header, its box, its error marks),
// from the type's settings alone: a narrow view's sheet is made that wide before the series
// is drawn on it, and scrolls sideways.
std::int32_t SheetWidthOfType(int type) {
    qx5::EngineState settings;
    settings.ExerciseType = type;
    qx5::ApplyTypeSettings(settings);
    const qx5::SheetCanvas::FontState font = canvas.Font;
    canvas.Font.Name = qx5::SheetFontName;
    canvas.Font.Size = qx5::BodyFontSize(settings.BasicMode);
    const std::int32_t width =
        qx5::SheetWidthNeeded(canvas, settings, qx5::CurrentTypeTitle(settings));
    canvas.Font = font;
    return width;
}

} // namespace

extern "C" {

// The page's start: its button face (0x00BBGGRR) and, where the address gives one, a seed;
// otherwise the time of day in milliseconds, as the desktop seeds at its first activation.
EMSCRIPTEN_KEEPALIVE void qx5_start(std::uint32_t face, int hasSeed, std::uint32_t seed) {
    canvas.SetPageFace(face);
    if (hasSeed != 0) {
        generator.Reseed(seed);
    } else {
        generator.ReseedFromClock();
    }
}

// A type chosen from the menu.
EMSCRIPTEN_KEEPALIVE void qx5_show_type(int type) {
    state.ExerciseType = type;
    NewSeries(false);
}

// "Nye opgaver" and "Begynd forfra".
EMSCRIPTEN_KEEPALIVE void qx5_new_series(int restart) {
    NewSeries(restart != 0);
}

// The previous (-1) or next (+1) type, where there is one.
EMSCRIPTEN_KEEPALIVE void qx5_step_type(int delta) {
    const int type = state.ExerciseType + delta;
    if (type >= qx5::FirstExerciseType && type <= qx5::LastExerciseType()) {
        state.ExerciseType = type;
        NewSeries(false);
    }
}

// The answer box's text after Enter: 0 ignored, 1 too large, 2 next step, 3 finished.
EMSCRIPTEN_KEEPALIVE int qx5_submit(const char* typed) {
    return static_cast<int>(qx5::SubmitAnswer(state, generator, canvas, typed).Outcome);
}

// The sheet takes at least the paint area's size.
EMSCRIPTEN_KEEPALIVE void qx5_fit(int width, int height) {
    qx5::FitSheet(canvas, width, height);
}

// The engine's state (page_state.h).
EMSCRIPTEN_KEEPALIVE const char* qx5_state() {
    return Reply(qx5::StateJson(state));
}

// What the page shows besides the sheet: the answer box's row, the sheet's extent, the
// result of a finished series.
EMSCRIPTEN_KEEPALIVE const char* qx5_view() {
    const std::string title = qx5::CurrentTypeTitle(state);
    return Reply(qx5::JsonObject()
                     .Add("AnswerY", state.StepIndex > 0 ? qx5::RowY(canvas, state.StepIndex) : 0)
                     .Add("RowHeight", canvas.TextHeight("H"))
                     .Add("SheetWidth", qx5::SheetWidthNeeded(canvas, state, title))
                     .Add("SheetHeight", qx5::SheetHeightNeeded(canvas, state))
                     .Add("Result", qx5::JsonArray(state.SeriesFinished ? qx5::ResultLines(state)
                                                                        : qx5::Transcript{},
                                                   qx5::JsonString))
                     .Done());
}

// The heading dialog's OK: the heading as the transcript takes it from what was typed or
// pasted (HeadingText, as on the desktop).
EMSCRIPTEN_KEEPALIVE void qx5_set_heading(const char* typed) {
    printHeading = qx5::HeadingText(typed);
}

EMSCRIPTEN_KEEPALIVE const char* qx5_heading() {
    return Reply(printHeading);
}

// A paste into the heading box, as the heading will hold it: an input field would drop its
// line breaks where the desktop keeps them as blanks.
EMSCRIPTEN_KEEPALIVE const char* qx5_heading_text(const char* typed) {
    return Reply(qx5::HeadingText(typed));
}

// What printing and copying take from a finished series, built anew: the transcript's lines,
// the clipboard's plain text and HTML, and the name a PDF of it gets, given the local time.
EMSCRIPTEN_KEEPALIVE const char* qx5_output(int year, int month, int day, int hour, int minute) {
    qx5::Transcript lines;
    qx5::BuildTranscript(state, printHeading, lines);
    return Reply(qx5::JsonObject()
                     .Add("Lines", qx5::JsonArray(lines, qx5::JsonString))
                     .Text("Plain", PlainText(lines))
                     .Text("Html", HtmlText(lines))
                     .Text("PdfName", qx5::ProposedPdfName(printHeading, state.ExerciseType,
                                                           {year, month, day, hour, minute}))
                     .Done());
}

// Everything the page shows or sizes by that the desktop has too: its texts by name, the
// type menu, the sizes the two share and the tool bar's Alt letters.
EMSCRIPTEN_KEEPALIVE const char* qx5_program() {
    qx5::JsonObject texts;
    texts.Text("Caption", std::string(qx5::CaptionPrefix) + qx5::VersionText);
    for (const auto& [name, text] : PageTexts) {
        texts.Text(name, text);
    }
    const std::string types = qx5::JsonArray(qx5::ExerciseTypes, [](const qx5::ExerciseType& row) {
        return qx5::JsonObject()
            .Add("Number", row.Number)
            .Text("Caption", row.Caption)
            .Add("Group", row.Group)
            .Add("SheetWidth", SheetWidthOfType(row.Number))
            .Done();
    });
    const std::string groups = qx5::JsonArray(
        qx5::TypeGroups, [](const qx5::TypeGroup& group) { return qx5::JsonString(group.Label); });
    qx5::JsonObject sizes;
    for (const auto& [name, size] : PageSizes) {
        sizes.Add(name, size);
    }
    qx5::JsonObject keys;
    for (const auto& [control, letter] : qx5::ControlKeys) {
        keys.Text(control, std::string(1, letter));
    }
    return Reply(qx5::JsonObject()
                     .Add("Texts", texts.Done())
                     .Add("Types", types)
                     .Add("Groups", groups)
                     .Add("Sizes", sizes.Done())
                     .Add("Keys", keys.Done())
                     .Done());
}

} // extern "C"
