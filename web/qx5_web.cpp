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
#include <vector>

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
    return Reply(
        "{\"AnswerY\":" +
        std::to_string(state.StepIndex > 0 ? qx5::RowY(canvas, state.StepIndex) : 0) +
        ",\"RowHeight\":" + std::to_string(canvas.TextHeight("H")) +
        ",\"SheetWidth\":" + std::to_string(qx5::SheetWidthNeeded(canvas, state, title)) +
        ",\"SheetHeight\":" + std::to_string(qx5::SheetHeightNeeded(canvas, state)) +
        ",\"Result\":" +
        qx5::JsonStrings(state.SeriesFinished ? qx5::ResultLines(state) : qx5::Transcript{}) + "}");
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
    return Reply("{\"Lines\":" + qx5::JsonStrings(lines) +
                 ",\"Plain\":" + qx5::JsonString(PlainText(lines)) +
                 ",\"Html\":" + qx5::JsonString(HtmlText(lines)) + ",\"PdfName\":" +
                 qx5::JsonString(qx5::ProposedPdfName(printHeading, state.ExerciseType,
                                                      {year, month, day, hour, minute})) +
                 "}");
}

// The program's visible texts, the type menu's captions among them.
EMSCRIPTEN_KEEPALIVE const char* qx5_texts() {
    std::vector<std::string> types;
    for (const qx5::ExerciseType& row : qx5::ExerciseTypes) {
        types.emplace_back(row.Caption);
    }
    std::string json = "{\"Types\":" + qx5::JsonStrings(types);
    const auto add = [&json](const char* name, std::string_view text) {
        json += ",\"" + std::string(name) + "\":" + qx5::JsonString(text);
    };
    add("EvenDivisionGroup", qx5::TypeGroups[1].Label);
    add("IntegerDivisionGroup", qx5::TypeGroups[2].Label);
    add("Caption", std::string(qx5::CaptionPrefix) + qx5::VersionText);
    add("Version", qx5::VersionText);
    add("Maker", qx5::MakerText);
    add("AboutCaption", qx5::AboutCaption);
    add("ProductName", qx5::ProductNameText);
    add("ProductTitle", qx5::ProductTitleText);
    add("AboutOk", qx5::AboutOkCaption);
    add("FileMenu", qx5::FileMenuCaption);
    add("Print", qx5::PrintCaption);
    add("Quit", qx5::QuitCaption);
    add("TypeMenu", qx5::TypeMenuCaption);
    add("HelpMenu", qx5::HelpMenuCaption);
    add("Guide", qx5::GuideCaption);
    add("AboutItem", qx5::AboutItemCaption);
    add("PrintHint", qx5::PrintHint);
    add("HeadingHint", qx5::HeadingHint);
    add("CopyHint", qx5::CopyHint);
    add("NewSeriesHint", qx5::NewSeriesHint);
    add("RestartHint", qx5::RestartHint);
    add("RestartCaption", qx5::RestartCaption);
    add("PreviousTypeHint", qx5::PreviousTypeHint);
    add("PreviousTypeCaption", qx5::PreviousTypeCaption);
    add("NextTypeHint", qx5::NextTypeHint);
    add("NextTypeCaption", qx5::NextTypeCaption);
    add("TooLarge", qx5::TooLargeMessage);
    add("SheetName", qx5::SheetName);
    add("AnswerBoxName", qx5::AnswerBoxName);
    add("AnswerBoxDescription", qx5::AnswerBoxDescription);
    add("ScoreDescription", qx5::ScoreDescription);
    add("ResultName", qx5::ResultTextName);
    add("ButtonKey", qx5::ButtonKeyDescription);
    add("HeadingCaption", qx5::HeadingCaption);
    add("HeadingLabel", qx5::HeadingLabelText);
    add("HeadingOk", qx5::HeadingOkCaption);
    add("HeadingCancel", qx5::HeadingCancelCaption);
    add("CopyFailed", qx5::CopyFailedMessage);
    add("CopyRefused", qx5::CopyRefusedReason);
    return Reply(json + "}");
}

} // extern "C"
