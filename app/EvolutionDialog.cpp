// EvolutionDialog: "Evolución de la deuda", the debt and its ratio year by year, as a table, a
// chart and a spreadsheet file.
#include "EvolutionDialog.h"

#include "AmountEdit.h"
#include "Checks.h"
#include "Command.h"
#include "DebtChart.h"
#include "FigureTable.h"
#include "LocaleSeparators.h"
#include "Messages.h"
#include "ProjectionTable.h"
#include "Refusals.h"
#include "UserFile.h"
#include "Wording.h"
#include "ui_EvolutionDialog.h"

#include <QFileDialog>
#include <QFileInfo>

#include <stdexcept>

namespace app {

namespace {

QString chooseCsvFile(QWidget* parent)
{
    QFileDialog dialog(parent, reports::exportEvolutionTitle(), reports::evolutionFileName(),
                       reports::csvFileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

} // namespace

EvolutionDialog::EvolutionDialog(QWidget* parent)
    : QDialog(parent), m_ui(new Ui::EvolutionDialog),
      m_chooseCsv([this] { return chooseCsvFile(this); })
{
    m_ui->setupUi(this);
    editors::prepareFigureTable(m_ui->TablaEvolucion, reports::projectionHeadings(),
                                borrowing::ProjectionYears);
    // The growth is a short figure.
    const QFontMetrics metrics(m_ui->crecimiento->font());
    m_ui->crecimiento->setMaximumWidth(metrics.horizontalAdvance(QStringLiteral("-100,00")) +
                                       m_ui->crecimiento->sizeHint().width() -
                                       17 * metrics.horizontalAdvance(u'x'));

    connect(m_ui->BtnExportar, &QPushButton::clicked, this,
            command::guarded(this, &EvolutionDialog::exportCsv));
    connect(m_ui->BtnCerrar, &QPushButton::clicked, this, &QDialog::accept);
}

EvolutionDialog::~EvolutionDialog()
{
    delete m_ui;
}

void EvolutionDialog::showProjection(const borrowing::Projection& projection)
{
    m_projection = projection;
    const amount::Separators separators = amount::currentSeparators();

    m_ui->SituacionActual->setText(reports::currentSituation(m_projection, separators));
    editors::showFigureRows(m_ui->TablaEvolucion,
                            reports::projectionRows(m_projection, separators));
    m_ui->FraseEvolucion->setText(reports::projectionSentence(m_projection));
    m_ui->SinRegistro->setText(m_projection.withoutRegister ? reports::withoutRegisterText()
                                                            : QString());
    m_ui->SinRegistro->setVisible(m_projection.withoutRegister);

    m_ui->GraficoEvolucion->setProjection(m_projection);
}

void EvolutionDialog::exportCsv()
{
    const QString path = m_chooseCsv();
    if (path.isEmpty())
        return;
    try {
        userfile::writeUserFile(path, reports::projectionCsv(m_projection));
    } catch (const userfile::FileError& e) {
        throw std::runtime_error(
            reports::cannotSaveText(QFileInfo(path).fileName(), QString::fromUtf8(e.what()))
                .toStdString());
    }
}

} // namespace app
