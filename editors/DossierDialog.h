// DossierDialog: "Informe de Intervención", what the Intervención's report states beyond the
// figures.
#pragma once

#include "Case.h"

#include <QDialog>

#include <memory>

namespace Ui {
class DossierDialog;
}

namespace editors {

template <typename Part> class RecordForm;

class DossierDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit DossierDialog(QWidget* parent = nullptr);
    ~DossierDialog() override;

    void setDossier(const borrowing::Dossier& dossier);
    // The dossier as the fields hold it; throws amount::ConversionError for an amount field
    // that holds no number.
    borrowing::Dossier dossier() const;

    // "Generar": closes the dialog accepted once its figures are numbers.
    void generate();

private:
    Ui::DossierDialog* m_ui;
    std::unique_ptr<RecordForm<borrowing::Dossier>> m_form;
};

} // namespace editors
