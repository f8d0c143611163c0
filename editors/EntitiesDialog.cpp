// EntitiesDialog: "Entidades dependientes", the entities of the group and what they give.
#include "EntitiesDialog.h"

#include "Command.h"
#include "EntitiesModel.h"
#include "Messages.h"
#include "ui_EntitiesDialog.h"

#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

namespace editors {

namespace {

// Widths of the columns, name first, unless a heading needs more.
constexpr int ColumnWidths[EntitiesModel::ColumnCount] = {200, 160, 130, 130, 130, 150};
// The group's table: the entity's name takes the width left; the other columns are as wide as
// their texts, and at least this, which leaves their headings two lines.
constexpr int GroupColumnWidths[] = {0, 0, 95, 95, 120, 95, 95, 95};

bool askRemovalInABox(QWidget* parent, const QString& question)
{
    QMessageBox box(QMessageBox::Question, command::boxTitle(), question, QMessageBox::NoButton,
                    parent);
    QPushButton* remove = box.addButton(reports::removeCaption(), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(reports::cancelCaption(), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == remove;
}

} // namespace

EntitiesDialog::EntitiesDialog(QWidget* parent)
    : QDialog(parent), m_ui(new Ui::EntitiesDialog), m_editing(new EntitiesModel(this)),
      m_askRemoval([this](const QString& question) { return askRemovalInABox(this, question); })
{
    m_ui->setupUi(this);
    m_ui->TablaEntidades->setModel(m_editing);
    const QHeaderView* headings = m_ui->TablaEntidades->horizontalHeader();
    for (int column = 0; column < EntitiesModel::ColumnCount; ++column) {
        m_ui->TablaEntidades->setColumnWidth(
            column, std::max(ColumnWidths[column], headings->sectionSizeHint(column)));
    }
    QHeaderView* groupHeadings = m_ui->TablaGrupo->horizontalHeader();
    // The long headings take two lines, so that the whole group fits the dialog's width.
    groupHeadings->setDefaultAlignment(Qt::AlignCenter | Qt::Alignment::fromInt(Qt::TextWordWrap));
    groupHeadings->setMinimumHeight(groupHeadings->sizeHint().height() +
                                    groupHeadings->fontMetrics().lineSpacing());
    groupHeadings->setSectionResizeMode(0, QHeaderView::Stretch);
    m_ui->TablaGrupo->verticalHeader()->setDefaultSectionSize(
        m_ui->TablaEntidades->verticalHeader()->defaultSectionSize());
    // The columns' widths before there is a group to show.
    showGroup({}, {});
    // The main window assesses the case with the list being edited at each change.
    connect(m_editing, &QAbstractItemModel::modelReset, this, &EntitiesDialog::edited);
    connect(m_editing, &QAbstractItemModel::rowsInserted, this, &EntitiesDialog::edited);
    connect(m_editing, &QAbstractItemModel::rowsRemoved, this, &EntitiesDialog::edited);
    connect(m_editing, &QAbstractItemModel::dataChanged, this, &EntitiesDialog::edited);
    connect(m_ui->BtnAnadir, &QPushButton::clicked, this,
            command::guarded(this, &EntitiesDialog::addEntity));
    connect(m_ui->BtnQuitar, &QPushButton::clicked, this,
            command::guarded(this, &EntitiesDialog::removeSelectedEntities));
    connect(m_ui->BtnAceptar, &QPushButton::clicked, this,
            command::guarded(this, &EntitiesDialog::acceptEntities));
    connect(m_ui->BtnCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

EntitiesDialog::~EntitiesDialog()
{
    // A cell still being edited is committed as the dialog goes: nothing of it is shown then.
    disconnect(m_editing, nullptr, this, nullptr);
    delete m_ui;
}

void EntitiesDialog::setCase(std::vector<borrowing::DependentEntity> entities,
                             std::vector<borrowing::Loan> loans)
{
    m_entities = std::move(entities);
    m_loans = std::move(loans);
    m_editing->setCase(m_entities, m_loans);
}

const std::vector<borrowing::DependentEntity>& EntitiesDialog::editedEntities() const
{
    return m_editing->entities();
}

const std::vector<borrowing::Loan>& EntitiesDialog::editedLoans() const
{
    return m_editing->loans();
}

void EntitiesDialog::showGroup(const QList<QStringList>& rows, const QStringList& warnings)
{
    QTableWidget* table = m_ui->TablaGrupo;
    QFont bold = table->font();
    bold.setBold(true);
    table->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < table->columnCount(); ++column) {
            auto* item = new QTableWidgetItem(rows[row].value(column));
            item->setFlags(Qt::ItemIsEnabled);
            // The entity and its kind read as words, the figures line up on the right.
            item->setTextAlignment(column < 2 ? Qt::AlignLeft | Qt::AlignVCenter
                                              : Qt::AlignRight | Qt::AlignVCenter);
            // The consolidated row comes last.
            if (row == rows.size() - 1)
                item->setFont(bold);
            table->setItem(row, column, item);
        }
    }
    for (int column = 1; column < table->columnCount(); ++column) {
        int width = GroupColumnWidths[column];
        // A text's width, and the grid's line.
        for (int row = 0; row < table->rowCount(); ++row) {
            const QModelIndex index = table->model()->index(row, column);
            width = std::max(width, table->sizeHintForIndex(index).width() + 1);
        }
        table->setColumnWidth(column, width);
    }
    m_ui->AvisosGrupo->setText(warnings.join(u'\n'));
}

void EntitiesDialog::showEvent(QShowEvent* event)
{
    // Every showing starts from the accepted list, so "Cancelar" undoes what it changed.
    m_editing->setCase(m_entities, m_loans);
    QDialog::showEvent(event);
}

void EntitiesDialog::addEntity()
{
    const int row = m_editing->appendEmptyEntity();
    m_ui->TablaEntidades->startEditing(m_editing->index(row, EntitiesModel::Name));
}

void EntitiesDialog::removeSelectedEntities()
{
    // Asked from the top down, removed from the bottom up so that the rows keep their places.
    QList<int> removed;
    for (const int row : m_ui->TablaEntidades->chosenRows()) {
        const int loans = m_editing->loanCount(row);
        const QString& name = m_editing->entities().at(static_cast<std::size_t>(row)).name;
        if (loans == 0 || m_askRemoval(reports::entityRemovalQuestion(name, loans)))
            removed.prepend(row);
    }
    for (const int row : removed)
        m_editing->removeEntity(row);
}

void EntitiesDialog::acceptEntities()
{
    // An edit still open is part of what is accepted.
    m_ui->TablaEntidades->setCurrentIndex({});
    m_editing->checkEntities();
    m_entities = m_editing->entities();
    m_loans = m_editing->loans();
    accept();
}

} // namespace editors
