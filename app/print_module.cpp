// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/print_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace qx5 {

QString PrintModuleFile() {
    // A relative place is taken from the program's folder, so an installed tree can move.
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(QX5_PRINT_MODULE));
}

std::unique_ptr<PrintSession> LoadPrintSession(const QString& file, QWidget* window,
                                               QString& error) {
    QLibrary module(file);
    const auto make =
        reinterpret_cast<MakePrintSessionFunction>(module.resolve(MakePrintSessionSymbol));
    if (!make) {
        error = module.errorString();
        return nullptr;
    }
    return std::unique_ptr<PrintSession>(make(window));
}

} // namespace qx5
