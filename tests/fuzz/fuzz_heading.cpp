// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// Any bytes pasted as the heading, through the heading rule and the transcript: the heading
// stays one line, so the transcript never gains or loses one, and what can be read of the
// paste is kept. A C library decoder checks the UTF-8, not the rule's own.
#include "engine/type_settings.h"
#include "transcript/heading_text.h"
#include "transcript/transcript.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cwctype>
#include <iconv.h>
#include <locale.h>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace qx5;

void Fail(const char* what) {
    std::fprintf(stderr, "heading fuzz: %s\n", what);
    std::abort();
}

EngineState FinishedSeries() {
    EngineState s;
    s.ExerciseType = 5;
    ApplyTypeSettings(s);
    s.StepRecords[1].NumberText = "29";
    for (std::int32_t i = 1; i <= s.StepsPerSeries; ++i) {
        s.StepRecords[i].InstructionText = "Læg 1 til";
        s.StepRecords[i].AnswerText = std::to_string(29 + i);
        s.StepRecords[i].Answer = s.StepRecords[i].Expected = 29 + i;
    }
    s.CorrectCount = s.StepsPerSeries;
    return s;
}

const EngineState Series = FinishedSeries();

std::size_t LineCount(std::string_view heading) {
    Transcript t;
    BuildTranscript(Series, heading, t);
    return t.size();
}

const std::size_t WithHeading = LineCount("Ida");
const std::size_t WithoutHeading = LineCount("");

// The text as code points; nothing when it is not UTF-8.
std::optional<std::u32string> CodePoints(std::string_view text) {
    static const iconv_t utf8 = iconv_open("UTF-32LE", "UTF-8");
    std::string out(text.size() * 4, '\0');
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char* to = out.data();
    std::size_t outLeft = out.size();
    iconv(utf8, nullptr, nullptr, nullptr, nullptr);
    if (iconv(utf8, &in, &inLeft, &to, &outLeft) == static_cast<std::size_t>(-1)) {
        return std::nullopt;
    }
    std::u32string codes;
    for (std::size_t i = 0; i + 4 <= out.size() - outLeft; i += 4) {
        const auto byte = [&](std::size_t k) {
            return char32_t(static_cast<unsigned char>(out[i + k]));
        };
        codes += byte(0) | byte(1) << 8U | byte(2) << 16U | byte(3) << 24U;
    }
    return codes;
}

// Where a reader starts a new line (Unicode's mandatory breaks) or Qt's text document its
// own paragraph, line, object or frame.
bool Splits(char32_t c) {
    return (c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029 || c == 0xFFFC ||
           c == 0xFDD0 || c == 0xFDD1;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Letters and punctuation of every script, for the check of what is kept.
    setlocale(LC_ALL, "C.UTF-8");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view pasted(reinterpret_cast<const char*>(data), size);
    const std::string heading = HeadingText(pasted);

    const std::optional<std::u32string> read = CodePoints(heading);
    if (!read) {
        Fail("the heading is not UTF-8");
    }
    for (const char32_t c : *read) {
        if (Splits(c)) {
            Fail("the heading splits its line");
        }
    }
    if (HeadingText(heading) != heading) {
        Fail("the rule changes its own heading");
    }

    Transcript t;
    BuildTranscript(Series, heading, t);
    const bool headed = heading > std::string_view(" ");
    if (t.size() != (headed ? WithHeading : WithoutHeading)) {
        Fail("the transcript's line count changed");
    }
    if (headed && t.front() != heading) {
        Fail("the transcript's first line is not the heading");
    }

    // A paste that is UTF-8 keeps every character but the line-breaking ones, which become
    // blanks; letters, digits, punctuation and symbols stay, Qt's marks aside.
    if (const std::optional<std::u32string> typed = CodePoints(pasted)) {
        if (typed->size() != read->size()) {
            Fail("the heading gained or lost characters");
        }
        for (std::size_t i = 0; i < typed->size(); ++i) {
            const char32_t was = (*typed)[i];
            const char32_t is = (*read)[i];
            if (is != was &&
                (is != U' ' ||
                 ((std::iswalnum(wint_t(was)) || std::iswpunct(wint_t(was))) && !Splits(was)))) {
                Fail("a character that may stand was changed");
            }
        }
    }
    return 0;
}
