#include "ui/info/infowindow.h"

namespace velbrisk::ui {

InfoWindow::InfoWindow(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Information..."));
}

} // namespace velbrisk::ui
