// EvolutionDialog: "Evolución de la deuda", the debt and its ratio year by year, as a table, a
// chart and a spreadsheet file.
#include "EvolutionDialog.h"

#include "AmountEdit.h"
#include "Checks.h"
#include "Command.h"
#include "DebtChart.h"
#include "LocaleSeparators.h"
#include "Messages.h"
#include "ProjectionTable.h"
#include "Refusals.h"
#include "UserFile.h"
#include "Wording.h"
#include "ui_EvolutionDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>

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
    QTableWidget* table = m_ui->TablaEvolucion;
    table->setColumnCount(static_cast<int>(reports::projectionHeadings().size()));
    table->setHorizontalHeaderLabels(reports::projectionHeadings());
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->verticalHeader()->hide();
    table->setAlternatingRowColors(true);
    // The ten years in sight without scrolling: rows as high as a line of text.
    const int rowHeight = table->fontMetrics().height() + 6;
    table->verticalHeader()->setDefaultSectionSize(rowHeight);
    table->setMinimumHeight(table->horizontalHeader()->sizeHint().height() +
                            borrowing::ProjectionYears * rowHeight + 2 * table->frameWidth());
    table->setMaximumHeight(table->minimumHeight());
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
    const QList<QStringList> rows = reports::projectionRows(m_projection, separators);
    QTableWidget* table = m_ui->TablaEvolucion;
    table->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < rows[row].size(); ++column) {
            auto* item = new QTableWidgetItem(rows[row][column]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(row, column, item);
        }
    }
    m_ui->FraseEvolucion->setText(reports::projectionSentence(m_projection));
    m_ui->SinRegistro->setText(m_projection.withoutRegister ? reports::withoutRegisterText()
                                                            : QString());
    m_ui->SinRegistro->setVisible(m_projection.withoutRegister);

    m_ui->GraficoEvolucion->setProjection(m_projection);
    // Wide enough for every column.
    table->resizeColumnsToContents();
    int width = 2 * table->frameWidth();
    for (int column = 0; column < table->columnCount(); ++column)
        width += table->columnWidth(column);
    table->setMinimumWidth(width);
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
