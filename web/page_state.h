// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The engine's state as JSON, for the page, which reads the series from it, and for
// comparing the browser's engine with the desktop's: both write it with this code.
#pragma once

#include "engine/engine_state.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qx5 {

// Every field but the type titles (CurrentTypeTitle gives the one in use): the type's
// settings, the generator's working fields and the series with its answered steps.
std::string StateJson(const EngineState& s);

// A JSON string, quoted, with what must be escaped escaped.
std::string JsonString(std::string_view text);
// A JSON array of the items, each written by json.
template <class Items, class Json>
std::string JsonArray(const Items& items, Json json) {
    std::string array = "[";
    for (const auto& item : items) {
        array += (array.size() > 1 ? "," : "") + json(item);
    }
    return array + ']';
}

// A JSON object, a member at a time: "name":value, with the comma before all but the first.
class JsonObject {
public:
    // A value that is JSON already: an array, an object.
    JsonObject& Add(std::string_view name, const std::string& json);
    JsonObject& Add(std::string_view name, std::int32_t value) {
        return Add(name, std::to_string(value));
    }
    JsonObject& Add(std::string_view name, bool value) {
        return Add(name, std::string(value ? "true" : "false"));
    }
    JsonObject& Text(std::string_view name, std::string_view value) {
        return Add(name, JsonString(value));
    }
    std::string Done() const { return json_ + '}'; }

private:
    std::string json_ = "{";
};

} // namespace qx5
