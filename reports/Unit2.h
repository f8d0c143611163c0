// TForm2: the results window that shows the quick report.
#pragma once

#include <QDialog>

class TForm2 final : public QDialog
{
    Q_OBJECT

public:
    explicit TForm2(QWidget* parent = nullptr);
};
