// TCalculadora: the loan calculator dialog.
#pragma once

#include <QDialog>

class TKaNumEdit;
class TStringGrid;

namespace Ui {
class TCalculadora;
}

class TCalculadora final : public QDialog
{
    Q_OBJECT

public:
    explicit TCalculadora(QWidget* parent = nullptr);
    ~TCalculadora() override;

    // True only when the last showing was closed with "Aceptar".
    bool Accepted() const { return m_accepted; }

    TKaNumEdit* Capital() const;
    TKaNumEdit* Interes() const;
    TKaNumEdit* anios() const;
    TKaNumEdit* cuotames() const;
    TKaNumEdit* cuotanual() const;
    TStringGrid* Tabla() const;

    void Button1Click();
    void BtnAceptarClick();

protected:
    bool event(QEvent* e) override;

private:
    void FormActivate();

    Ui::TCalculadora* m_ui;
    bool m_accepted = false;
};
