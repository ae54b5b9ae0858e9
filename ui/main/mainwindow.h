// The main window: the code boxes, the skin conversions, the batch.
#pragma once

#include <QWidget>

namespace velbrisk::ui {

class MainWindow : public QWidget
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
};

} // namespace velbrisk::ui
