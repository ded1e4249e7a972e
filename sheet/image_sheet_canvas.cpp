// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "image_sheet_canvas.h"

#include "qt_text.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <cmath>
#include <utility>

namespace qx5 {

namespace {

int DotsPerMeter(int dpi) {
    return static_cast<int>(std::lround(dpi / 0.0254));
}

} // namespace

ImageSheetCanvas::ImageSheetCanvas(int dpi, qreal devicePixelRatio)
    : dpi_(dpi)
    , devicePixelRatio_(devicePixelRatio)
    , measure_(NewImage(1, 1)) {}

QImage ImageSheetCanvas::NewImage(std::int32_t width, std::int32_t height) const {
    if (width <= 0 || height <= 0) {
        return {};
    }
    QImage image(static_cast<int>(std::ceil(width * devicePixelRatio_)),
                 static_cast<int>(std::ceil(height * devicePixelRatio_)), QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio_);
    image.setDotsPerMeterX(DotsPerMeter(dpi_));
    image.setDotsPerMeterY(DotsPerMeter(dpi_));
    return image;
}

QRegion ImageSheetCanvas::TakeChangedArea() {
    return std::exchange(changed_, QRegion());
}

void ImageSheetCanvas::Changed(const QRect& area) {
    changed_ += area & QRect(0, 0, width_, height_);
}

QColor ImageSheetCanvas::ToQColor(Colour colour) {
    if (colour == ButtonFace) {
        return QGuiApplication::palette().color(QPalette::Button);
    }
    return QColor(static_cast<int>(colour & 0xFFU), static_cast<int>((colour >> 8) & 0xFFU),
                  static_cast<int>((colour >> 16) & 0xFFU));
}

QFont ImageSheetCanvas::CurrentFont() const {
    return Resolved().Font;
}

const ImageSheetCanvas::ResolvedFont& ImageSheetCanvas::Resolved() const {
    if (!resolved_ || resolved_->Name != Font.Name || resolved_->Size != Font.Size) {
        QFont font(ToQString(Font.Name));
        font.setStyleHint(QFont::Serif);
        if (Font.Size > 0) {
            font.setPointSize(Font.Size);
        }
        const QFont forSheet(font, &measure_);
        resolved_.emplace(
            ResolvedFont{Font.Name, Font.Size, forSheet, QFontMetrics(forSheet, &measure_)});
    }
    return *resolved_;
}

void ImageSheetCanvas::TextOut(std::int32_t x, std::int32_t y, std::string_view text) {
    if (image_.isNull()) {
        return;
    }
    const QFont& font = Resolved().Font;
    const QFontMetrics& metrics = Resolved().Metrics;
    const QString string = ToQString(text);
    const QRect cell(x, y, metrics.horizontalAdvance(string), metrics.height());
    QPainter painter(&image_);
    painter.fillRect(cell, ToQColor(FillColour));
    painter.setFont(font);
    painter.setPen(ToQColor(Font.Colour));
    painter.drawText(x, y + metrics.ascent(), string);
    // Glyphs may reach a little past their cell (overhangs, anti-aliasing); measuring the
    // ink would shape the text a second time.
    const int reach = metrics.height() / 4;
    Changed(cell.adjusted(-reach, -2, reach, 2));
}

std::int32_t ImageSheetCanvas::TextWidth(std::string_view text) const {
    return Resolved().Metrics.horizontalAdvance(ToQString(text));
}

std::int32_t ImageSheetCanvas::TextHeight(std::string_view) const {
    return Resolved().Metrics.height();
}

void ImageSheetCanvas::Rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                                 std::int32_t bottom) {
    if (image_.isNull() || right <= left || bottom <= top) {
        return;
    }
    const std::int32_t width = right - left;
    const std::int32_t height = bottom - top;
    const QColor pen = ToQColor(PenColour);
    // The outline as four one-pixel strips: no pen geometry to be off by one.
    QPainter painter(&image_);
    painter.fillRect(left, top, width, height, ToQColor(FillColour));
    painter.fillRect(left, top, width, 1, pen);
    painter.fillRect(left, bottom - 1, width, 1, pen);
    painter.fillRect(left, top, 1, height, pen);
    painter.fillRect(right - 1, top, 1, height, pen);
    Changed(QRect(left, top, width, height));
}

void ImageSheetCanvas::FillAll() {
    if (!image_.isNull()) {
        image_.fill(ToQColor(FillColour));
    }
    Changed(QRect(0, 0, width_, height_));
}

void ImageSheetCanvas::Resize(std::int32_t width, std::int32_t height) {
    QImage next = NewImage(width, height);
    if (!next.isNull()) {
        next.fill(ToQColor(ButtonFace));
        if (!image_.isNull()) {
            QPainter painter(&next);
            painter.drawImage(0, 0, image_);
        }
    }
    image_ = next;
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    Changed(QRect(0, 0, width_, height_));
}

} // namespace qx5
