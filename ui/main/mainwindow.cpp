#include "ui/main/mainwindow.h"

namespace velbrisk::ui {

MainWindow::MainWindow(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Velbrisk    [ par ZeNdAl ]"));
}

} // namespace velbrisk::ui
