// The main window: the program's dispatcher of forms. Its menus, status panel,
// speed buttons and the year's data preparation are added as the core lands.
#pragma once

#include <QMainWindow>

class TFomenuForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TFomenuForm(QWidget* parent = nullptr);
};
