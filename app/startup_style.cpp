// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/startup_style.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>

namespace qx5 {

namespace {

// A standard icon, asked of the program's style whenever it is used: the desktop may have
// given the program another style since.
class DeferredStyleIcon final : public QIconEngine {
public:
    explicit DeferredStyleIcon(QStyle::StandardPixmap which)
        : which_(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return Icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Icon().availableSizes(mode, state);
    }
    // Every style has these pictures; saying so costs no loading.
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("DeferredStyleIcon"); }
    QIconEngine* clone() const override { return new DeferredStyleIcon(*this); }

private:
    QIcon Icon() const {
        const QStyle* style = QApplication::style();
        if (const auto* startup = dynamic_cast<const StartupStyle*>(style)) {
            style = startup->baseStyle(); // which would answer with this icon again
        }
        return style->standardIcon(which_);
    }

    QStyle::StandardPixmap which_;
};

} // namespace

QIcon StartupStyle::standardIcon(StandardPixmap which, const QStyleOption* option,
                                 const QWidget* widget) const {
    if (which == SP_ToolBarHorizontalExtensionButton ||
        which == SP_ToolBarVerticalExtensionButton) {
        return QIcon(new DeferredStyleIcon(which));
    }
    return QProxyStyle::standardIcon(which, option, widget);
}

} // namespace qx5
