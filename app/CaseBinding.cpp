// CaseBinding: the windows' amount fields bound once to the case model, by the keys case files
// give their figures.
#include "CaseBinding.h"

#include "AmountEdit.h"
#include "CaseModel.h"
#include "Checks.h"

#include <QWidget>

#include <stdexcept>

namespace app {

using amount::Amount;
using amount::AmountEdit;

AmountEdit* fieldNamed(QWidget* form, const char* name)
{
    auto* field = form->findChild<AmountEdit*>(QLatin1String(name));
    if (!field) {
        throw std::logic_error("The form " + form->objectName().toStdString() +
                               " has no field for the key " + name);
    }
    return field;
}

CaseBinding::CaseBinding(CaseModel& model, QWidget* mainForm, QWidget* calculatorForm,
                         QWidget* evolutionForm)
    : QObject(&model), m_model(model)
{
    for (const borrowing::FigureField& f : borrowing::FigureFields) {
        bindInput(mainForm, f.name,
                  {nullptr, [f](const borrowing::Case& c) { return c.figures.*f.member; },
                   [this, f](Amount x) { m_model.setFigure(f.member, x); }});
    }
    for (const borrowing::PlannedLoanField& f : borrowing::PlannedLoanFields) {
        bindInput(calculatorForm, f.name,
                  {nullptr, [f](const borrowing::Case& c) { return c.plannedLoan.*f.member; },
                   [this, f](Amount x) { m_model.setPlannedLoanFigure(f.member, x); }});
    }
    bindInput(evolutionForm, "CRECIMIENTO",
              {nullptr, [](const borrowing::Case& c) { return c.revenueGrowth; },
               [this](Amount x) { m_model.setRevenueGrowth(x); }});
    for (const borrowing::IndicatorField& f : borrowing::IndicatorFields)
        m_results.push_back(fieldNamed(mainForm, f.name));
    // Typing keeps every figure within what a case may hold.
    for (std::size_t i = 0; i < borrowing::FigureFields.size(); ++i) {
        m_inputs[i].field->setMinValue(borrowing::lowestFigure(borrowing::FigureFields[i].member));
        m_inputs[i].field->setMaxValue(borrowing::LargestAmount);
    }

    connect(&model, &CaseModel::changed, this, &CaseBinding::showCase);
    connect(&model, &CaseModel::wasReset, this, &CaseBinding::showResults);
    connect(&model, &CaseModel::assessed, this, &CaseBinding::showResults);
    showCase();
}

void CaseBinding::bindInput(QWidget* form, const char* name, Input input)
{
    input.field = fieldNamed(form, name);
    m_inputs.push_back(std::move(input));
    // The inputs never move once all are bound.
    const std::size_t index = m_inputs.size() - 1;
    connect(m_inputs.back().field, &AmountEdit::textChanged, this,
            [this, index] { fieldEdited(m_inputs[index]); });
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
        m_results[i]->setValue(assessment ? assessment->indicators.*f.member : Amount{0});
    }
}

} // namespace app
