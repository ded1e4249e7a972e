// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// A window made at start-up whose controls come only with its first showing, or with the
// first call that needs them before: the program starts leaner without them. The controls
// are reached only through Ui(), which makes them first, so no method meets one before it
// exists; MakeControls, which makes them, is the one place that fills them in.
#pragma once

#include <optional>

namespace qx5 {

template <class Window, class Controls>
class ControlsAtFirstUse : public Window {
public:
    using Window::Window;

    void setVisible(bool visible) override {
        if (visible) {
            Ui();
        }
        Window::setVisible(visible);
    }

protected:
    Controls& Ui() {
        if (!controls_) {
            MakeControls(controls_.emplace());
        }
        return *controls_;
    }
    bool ControlsMade() const { return controls_.has_value(); }

private:
    virtual void MakeControls(Controls& made) = 0;

    std::optional<Controls> controls_;
};

} // namespace qx5
