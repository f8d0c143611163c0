// TCalculadora: the loan calculator dialog.
#include "Unit3.h"

#include "KaNumEdit.h"
#include "LoanMath.h"
#include "LocaleSeparators.h"
#include "StringGrid.h"
#include "ui_Unit3.h"

#include <QHeaderView>

#include <cmath>

namespace {

constexpr int GridColumnWidth = 76;
constexpr int GridRowHeight = 21;

} // namespace

TCalculadora::TCalculadora(QWidget* parent) : QDialog(parent), m_ui(new Ui::TCalculadora)
{
    m_ui->setupUi(this);
    setFixedSize(size());
    TStringGrid* grid = m_ui->Tabla;
    for (int column = 0; column < grid->columnCount(); ++column)
        grid->setColumnWidth(column, GridColumnWidth);
    grid->verticalHeader()->setDefaultSectionSize(GridRowHeight);
    grid->horizontalHeader()->setFixedHeight(GridRowHeight);

    connect(m_ui->Button1, &QPushButton::clicked, this, &TCalculadora::Button1Click);
    connect(m_ui->BtnAceptar, &QPushButton::clicked, this, &TCalculadora::BtnAceptarClick);
    connect(m_ui->BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TCalculadora::~TCalculadora()
{
    delete m_ui;
}

TKaNumEdit* TCalculadora::Capital() const
{
    return m_ui->Capital;
}

TKaNumEdit* TCalculadora::Interes() const
{
    return m_ui->Interes;
}

TKaNumEdit* TCalculadora::anios() const
{
    return m_ui->anios;
}

TKaNumEdit* TCalculadora::cuotames() const
{
    return m_ui->cuotames;
}

TKaNumEdit* TCalculadora::cuotanual() const
{
    return m_ui->cuotanual;
}

TStringGrid* TCalculadora::Tabla() const
{
    return m_ui->Tabla;
}

bool TCalculadora::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(e);
}

void TCalculadora::FormActivate()
{
    m_accepted = false;
}

void TCalculadora::BtnAceptarClick()
{
    m_accepted = true;
    accept();
}

void TCalculadora::Button1Click()
{
    const Ui::TCalculadora& u = *m_ui;
    u.cuotames->setValue(
        MonthlyPayment(u.Capital->Value(), u.Interes->Value(), u.anios->Value() * 12));
    u.cuotanual->setValue(u.cuotames->Value() * 12);
    const auto months = static_cast<int>(std::trunc(u.anios->Value())) * 12;

    TStringGrid* grid = u.Tabla;
    grid->setRowCount(months + 1);
    grid->setFixedRows(1);
    const QStringList heading{QStringLiteral("Mes"), QStringLiteral("Amortiz."),
                              QStringLiteral("Interés"), QStringLiteral("Pendiente")};
    for (int column = 0; column < heading.size(); ++column)
        grid->setCell(column, 0, heading[column]);

    const QChar decimal = numedit::CurrentSeparators().decimal;
    for (const ScheduleRow& row : AmortisationSchedule(u.Capital->Value(), u.Interes->Value(),
                                                       u.cuotames->Value(), months)) {
        grid->setCell(0, row.month, QString::number(row.month));
        grid->setCell(1, row.month, numedit::FormatGeneral(row.amortisation, decimal));
        grid->setCell(2, row.month, numedit::FormatGeneral(row.interest, decimal));
        grid->setCell(3, row.month, numedit::FormatGeneral(row.pending, decimal));
    }
}
