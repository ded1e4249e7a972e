// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/help_viewer.h"

#include "common/qt_text.h"
#include "engine/program_texts.h"

#include <QAction>
#include <QFileInfo>
#include <QMessageBox>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace qx5 {

namespace {

constexpr const char* DocumentName = "qx5_help.html";
constexpr const char* BrowserName = "helpBrowser";

// The program may name its help file with the folder it was installed in, in either
// style of path; only the file name itself decides which document is meant.
QString BareFileName(const QString& helpFile) {
    const qsizetype slash = std::max(helpFile.lastIndexOf(u'/'), helpFile.lastIndexOf(u'\\'));
    return helpFile.mid(slash + 1).trimmed();
}

// Resources need the qrc scheme; anything else is a folder on disk.
QUrl DocumentUrl(const QString& path) {
    return path.startsWith(u':') ? QUrl(QStringLiteral("qrc") + path)
                                 : QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
}

QWidget* MakeWindow(QWidget* iconSource) {
    // A window of its own rather than a child of the main window, so it can sit beside the
    // exercise sheet; it must not keep the program running once the main window closes.
    auto* window = new QWidget(nullptr, Qt::Window);
    window->setAttribute(Qt::WA_QuitOnClose, false);
    window->setObjectName(QStringLiteral("helpWindow"));
    window->setWindowTitle(ToQString(HelpWindowCaption));
    if (iconSource && !iconSource->window()->windowIcon().isNull()) {
        window->setWindowIcon(iconSource->window()->windowIcon());
    }
    window->resize(720, 640);

    auto* browser = new QTextBrowser(window);
    browser->setObjectName(QLatin1String(BrowserName));
    browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);

    // Esc and the desktop's close key (Ctrl+W) close the guide, as in other help windows.
    auto* close = new QAction(window);
    close->setShortcuts(QKeySequence::keyBindings(QKeySequence::Close) << Qt::Key_Escape);
    QObject::connect(close, &QAction::triggered, window, &QWidget::close);
    window->addAction(close);
    return window;
}

} // namespace

HelpViewer::HelpViewer(QWidget* messageParent, QString documentRoot)
    : messageParent_(messageParent)
    , documentRoot_(std::move(documentRoot)) {}

HelpViewer::~HelpViewer() {
    delete window_;
}

bool HelpViewer::ShowHelp(const QString& helpFile, int /*command*/, int /*data*/) {
    // Only a contents page exists, so every command (a context number, a keyword search,
    // ...) lands on the contents, which links to every section; data picks nothing then.
    QString path;
    if (BareFileName(helpFile).compare(QLatin1String(HelpFileName), Qt::CaseInsensitive) == 0) {
        path = documentRoot_ + u'/' + QLatin1String(DocumentName);
    }
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        QMessageBox box(QMessageBox::Warning, ToQString(HelpMissingCaption),
                        ToQString(HelpMissingMessage).arg(helpFile), QMessageBox::Ok,
                        messageParent_);
        box.exec();
        return false;
    }

    if (!window_) {
        window_ = MakeWindow(messageParent_);
    }
    auto* browser = window_->findChild<QTextBrowser*>(QLatin1String(BrowserName));
    const QUrl url = DocumentUrl(path);
    if (browser->source().adjusted(QUrl::RemoveFragment) != url) {
        browser->setSource(url);
    }
    // The contents list heads the document; a pupil may have followed a link or scrolled.
    browser->horizontalScrollBar()->setValue(0);
    browser->verticalScrollBar()->setValue(0);

    if (window_->isMinimized()) {
        window_->showNormal();
    } else {
        window_->show();
    }
    window_->raise();
    window_->activateWindow();
    return true;
}

} // namespace qx5
