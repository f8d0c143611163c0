// CaseBinding: the windows' amount fields bound once to the case model, by the keys case files
// give their figures.
#pragma once

#include "CaseFields.h"

#include <QObject>

#include <functional>
#include <vector>

class QComboBox;
class QWidget;

namespace amount {
class AmountEdit;
}

namespace app {

class CaseModel;

class CaseBinding final : public QObject
{
    Q_OBJECT

public:
    // The forms whose fields are named after the keys: the main window's figures and results,
    // the loan calculator's inputs and the evolution's growth. Each input takes the values its
    // figure may. Throws std::logic_error naming the first key no field of its form has.
    CaseBinding(CaseModel& model, QWidget* mainForm, QWidget* calculatorForm,
                QWidget* evolutionForm);

    // Reads every bound field's text once more; throws amount::ConversionError for the first
    // that holds no number, as the command that needs the figures would meet it.
    void checkFields() const;
    // The main window's field of a figure.
    amount::AmountEdit* fieldOf(amount::Amount borrowing::Figures::*figure) const;

private:
    struct Input
    {
        amount::AmountEdit* field;
        std::function<amount::Amount(const borrowing::Case&)> read;
        std::function<void(amount::Amount)> write;
    };

    // Binds the number fields of a record that `read` finds in a case and `write` changes.
    template <typename Part, std::size_t N, typename Write>
    void bindRecord(QWidget* form, const std::array<borrowing::Field<Part>, N>& fields,
                    const Part& (*read)(const borrowing::Case&), Write write);
    void fieldEdited(const Input& input);
    // Fields show what the case holds, results what its assessment gives.
    void showCase();
    void showResults();

    CaseModel& m_model;
    std::vector<Input> m_inputs;
    // The expenditure rule's options, in their order.
    QComboBox* m_spendingRule;
    std::vector<amount::AmountEdit*> m_results;
    // Set while the fields are being given the case, whose own edits these are not.
    bool m_showing = false;
};

} // namespace app
