// DossierDialog: "Informe de Intervención", what the Intervención's report states beyond the
// figures.
#include "DossierDialog.h"

#include "Command.h"
#include "FormFields.h"
#include "ui_DossierDialog.h"

namespace editors {

DossierDialog::DossierDialog(QWidget* parent) : QDialog(parent), m_ui(new Ui::DossierDialog)
{
    m_ui->setupUi(this);
    // The fields are named after the dossier's keys, their bounds and options those of its table.
    m_form = std::make_unique<RecordForm<borrowing::Dossier>>(this, borrowing::DossierFields);
    connect(m_ui->BtnGenerar, &QPushButton::clicked, this,
            command::guarded(this, &DossierDialog::generate));
    connect(m_ui->BtnCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

DossierDialog::~DossierDialog()
{
    delete m_ui;
}

void DossierDialog::setDossier(const borrowing::Dossier& dossier)
{
    m_form->show(dossier);
}

borrowing::Dossier DossierDialog::dossier() const
{
    return m_form->shown();
}

void DossierDialog::generate()
{
    dossier();
    accept();
}

} // namespace editors
