// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sheet/image_sheet_canvas.h"

#include "common/qt_text.h"
#include "layout/sheet_contrast.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <cmath>

namespace qx5 {

namespace {

int DotsPerMeter(int dpi) {
    return static_cast<int>(std::lround(dpi / 0.0254));
}

Colour FromQColor(const QColor& colour) {
    return static_cast<Colour>(colour.red()) | static_cast<Colour>(colour.green()) << 8 |
           static_cast<Colour>(colour.blue()) << 16;
}

bool SheetTextsRead(const QPalette& palette) {
    return TextsReadOn(FromQColor(palette.color(QPalette::Button)));
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

QColor ImageSheetCanvas::ToQColor(Colour colour) {
    if (colour == ButtonFace) {
        // Asked each time: a drawing done again after the desktop's palette changed follows it.
        const QPalette& desktop = QGuiApplication::palette();
        return SheetTextsRead(desktop) ? desktop.color(QPalette::Button)
                                       : ToQColor(LightButtonFace);
    }
    return QColor(static_cast<int>(colour & 0xFFU), static_cast<int>((colour >> 8) & 0xFFU),
                  static_cast<int>((colour >> 16) & 0xFFU));
}

QPalette ImageSheetCanvas::SheetPalette(const QPalette& desktop) {
    // Qt derives a whole palette, dark texts included, from a light button colour.
    return SheetTextsRead(desktop) ? desktop : QPalette(ToQColor(LightButtonFace));
}

void ImageSheetCanvas::SetDevicePixelRatio(qreal ratio) {
    if (ratio != devicePixelRatio_) {
        devicePixelRatio_ = ratio;
        Redraw();
    }
}

void ImageSheetCanvas::Redraw() {
    // One image at the size the sheet has now, background where a resize added area.
    image_ = NewImage(width_, height_);
    if (!image_.isNull()) {
        image_.fill(ToQColor(ButtonFace));
        if (filled_) {
            QPainter painter(&image_);
            KeepOnly(painter, *filled_);
            painter.fillRect(0, 0, filled_->KeptWidth, filled_->KeptHeight,
                             ToQColor(filled_->Fill));
        }
        for (const Drawing& drawing : drawings_) {
            if (drawing.What == Drawing::Kind::Text) {
                DrawText(drawing, true);
            } else {
                DrawRectangle(drawing, true);
            }
        }
    }
    changed_ = QRegion(0, 0, width_, height_);
}

ImageSheetCanvas::Drawing ImageSheetCanvas::Record(Drawing::Kind kind, std::int32_t a,
                                                   std::int32_t b, std::int32_t c,
                                                   std::int32_t d) const {
    return {kind, a, b, c, d, 0, 0, Font, FillColour, PenColour, width_, height_};
}

void ImageSheetCanvas::KeepOnly(QPainter& painter, const Drawing& drawing) {
    painter.setClipRect(0, 0, drawing.KeptWidth, drawing.KeptHeight);
}

const ImageSheetCanvas::ResolvedFont& ImageSheetCanvas::Resolved(const FontState& wanted) const {
    if (!resolved_ || resolved_->Name != wanted.Name || resolved_->Size != wanted.Size) {
        QFont font(ToQString(wanted.Name));
        font.setStyleHint(QFont::Serif);
        if (wanted.Size > 0) {
            font.setPointSize(wanted.Size);
        }
        const QFont forSheet(font, &measure_);
        resolved_.emplace(
            ResolvedFont{wanted.Name, wanted.Size, forSheet, QFontMetrics(forSheet, &measure_)});
    }
    return *resolved_;
}

void ImageSheetCanvas::TextOut(std::int32_t x, std::int32_t y, std::string_view text) {
    if (image_.isNull()) {
        return;
    }
    drawings_.push_back(Record(Drawing::Kind::Text, x, y, 0, 0));
    drawings_.back().TextStart = texts_.size();
    drawings_.back().TextLength = text.size();
    texts_ += text;
    DrawText(drawings_.back());
}

void ImageSheetCanvas::DrawText(const Drawing& text, bool again) {
    const std::int32_t x = text.A;
    const std::int32_t y = text.B;
    const QFont& font = Resolved(text.TextFont).Font;
    const QFontMetrics& metrics = Resolved(text.TextFont).Metrics;
    const QString string =
        ToQString(std::string_view(texts_).substr(text.TextStart, text.TextLength));
    const QRect cell(x, y, metrics.horizontalAdvance(string), metrics.height());
    QPainter painter(&image_);
    if (again) {
        KeepOnly(painter, text);
    }
    painter.fillRect(cell, ToQColor(text.Fill));
    painter.setFont(font);
    painter.setPen(ToQColor(text.TextFont.Colour));
    painter.drawText(x, y + metrics.ascent(), string);
    // Glyphs may reach a little past their cell (overhangs, anti-aliasing); measuring the
    // ink would shape the text a second time.
    const int reach = metrics.height() / 4;
    Changed(cell.adjusted(-reach, -2, reach, 2));
}

std::int32_t ImageSheetCanvas::TextWidth(std::string_view text) const {
    return Resolved().Metrics.horizontalAdvance(ToQString(text));
}

void ImageSheetCanvas::Rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                                 std::int32_t bottom) {
    if (image_.isNull() || right <= left || bottom <= top) {
        return;
    }
    drawings_.push_back(Record(Drawing::Kind::Rectangle, left, top, right, bottom));
    DrawRectangle(drawings_.back());
}

void ImageSheetCanvas::DrawRectangle(const Drawing& rectangle, bool again) {
    const QRect box(rectangle.A, rectangle.B, rectangle.C - rectangle.A, rectangle.D - rectangle.B);
    const QColor pen = ToQColor(rectangle.Pen);
    // The outline as four one-pixel strips: no pen geometry to be off by one.
    QPainter painter(&image_);
    if (again) {
        KeepOnly(painter, rectangle);
    }
    painter.fillRect(box, ToQColor(rectangle.Fill));
    painter.fillRect(box.left(), box.top(), box.width(), 1, pen);
    painter.fillRect(box.left(), box.bottom(), box.width(), 1, pen);
    painter.fillRect(box.left(), box.top(), 1, box.height(), pen);
    painter.fillRect(box.right(), box.top(), 1, box.height(), pen);
    Changed(box);
}

void ImageSheetCanvas::FillAll() {
    if (!image_.isNull()) {
        image_.fill(ToQColor(FillColour));
    }
    // Nothing drawn before shows any more.
    drawings_.clear();
    texts_.clear();
    filled_ = Record(Drawing::Kind::Fill, 0, 0, 0, 0);
    Changed(QRect(0, 0, width_, height_));
}

void ImageSheetCanvas::Resize(std::int32_t width, std::int32_t height) {
    // Whatever falls outside the new size is lost for good, even if the sheet grows again.
    const auto cut = [&](Drawing& drawing) {
        drawing.KeptWidth = std::min(drawing.KeptWidth, std::max(width, 0));
        drawing.KeptHeight = std::min(drawing.KeptHeight, std::max(height, 0));
    };
    if (filled_) {
        cut(*filled_);
    }
    std::for_each(drawings_.begin(), drawings_.end(), cut);
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
