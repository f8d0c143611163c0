// DossierDialog: "Informe de Intervención", what the Intervención's report states beyond the
// figures.
#include "DossierDialog.h"

#include "AmountEdit.h"
#include "Checks.h"
#include "Command.h"
#include "ui_DossierDialog.h"

namespace editors {

DossierDialog::DossierDialog(QWidget* parent) : QDialog(parent), m_ui(new Ui::DossierDialog)
{
    m_ui->setupUi(this);
    // What a case may hold: amounts of 13 integer digits, none below 0 but the stability.
    for (amount::AmountEdit* field : {m_ui->recursos, m_ui->concertadas, m_ui->pmp}) {
        field->setMaxValue(borrowing::LargestAmount);
        field->setMinValue(0);
    }
    m_ui->estabilidad->setMinValue(-borrowing::LargestAmount);
    m_ui->estabilidad->setMaxValue(borrowing::LargestAmount);
    connect(m_ui->BtnGenerar, &QPushButton::clicked, this,
            command::guarded(this, &DossierDialog::generate));
    connect(m_ui->BtnCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

DossierDialog::~DossierDialog()
{
    delete m_ui;
}

void DossierDialog::setDossier(const borrowing::Dossier& d)
{
    m_ui->objeto->setText(d.subject);
    m_ui->finalidad->setCurrentIndex(d.purpose == borrowing::Purpose::Refinancing ? 1 : 0);
    m_ui->presupuesto->setCurrentIndex(d.budget == borrowing::BudgetState::Extended ? 1 : 0);
    m_ui->prevista->setChecked(d.foreseen);
    m_ui->recursos->setValue(d.ordinaryResources);
    m_ui->concertadas->setValue(d.arrangedThisYear);
    m_ui->estabilidad->setValue(d.stability);
    m_ui->reglagasto->setChecked(d.meetsSpendingRule);
    m_ui->pmp->setValue(d.paymentPeriod);
    m_ui->interventor->setText(d.controller);
    m_ui->lugar->setText(d.place);
}

borrowing::Dossier DossierDialog::dossier() const
{
    return {.subject = m_ui->objeto->text(),
            .purpose = m_ui->finalidad->currentIndex() == 1 ? borrowing::Purpose::Refinancing
                                                            : borrowing::Purpose::Investment,
            .budget = m_ui->presupuesto->currentIndex() == 1 ? borrowing::BudgetState::Extended
                                                             : borrowing::BudgetState::Approved,
            .foreseen = m_ui->prevista->isChecked(),
            .ordinaryResources = m_ui->recursos->value(),
            .arrangedThisYear = m_ui->concertadas->value(),
            .stability = m_ui->estabilidad->value(),
            .meetsSpendingRule = m_ui->reglagasto->isChecked(),
            .paymentPeriod = m_ui->pmp->value(),
            .controller = m_ui->interventor->text(),
            .place = m_ui->lugar->text()};
}

void DossierDialog::generate()
{
    dossier();
    accept();
}

} // namespace editors
