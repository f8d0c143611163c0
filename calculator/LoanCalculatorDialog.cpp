// LoanCalculatorDialog: the loan calculator, with its payments and amortisation table.
#include "LoanCalculatorDialog.h"

#include "AmountEdit.h"
#include "Checks.h"
#include "Colours.h"
#include "Command.h"
#include "LoanMath.h"
#include "Messages.h"
#include "Projection.h"
#include "ScheduleModel.h"
#include "Wording.h"
#include "ui_LoanCalculatorDialog.h"

#include <QHeaderView>
#include <QScrollBar>

namespace calculator {

using amount::Amount;
using amount::AmountEdit;

namespace {

constexpr int GridColumnWidth = 76;
constexpr int GridRowHeight = 21;
// The heading and four months.
constexpr int GridMinimumRows = 5;

} // namespace

LoanCalculatorDialog::LoanCalculatorDialog(QWidget* parent)
    : QDialog(parent), m_ui(new Ui::LoanCalculatorDialog), m_schedule(new ScheduleModel(this))
{
    m_ui->setupUi(this);
    QTableView* grid = m_ui->Tabla;
    grid->setModel(m_schedule);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setDefaultSectionSize(GridColumnWidth);
    grid->horizontalHeader()->setFixedHeight(GridRowHeight);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(GridRowHeight);
    // Every column in sight, and the heading over a few rows.
    grid->setMinimumSize(ScheduleModel::ColumnCount * GridColumnWidth +
                             grid->verticalScrollBar()->sizeHint().width() + 2 * grid->frameWidth(),
                         GridMinimumRows * GridRowHeight + 2 * grid->frameWidth());
    // A two-line prudence line does not push the table down.
    m_ui->prudencia->setMinimumHeight(2 * m_ui->prudencia->fontMetrics().lineSpacing());
    applyColours();

    connect(m_schedule, &QAbstractItemModel::modelReset, this, &LoanCalculatorDialog::showHeading);
    connect(m_ui->Button1, &QPushButton::clicked, this,
            command::guarded(this, &LoanCalculatorDialog::calculate));
    connect(m_ui->BtnAceptar, &QPushButton::clicked, this,
            command::guarded(this, &LoanCalculatorDialog::acceptLoan));
    connect(m_ui->BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    // The prudence line follows the rate and the maximum as they are typed.
    for (AmountEdit* field : {m_ui->Interes, m_ui->tipomaximo})
        connect(field, &QLineEdit::textChanged, this, &LoanCalculatorDialog::showPrudence);
}

LoanCalculatorDialog::~LoanCalculatorDialog()
{
    delete m_ui;
}

AmountEdit* LoanCalculatorDialog::capitalField() const
{
    return m_ui->Capital;
}

AmountEdit* LoanCalculatorDialog::rateField() const
{
    return m_ui->Interes;
}

AmountEdit* LoanCalculatorDialog::yearsField() const
{
    return m_ui->anios;
}

AmountEdit* LoanCalculatorDialog::monthlyPaymentField() const
{
    return m_ui->cuotames;
}

AmountEdit* LoanCalculatorDialog::yearlyPaymentField() const
{
    return m_ui->cuotanual;
}

QTableView* LoanCalculatorDialog::table() const
{
    return m_ui->Tabla;
}

void LoanCalculatorDialog::showHeading()
{
    m_ui->Tabla->horizontalHeader()->setVisible(m_schedule->fixedRows() > 0);
}

bool LoanCalculatorDialog::event(QEvent* e)
{
    // Every showing starts unaccepted.
    if (e->type() == QEvent::WindowActivate)
        m_accepted = false;
    return QDialog::event(e);
}

void LoanCalculatorDialog::acceptLoan()
{
    // The yearly payment becomes the new loan's annuity, which a field must be able to hold.
    if (!borrowing::fitsAField(m_quote.yearlyPayment)) {
        throw borrowing::InvalidInput(reports::annuityTooLargeText().toStdString());
    }
    m_accepted = true;
    accept();
}

borrowing::PlannedLoan LoanCalculatorDialog::plannedLoan() const
{
    return {.capital = m_ui->Capital->value(),
            .rate = m_ui->Interes->value(),
            .years = m_ui->anios->value(),
            .accepted = m_accepted,
            .maximumRate = m_ui->tipomaximo->value()};
}

amount::Amount LoanCalculatorDialog::monthlyPayment() const
{
    return m_ui->cuotames->value();
}

amount::Amount LoanCalculatorDialog::yearlyPayment() const
{
    return m_ui->cuotanual->value();
}

void LoanCalculatorDialog::restore(const borrowing::PlannedLoan& loan)
{
    m_ui->Capital->setValue(loan.capital);
    m_ui->Interes->setValue(loan.rate);
    m_ui->anios->setValue(loan.years);
    m_ui->tipomaximo->setValue(loan.maximumRate);
    m_accepted = loan.accepted;
    if (loan.capital == 0 && loan.rate == 0 && loan.years == 0) {
        clearResults();
        return;
    }
    try {
        calculate();
    } catch (const std::exception&) {
        // The same inputs fail again, with their message, when the user calculates.
        clearResults();
    }
}

void LoanCalculatorDialog::clearResults()
{
    m_ui->cuotames->setValue(0);
    m_ui->cuotanual->setValue(0);
    m_ui->vidamedia->setValue(0);
    m_schedule->clear();
    m_quote = {};
}

void LoanCalculatorDialog::calculate()
{
    const Ui::LoanCalculatorDialog& u = *m_ui;
    const borrowing::LoanQuote quote =
        borrowing::quoteLoan(u.Capital->value(), u.Interes->value(), u.anios->value());
    u.cuotames->setValue(quote.monthlyPayment);
    u.cuotanual->setValue(quote.yearlyPayment);
    u.vidamedia->setValue(quote.averageLife);
    m_quote = quote;

    m_schedule->setSchedule(quote.schedule);
}

void LoanCalculatorDialog::showPrudence()
{
    // A field halfway through typing holds no number yet; the line waits for one.
    Amount rate = 0;
    Amount maximum = 0;
    try {
        rate = m_ui->Interes->value();
        maximum = m_ui->tipomaximo->value();
    } catch (const amount::ConversionError&) {
        return;
    }
    const std::optional<bool> prudent = borrowing::meetsPrudence(rate, maximum);
    m_prudenceTone = prudent.value_or(false) ? colours::Tone::Positive : colours::Tone::Negative;
    applyColours();
    m_ui->prudencia->setText(reports::prudenceText(prudent));
}

void LoanCalculatorDialog::applyColours()
{
    // The dialog hears of a new palette before the widgets in it take theirs on, so every
    // colour is chosen from the dialog's own.
    const QPalette& dialog = palette();
    // Disabled fields show their figures on the fill of results, the yearly payment on its own.
    const std::pair<AmountEdit*, colours::Fill> fills[] = {
        {m_ui->Interes, colours::Fill::Result},
        {m_ui->anios, colours::Fill::Result},
        {m_ui->cuotames, colours::Fill::Result},
        {m_ui->cuotanual, colours::Fill::Payment},
        {m_ui->vidamedia, colours::Fill::Result}};
    for (const auto& [field, fill] : fills) {
        const QColor background = colours::fillColour(fill, dialog);
        field->setDisabledColor(background);
        field->setDisabledTextColor(
            colours::textColourOn(colours::Tone::Computed, dialog, {background}));
    }
    // The prudence line's colour repeats what it says.
    m_ui->prudencia->setPalette(colours::withTextTone(dialog, m_prudenceTone));
}

void LoanCalculatorDialog::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::PaletteChange)
        applyColours();
    QDialog::changeEvent(e);
}

QString LoanCalculatorDialog::prudenceLine() const
{
    return m_ui->prudencia->text();
}

Amount LoanCalculatorDialog::averageLife() const
{
    return m_ui->vidamedia->value();
}

} // namespace calculator
