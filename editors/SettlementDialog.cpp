// SettlementDialog: "Importar liquidación", the entity whose settlement is imported, found as
// its name is typed, and the chapters it fills.
#include "SettlementDialog.h"

#include "Checks.h"
#include "LocaleSeparators.h"
#include "Refusals.h"
#include "Wording.h"
#include "ui_SettlementDialog.h"

#include <QHeaderView>
#include <QLayout>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>

#include <algorithm>

namespace editors {

namespace {

// Where an entity's row keeps its place in the list, and the text a search looks in.
constexpr int PlaceRole = Qt::UserRole;
constexpr int SearchRole = Qt::UserRole + 1;

enum Column
{
    Name,
    Code,
    Population,
    ColumnCount
};

} // namespace

SettlementDialog::SettlementDialog(QWidget* parent)
    : QDialog(parent), m_ui(new Ui::SettlementDialog), m_entities(new QStandardItemModel(this)),
      m_found(new QSortFilterProxyModel(this))
{
    m_ui->setupUi(this);
    m_entities->setHorizontalHeaderLabels(
        {QStringLiteral("Entidad"), QStringLiteral("Código"), QStringLiteral("Población")});
    m_found->setSourceModel(m_entities);
    m_found->setFilterRole(SearchRole);
    m_ui->TablaEntidades->setModel(m_found);
    m_ui->TablaEntidades->setColumnWidth(Name, 300);
    m_ui->TablaEntidades->setColumnWidth(Code, 150);
    // Every chapter in sight, without scrolling; the entities take the height left.
    QTableWidget* chapters = m_ui->TablaCapitulos;
    chapters->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    chapters->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    chapters->setFixedHeight(chapters->horizontalHeader()->sizeHint().height() +
                             chapters->verticalHeader()->length() + 2 * chapters->frameWidth());
    connect(m_ui->Buscar, &QLineEdit::textChanged, this, &SettlementDialog::search);
    connect(m_ui->TablaEntidades->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &SettlementDialog::showChosen);
    connect(m_ui->BtnAceptar, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->BtnCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

SettlementDialog::~SettlementDialog()
{
    delete m_ui;
}

void SettlementDialog::setTable(const imports::SettlementTable& table,
                                const std::vector<imports::InventoryEntity>& inventory)
{
    m_table = &table;
    m_listed = table.namesEntities() ? imports::listedEntities(table.entities(), inventory)
                                     : std::vector<imports::InventoryEntity>();
    m_entities->removeRows(0, m_entities->rowCount());
    for (std::size_t place = 0; place < m_listed.size(); ++place) {
        const imports::InventoryEntity& entity = m_listed[place];
        // An entity the inventory lacks is known by its idente alone.
        const QString code = entity.code.isEmpty() ? entity.id : entity.code;
        QList<QStandardItem*> row{new QStandardItem(entity.name), new QStandardItem(code),
                                  new QStandardItem(entity.population)};
        row[Name]->setData(static_cast<qulonglong>(place), PlaceRole);
        row[Name]->setData(
            borrowing::comparableName(entity.name + u'\n' + code + u'\n' + entity.id), SearchRole);
        row[Population]->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_entities->appendRow(row);
    }
    // Without the inventory the entities have their identes alone: no empty columns.
    const bool named =
        std::any_of(m_listed.begin(), m_listed.end(),
                    [](const imports::InventoryEntity& e) { return !e.name.isEmpty(); });
    m_ui->TablaEntidades->setColumnHidden(Name, !named);
    m_ui->TablaEntidades->setColumnHidden(Population, !named);
    const bool choosing = table.namesEntities();
    for (QWidget* widget : std::initializer_list<QWidget*>{
             m_ui->LabelBuscar, m_ui->Buscar, m_ui->LabelEntidades, m_ui->TablaEntidades})
        widget->setVisible(choosing);
    // Without the list the chapters need no more height than their own.
    if (!choosing) {
        layout()->activate();
        resize(width(), minimumSizeHint().height());
    }
    m_ui->Buscar->clear();
    search({});
}

void SettlementDialog::search(const QString& text)
{
    m_found->setFilterFixedString(borrowing::comparableName(text));
    const QModelIndex first = m_found->index(0, Name);
    m_ui->TablaEntidades->setCurrentIndex(first);
    m_ui->TablaEntidades->scrollTo(first);
    // The row may have been the current one already, which tells nothing.
    showChosen();
}

void SettlementDialog::showChosen()
{
    m_chosen.reset();
    m_settlement.reset();
    QString refusal;
    const QModelIndex current = m_ui->TablaEntidades->currentIndex();
    if (m_table && m_table->namesEntities() && current.isValid())
        m_chosen = m_listed[current.siblingAtColumn(Name).data(PlaceRole).toULongLong()];
    if (m_table && (m_chosen || !m_table->namesEntities())) {
        try {
            m_settlement = m_table->settlementOf(m_chosen ? m_chosen->id : QString());
        } catch (const borrowing::Refused& e) {
            refusal = reports::cellRefusalText(e.refusal());
        }
    }
    m_ui->MotivoNoSeImporta->setText(refusal);
    m_ui->MotivoNoSeImporta->setVisible(!refusal.isEmpty());
    m_ui->BtnAceptar->setEnabled(m_settlement.has_value());
    showSettlement();
}

void SettlementDialog::showSettlement()
{
    const amount::Separators separators = amount::currentSeparators();
    const auto text = [&](amount::Amount value) {
        return m_settlement ? reports::amountText(value, separators) : QString();
    };
    const imports::Settlement shown = m_settlement.value_or(imports::Settlement{});
    for (std::size_t n = 0; n < imports::ChapterCount; ++n) {
        const std::pair<amount::Amount, bool> sides[] = {
            {shown.revenue[n], imports::RevenueChapters[n] != nullptr},
            {shown.expenditure[n], imports::ExpenditureChapters[n] != nullptr}};
        for (int column = 0; column < 2; ++column) {
            const auto [value, used] = sides[column];
            auto* cell = new QTableWidgetItem(text(value));
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            // Shown so that the chapters can be checked against the settlement, greyed out.
            if (!used) {
                cell->setFlags(cell->flags() & ~Qt::ItemIsEnabled);
                cell->setToolTip(m_ui->NotaCapitulos->text());
            }
            m_ui->TablaCapitulos->setItem(static_cast<int>(n), column, cell);
        }
    }
    m_ui->RecaudacionImportada->setText(shown.collections ? text(*shown.collections) : QString());
}

} // namespace editors
