// PlanDialog: "Plan de saneamiento", the financial recovery plan: its years, how revenue and
// spending grow, each year's measures, and the plan's table as they leave it.
#include "PlanDialog.h"

#include "Checks.h"
#include "Command.h"
#include "FigureTable.h"
#include "FormFields.h"
#include "LocaleSeparators.h"
#include "PlanTable.h"
#include "Refusals.h"
#include "ui_PlanDialog.h"

#include <QLabel>

#include <algorithm>

namespace editors {

namespace {

// The plan's years as the field holds them, within those the table has rows for.
int yearsShown(amount::Amount years)
{
    return std::clamp(static_cast<int>(years), 0, borrowing::LongestPlan);
}

} // namespace

PlanDialog::PlanDialog(QWidget* parent) : QDialog(parent), m_ui(new Ui::PlanDialog)
{
    m_ui->setupUi(this);
    m_form = std::make_unique<RecordForm<borrowing::RecoveryPlan>>(this, borrowing::PlanFields);
    // The revenue's growth is the evolution's.
    limitTo(m_ui->crecimiento,
            borrowing::fieldOf(borrowing::EvolutionFields, &borrowing::Evolution::growth).bounds);

    // The measures: a row a year, a column for each of a year's figures.
    QGridLayout* grid = m_ui->RejillaMedidas;
    for (std::size_t column = 0; column < borrowing::MeasureFields.size(); ++column) {
        auto* heading = new QLabel(QString::fromUtf8(borrowing::MeasureFields[column].label));
        heading->setAlignment(Qt::AlignCenter);
        grid->addWidget(heading, 0, static_cast<int>(column) + 1);
    }
    for (int year = 1; year <= borrowing::LongestPlan; ++year) {
        const QString yearText = QStringLiteral("Año %1").arg(year);
        grid->addWidget(new QLabel(yearText), year, 0);
        for (std::size_t column = 0; column < borrowing::MeasureFields.size(); ++column) {
            const borrowing::Field<borrowing::PlanMeasures>& field =
                borrowing::MeasureFields[column];
            auto* edit = new amount::AmountEdit;
            edit->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(field.key)).arg(year));
            edit->setAccessibleName(
                QStringLiteral("%1, %2").arg(yearText, QString::fromUtf8(field.label)));
            edit->setDecimals(field.decimals);
            limitTo(edit, field.bounds);
            grid->addWidget(edit, year, static_cast<int>(column) + 1);
            m_measures[static_cast<std::size_t>(year - 1)][column] = edit;
        }
    }

    prepareFigureTable(m_ui->TablaPlan, reports::planHeadings(), borrowing::LongestPlan);

    // Fields as wide as the largest amount; Tab goes through them in reading order.
    const int fieldWidth = QFontMetrics(m_ui->anios->font())
                               .horizontalAdvance(QStringLiteral("9.999.999.999.999,99")) +
                           m_ui->anios->sizeHint().height();
    QWidget* previous = m_ui->crecimiento_gastos;
    for (amount::AmountEdit* edit : amountFieldsOf(this)) {
        edit->setFixedWidth(fieldWidth);
        connect(edit, &QLineEdit::textChanged, this, &PlanDialog::changed);
    }
    for (const auto& year : m_measures) {
        for (amount::AmountEdit* edit : year) {
            setTabOrder(previous, edit);
            previous = edit;
        }
    }
    setTabOrder(previous, m_ui->BtnAceptar);
    connect(m_ui->anios, &QLineEdit::textChanged, this, &PlanDialog::showYears);
    connect(m_ui->BtnAceptar, &QPushButton::clicked, this,
            command::guarded(this, &PlanDialog::acceptPlan));
    connect(m_ui->BtnCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

PlanDialog::~PlanDialog()
{
    delete m_ui;
}

void PlanDialog::setPlan(const borrowing::RecoveryPlan& plan, amount::Amount revenueGrowth)
{
    m_form->show(plan);
    m_ui->crecimiento->setValue(revenueGrowth);
    for (std::size_t year = 0; year < m_measures.size(); ++year) {
        const borrowing::PlanMeasures measures =
            year < plan.measures.size() ? plan.measures[year] : borrowing::PlanMeasures{};
        for (std::size_t column = 0; column < borrowing::MeasureFields.size(); ++column)
            m_measures[year][column]->setValue(measures.*borrowing::MeasureFields[column].amount);
    }
    showYears();
}

PlanDialog::Edited PlanDialog::read() const
{
    Edited e{.plan = m_form->shown(), .revenueGrowth = m_ui->crecimiento->value()};
    for (int year = 0; year < yearsShown(e.plan.years); ++year) {
        borrowing::PlanMeasures measures;
        for (std::size_t column = 0; column < borrowing::MeasureFields.size(); ++column) {
            measures.*borrowing::MeasureFields[column].amount =
                m_measures[static_cast<std::size_t>(year)][column]->value();
        }
        e.plan.measures.push_back(measures);
    }
    return e;
}

std::optional<PlanDialog::Edited> PlanDialog::edited() const
{
    try {
        return read();
    } catch (const amount::ConversionError&) {
        return std::nullopt;
    }
}

void PlanDialog::showOutcome(const borrowing::PlanOutcome& outcome)
{
    const amount::Separators separators = amount::currentSeparators();
    showFigureRows(m_ui->TablaPlan, reports::planRows(outcome, separators));
    QStringList lines = reports::planSentences(outcome, separators);
    if (outcome.notNeeded)
        lines.prepend(reports::planNotNeededText());
    m_ui->LabelPlan->setText(lines.join(u'\n'));
}

void PlanDialog::acceptPlan()
{
    if (const auto refusal = borrowing::planProblem(read().plan))
        throw borrowing::InvalidInput(reports::cellRefusalText(*refusal).toStdString());
    accept();
}

void PlanDialog::showYears()
{
    const std::optional<Edited> e = edited();
    const int years = e ? yearsShown(e->plan.years) : borrowing::LongestPlan;
    for (int item = 0; item < m_ui->RejillaMedidas->count(); ++item) {
        int row = 0;
        int column = 0;
        int rowSpan = 0;
        int columnSpan = 0;
        m_ui->RejillaMedidas->getItemPosition(item, &row, &column, &rowSpan, &columnSpan);
        m_ui->RejillaMedidas->itemAt(item)->widget()->setVisible(row <= years);
    }
}

} // namespace editors
