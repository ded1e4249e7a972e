// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web/page_state.h"

#include <algorithm>
#include <cstdio>
#include <span>

namespace qx5 {

std::string JsonString(std::string_view text) {
    std::string json = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20U) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + '"';
}

JsonObject& JsonObject::Add(std::string_view name, const std::string& json) {
    json_ += (json_.size() > 1 ? "," : "") + JsonString(name) + ':' + json;
    return *this;
}

namespace {

std::string RecordJson(const opgavelinier& r) {
    return JsonObject()
        .Text("InstructionText", r.InstructionText)
        .Text("NumberText", r.NumberText)
        .Text("OperandText", r.OperandText)
        .Text("AnswerText", r.AnswerText)
        .Text("ExpectedText", r.ExpectedText)
        .Add("Number", r.Number)
        .Add("Operand", r.Operand)
        .Add("Answer", r.Answer)
        .Add("Expected", r.Expected)
        .Done();
}

// The items in use of a one-based array: the first count, as far as there are items.
template <class T, std::size_t N>
std::span<const T> InUse(const OneBased<T, N>& items, std::int32_t count) {
    return std::span(items.Items)
        .first(static_cast<std::size_t>(std::clamp(count, 0, items.Size())));
}

} // namespace

std::string StateJson(const EngineState& s) {
    return JsonObject()
        .Add("ExerciseType", s.ExerciseType)
        .Add("BasicMode", s.BasicMode)
        .Add("Combined", s.Combined)
        .Add("IntegerDivision", s.IntegerDivision)
        .Add("StepsPerSeries", s.StepsPerSeries)
        .Add("AnswerColumnX", s.AnswerColumnX)
        .Add("SheetLeft", s.SheetLeft)
        .Text("RangeLabel", s.RangeLabel)
        .Add("CanAdd", s.CanAdd)
        .Add("CanSubtract", s.CanSubtract)
        .Add("CanMultiply", s.CanMultiply)
        .Add("CanDivide", s.CanDivide)
        .Add("Divisors", JsonArray(InUse(s.Divisors, s.DivisorCount),
                                   [](std::int32_t divisor) { return std::to_string(divisor); }))
        .Add("StartNumber", s.StartNumber)
        .Add("CurrentNumber", s.CurrentNumber)
        .Add("StepIndex", s.StepIndex)
        .Add("Operation", s.Operation)
        .Add("Operand", s.Operand)
        .Text("OperandText", s.OperandText)
        .Add("SecondOperation", s.SecondOperation)
        .Add("SecondOperand", s.SecondOperand)
        .Text("SecondOperandText", s.SecondOperandText)
        .Add("PreviousOperation", s.PreviousOperation)
        .Add("PreviousOperand", s.PreviousOperand)
        .Add("ExpectedResult", s.ExpectedResult)
        .Text("InstructionText", s.InstructionText)
        .Text("AnswerText", s.AnswerText)
        .Add("CorrectCount", s.CorrectCount)
        .Add("RestartRequested", s.RestartRequested)
        .Add("SeriesFinished", s.SeriesFinished)
        .Add("StepRecords", JsonArray(InUse(s.StepRecords, s.StepIndex), RecordJson))
        .Done();
}

} // namespace qx5
