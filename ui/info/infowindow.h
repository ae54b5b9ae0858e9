// The information window: the author, two links and "Fermer".
#pragma once

#include <QWidget>

namespace velbrisk::ui {

class InfoWindow : public QWidget
{
    Q_OBJECT
public:
    explicit InfoWindow(QWidget *parent = nullptr);
};

} // namespace velbrisk::ui
