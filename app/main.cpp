#include "ui/main/mainwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // No application display name: Qt would append it to every window title.
    QApplication::setApplicationName(QStringLiteral("velbrisk"));
    QApplication::setApplicationVersion(QStringLiteral("2.00"));

    velbrisk::ui::MainWindow window;
    window.show();
    return QApplication::exec();
}
