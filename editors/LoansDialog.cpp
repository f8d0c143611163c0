// LoansDialog: "Préstamos vigentes", the register of the loans in force.
#include "LoansDialog.h"

#include "Command.h"
#include "FileChooser.h"
#include "LoanCsv.h"
#include "LoansModel.h"
#include "LocaleSeparators.h"
#include "Messages.h"
#include "Refusals.h"
#include "UserFile.h"
#include "Wording.h"
#include "ui_LoansDialog.h"

#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QProgressDialog>

#include <algorithm>
#include <stdexcept>

namespace editors {

namespace {

// Widths of the columns, bank first, unless a heading needs more.
constexpr int ColumnWidths[LoansModel::ColumnCount] = {150, 110, 105, 70, 100, 105, 60, 120, 105};

} // namespace

LoansDialog::LoansDialog(QWidget* parent)
    : QDialog(parent), m_ui(new Ui::LoansDialog), m_editing(new LoansModel(this)),
      m_chooseCsv([this] {
          return chooseFileToImport(this, reports::importLoansTitle(), reports::csvFileFilter());
      })
{
    m_ui->setupUi(this);
    m_ui->TablaPrestamos->setModel(m_editing);
    const QHeaderView* headings = m_ui->TablaPrestamos->horizontalHeader();
    for (int column = 0; column < LoansModel::ColumnCount; ++column) {
        m_ui->TablaPrestamos->setColumnWidth(
            column, std::max(ColumnWidths[column], headings->sectionSizeHint(column)));
    }
    m_ui->TablaPrestamos->setColumnHidden(LoansModel::Holder, true);
    // The line of totals by kind follows every change of the register being edited.
    connect(m_editing, &QAbstractItemModel::modelReset, this, &LoansDialog::showKindTotals);
    connect(m_editing, &QAbstractItemModel::rowsInserted, this, &LoansDialog::showKindTotals);
    connect(m_editing, &QAbstractItemModel::rowsRemoved, this, &LoansDialog::showKindTotals);
    connect(m_editing, &QAbstractItemModel::dataChanged, this, &LoansDialog::showKindTotals);
    connect(m_ui->BtnAnadir, &QPushButton::clicked, this,
            command::guarded(this, &LoansDialog::addLoan));
    connect(m_ui->BtnQuitar, &QPushButton::clicked, this,
            command::guarded(this, &LoansDialog::removeSelectedLoans));
    connect(m_ui->BtnImportar, &QPushButton::clicked, this,
            command::guarded(this, &LoansDialog::importCsv));
    connect(m_ui->BtnAceptar, &QPushButton::clicked, this,
            command::guarded(this, &LoansDialog::acceptLoans));
    connect(m_ui->BtnCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

LoansDialog::~LoansDialog()
{
    // A cell still being edited is committed as the dialog goes: nothing of it is shown then.
    disconnect(m_editing, nullptr, this, nullptr);
    delete m_ui;
}

void LoansDialog::setLoans(std::vector<borrowing::Loan> loans)
{
    m_loans = std::move(loans);
    m_editing->setLoans(m_loans);
}

void LoansDialog::setHolders(const QString& entityName, const QStringList& dependentNames)
{
    m_editing->setHolders(entityName, dependentNames);
    m_ui->TablaPrestamos->setColumnHidden(LoansModel::Holder, dependentNames.isEmpty());
}

void LoansDialog::showEvent(QShowEvent* event)
{
    // Every showing starts from the accepted register, so "Cancelar" undoes what it changed.
    m_editing->setLoans(m_loans);
    QDialog::showEvent(event);
}

void LoansDialog::showKindTotals()
{
    m_ui->TotalesPorTipo->setText(reports::registerFiguresText(
        m_editing->summary(), m_editing->dependentNames(), amount::currentSeparators()));
}

void LoansDialog::addLoan()
{
    const int row = m_editing->appendEmptyLoan();
    m_ui->TablaPrestamos->startEditing(m_editing->index(row, LoansModel::Bank));
}

void LoansDialog::removeSelectedLoans()
{
    const QList<int> rows = m_ui->TablaPrestamos->chosenRows();
    if (rows.isEmpty())
        return;
    m_editing->removeLoans(rows);
    // The table shows where the first loan removed stood.
    const int left = static_cast<int>(m_editing->loans().size());
    if (left > 0) {
        m_ui->TablaPrestamos->scrollTo(
            m_editing->index(std::min(rows.first(), left - 1), LoansModel::Bank));
    }
}

void LoansDialog::importCsv()
{
    const QString path = m_chooseCsv();
    if (path.isEmpty())
        return;
    const QString name = QFileInfo(path).fileName();
    const auto refuse = [&name](const QString& reason) {
        throw std::runtime_error(reports::cannotImportText(name, reason).toStdString());
    };
    std::vector<borrowing::Loan> loans;
    try {
        // A file this large would hold millions of loans, far more than any register.
        constexpr qint64 SizeLimit = qint64{200} << 20;
        const QByteArray bytes = userfile::readUserFile(path, SizeLimit);
        QProgressDialog progress(reports::importingText(name), reports::cancelCaption(), 0, 1000,
                                 this);
        progress.setWindowTitle(reports::importLoansTitle());
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(ProgressDelayMs);
        loans = imports::readLoansCsv(bytes, [&progress](qint64 done, qint64 total) {
            progress.setValue(static_cast<int>(done * 1000 / std::max<qint64>(total, 1)));
            return !progress.wasCanceled();
        });
        std::vector<borrowing::Loan> together = m_editing->loans();
        together.insert(together.end(), loans.begin(), loans.end());
        LoansModel::checkTotals(borrowing::summarise(together));
    } catch (const imports::ReadingCancelled&) {
        return;
    } catch (const userfile::FileError& e) {
        refuse(QString::fromUtf8(e.what()));
    } catch (const borrowing::Refused& e) {
        refuse(reports::refusalText(e.refusal()));
    } catch (const borrowing::InvalidInput& e) {
        refuse(QString::fromUtf8(e.what()));
    }
    m_editing->appendLoans(loans);
}

void LoansDialog::acceptLoans()
{
    // An edit still open is part of what is accepted.
    m_ui->TablaPrestamos->setCurrentIndex({});
    m_editing->checkLoans();
    m_loans = m_editing->loans();
    accept();
}

} // namespace editors
