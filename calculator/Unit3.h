// TCalculadora: the loan calculator dialog.
#pragma once

#include <QDialog>

class TCalculadora final : public QDialog
{
    Q_OBJECT

public:
    explicit TCalculadora(QWidget* parent = nullptr);
};
