// DossierDialog: "Informe de Intervención", what the Intervención's report states beyond the
// figures.
#pragma once

#include "Case.h"

#include <QDialog>

namespace Ui {
class DossierDialog;
}

namespace editors {

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
};

} // namespace editors
