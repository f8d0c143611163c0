// CaseBinding: the windows' amount fields bound once to the case model, by the keys case files
// give their figures.
#include "CaseBinding.h"

#include "AmountEdit.h"
#include "CaseModel.h"
#include "FormFields.h"

#include <QComboBox>
#include <QWidget>

namespace app {

using amount::Amount;
using amount::AmountEdit;

CaseBinding::CaseBinding(CaseModel& model, QWidget* mainForm, QWidget* calculatorForm,
                         QWidget* evolutionForm)
    : QObject(&model), m_model(model)
{
    using borrowing::Case;
    bindRecord(
        mainForm, borrowing::FigureFields, +[](const Case& c) -> auto& { return c.figures; },
        [this](const borrowing::FigureField& f, Amount x) { m_model.setFigure(f.amount, x); });
    bindRecord(
        calculatorForm, borrowing::PlannedLoanFields,
        +[](const Case& c) -> auto& { return c.plannedLoan; },
        [this](const borrowing::PlannedLoanField& f, Amount x) {
            m_model.setPlannedLoanFigure(f.amount, x);
        });
    bindRecord(
        evolutionForm, borrowing::EvolutionFields,
        +[](const Case& c) -> auto& { return c.evolution; },
        [this](const borrowing::Field<borrowing::Evolution>&, Amount x) {
            m_model.setRevenueGrowth(x);
        });
    for (const borrowing::IndicatorField& f : borrowing::IndicatorFields)
        m_results.push_back(editors::formWidget<AmountEdit>(mainForm, f.key));
    const auto& rule = borrowing::choiceField(borrowing::StabilityFields);
    m_spendingRule = editors::formWidget<QComboBox>(mainForm, rule.key);
    for (int option = 0; option < static_cast<int>(rule.words.size()); ++option)
        m_spendingRule->addItem(reports::choiceText(rule.words, option));
    connect(m_spendingRule, &QComboBox::currentIndexChanged, this, [this](int option) {
        if (!m_showing && option >= 0)
            m_model.setSpendingRule(static_cast<borrowing::SpendingRule>(option));
    });

    connect(&model, &CaseModel::changed, this, &CaseBinding::showCase);
    connect(&model, &CaseModel::wasReset, this, &CaseBinding::showResults);
    connect(&model, &CaseModel::assessed, this, &CaseBinding::showResults);
    showCase();
}

template <typename Part, std::size_t N, typename Write>
void CaseBinding::bindRecord(QWidget* form, const std::array<borrowing::Field<Part>, N>& fields,
                             const Part& (*read)(const borrowing::Case&), Write write)
{
    for (const borrowing::Field<Part>& f : fields) {
        if (!f.isNumber())
            continue;
        auto* field = editors::formWidget<AmountEdit>(form, f.key);
        editors::limitTo(field, f.bounds);
        m_inputs.push_back({field,
                            [read, f](const borrowing::Case& c) { return read(c).*f.amount; },
                            [write, f](Amount x) { write(f, x); }});
        // The inputs never move once all are bound.
        const std::size_t index = m_inputs.size() - 1;
        connect(field, &AmountEdit::textChanged, this,
                [this, index] { fieldEdited(m_inputs[index]); });
    }
}

AmountEdit* CaseBinding::fieldOf(Amount borrowing::Figures::*figure) const
{
    const auto at =
        &borrowing::fieldOf(borrowing::FigureFields, figure) - borrowing::FigureFields.data();
    // The figures are bound first, in their table's order.
    return m_inputs[static_cast<std::size_t>(at)].field;
}

void CaseBinding::fieldEdited(const Input& input)
{
    if (m_showing)
        return;
    // A text halfway through typing holds no number yet; the case waits for one.
    Amount value = 0;
    try {
        value = input.field->value();
    } catch (const amount::ConversionError&) {
        return;
    }
    input.write(value);
}

void CaseBinding::checkFields() const
{
    for (const Input& input : m_inputs)
        input.field->value();
}

void CaseBinding::showCase()
{
    m_showing = true;
    m_spendingRule->setCurrentIndex(static_cast<int>(m_model.current().stability.rule));
    for (const Input& input : m_inputs) {
        const Amount value = input.read(m_model.current());
        // A field keeps the text typed into it while that shows the case's figure.
        bool shown = false;
        try {
            const int decimals = input.field->decimals();
            const Amount typed = input.field->value();
            shown = (decimals < 0 ? typed : amount::shownValue(typed, decimals)) == value;
        } catch (const amount::ConversionError&) {
        }
        if (!shown)
            input.field->setValue(value);
    }
    m_showing = false;
}

void CaseBinding::showResults()
{
    const auto& assessment = m_model.assessment();
    for (std::size_t i = 0; i < m_results.size(); ++i) {
        const borrowing::IndicatorField& f = borrowing::IndicatorFields[i];
        m_results[i]->setValue(assessment ? assessment->indicators.*f.amount : Amount{0});
    }
}

} // namespace app
