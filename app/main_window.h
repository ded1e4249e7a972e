// The main window: a white, maximised window that will hold the menu and the exercise window.
#pragma once

#include <QMainWindow>

namespace qx5 {

class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);
};

} // namespace qx5
