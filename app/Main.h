// TFormularioPrincipal: the program's main window.
#pragma once

#include <QMainWindow>

class TFormularioPrincipal final : public QMainWindow
{
    Q_OBJECT

public:
    explicit TFormularioPrincipal(QWidget* parent = nullptr);
};
