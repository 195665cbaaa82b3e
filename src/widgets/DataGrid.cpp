#include "widgets/DataGrid.h"

#include <algorithm>

#include <QHeaderView>
#include <QItemSelectionModel>

#include "tables/TableModel.h"
#include "widgets/DataGridHeaderModel.h"

namespace velantor {

DataGrid::DataGrid(QWidget* parent) : QTableView(parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    setWordWrap(false);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);
    m_header = new DataGridHeaderModel(this);
    setModel(m_header);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { followView(current); });
}

DataGrid::~DataGrid() = default;

void DataGrid::bind(TablePtr table, const DataGridColumns& columns) {
    if (m_table)
        disconnect(m_table.get(), nullptr, this, nullptr);
    TableModel* old = m_model;
    m_table = std::move(table);
    m_model = nullptr;
    if (m_table) {
        m_model = new TableModel(m_table, this);
        m_header->setColumns(*m_table, columns);
    } else {
        m_header->clearColumns();
    }
    m_header->setSourceModel(m_model);
    delete old;
    m_header->layoutView(*this);
    if (!m_table)
        return;
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { m_header->layoutView(*this); });
    connect(m_table.get(), &Table::currentChanged, this, &DataGrid::followTable);
    followTable(m_table->position());
}

const DataGridColumns& DataGrid::columns() const {
    return m_header->columns();
}

void DataGrid::followTable(int row) {
    if (m_syncing || !m_table)
        return;
    m_syncing = true;
    const int column = std::max(0, m_header->sourceColumn(0));
    if (row >= 0 && row < m_table->rowCount())
        selectionModel()->setCurrentIndex(m_header->index(row, column), QItemSelectionModel::NoUpdate);
    m_syncing = false;
}

void DataGrid::followView(const QModelIndex& current) {
    if (m_syncing || !m_table || !current.isValid())
        return;
    m_syncing = true;
    if (m_table->position() != current.row())
        m_table->setPosition(current.row());
    m_syncing = false;
}

QList<int> DataGrid::selectedRowIndexes() const {
    // Distinct rows of the selected cells: selectedRows() would miss a row whose hidden
    // columns the view left out of the selection.
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
        if (!rows.contains(index.row()))
            rows.append(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

int DataGrid::selectedRowCount() const {
    return static_cast<int>(selectedRowIndexes().size());
}

int DataGrid::selectedRow() const {
    const QList<int> rows = selectedRowIndexes();
    return rows.size() == 1 ? rows.first() : -1;
}

void DataGrid::selectRow(int row) {
    if (row < 0 || row >= m_header->rowCount())
        return;
    const int column = std::max(0, m_header->sourceColumn(0));
    selectionModel()->setCurrentIndex(m_header->index(row, column),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

QString DataGrid::columnCaption(int boundColumn) const {
    const int section = m_header->sourceColumn(boundColumn);
    return section < 0 ? QString()
                       : m_header->headerData(section, Qt::Horizontal, Qt::DisplayRole).toString();
}

} // namespace velantor
