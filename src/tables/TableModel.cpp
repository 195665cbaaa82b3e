#include "tables/TableModel.h"

#include <stdexcept>

namespace velantor {

TableModel::TableModel(QObject* parent) : QAbstractTableModel(parent) {}

TableModel::TableModel(TablePtr table, QObject* parent) : QAbstractTableModel(parent) {
    setTable(std::move(table));
}

TableModel::TableModel(TablePtr table, const QList<Column>& columns, QObject* parent)
    : QAbstractTableModel(parent), m_columns(columns) {
    setTable(std::move(table));
}

TableModel::~TableModel() {
    if (m_table)
        disconnect(m_table.get(), nullptr, this, nullptr);
}

void TableModel::setTable(TablePtr table) {
    beginResetModel();
    if (m_table)
        disconnect(m_table.get(), nullptr, this, nullptr);
    m_table = std::move(table);
    if (m_table && m_columns.isEmpty()) {
        for (int i = 0; i < m_table->fieldCount(); ++i)
            m_columns.append({m_table->field(i).name, m_table->field(i).name});
    }
    try {
        resolveFields();
    } catch (...) {
        m_table.reset();
        m_fields.clear();
        endResetModel();
        throw;
    }
    connectTable();
    endResetModel();
}

void TableModel::setColumns(const QList<Column>& columns) {
    beginResetModel();
    const QList<Column> previous = m_columns;
    m_columns = columns;
    try {
        resolveFields();
    } catch (...) {
        m_columns = previous;
        resolveFields();
        endResetModel();
        throw;
    }
    endResetModel();
}

void TableModel::resolveFields() {
    m_fields.clear();
    if (!m_table)
        return;
    for (const Column& column : m_columns)
        m_fields.append(m_table->requireField(column.field));
}

void TableModel::connectTable() {
    if (!m_table)
        return;
    const Table* table = m_table.get();
    connect(table, &Table::aboutToReset, this, &TableModel::beginResetModel);
    connect(table, &Table::reset, this, &TableModel::endResetModel);
    connect(table, &Table::rowsAboutToBeInserted, this,
            [this](int first, int last) { beginInsertRows(QModelIndex(), first, last); });
    connect(table, &Table::rowsInserted, this, &TableModel::endInsertRows);
    connect(table, &Table::rowsAboutToBeRemoved, this,
            [this](int first, int last) { beginRemoveRows(QModelIndex(), first, last); });
    connect(table, &Table::rowsRemoved, this, &TableModel::endRemoveRows);
    connect(table, &Table::rowChanged, this, &TableModel::tableRowChanged);
}

void TableModel::tableRowChanged(int row, int field) {
    for (int column = 0; column < m_fields.size(); ++column) {
        if (m_fields[column] == field) {
            const QModelIndex cell = index(row, column);
            emit dataChanged(cell, cell, {Qt::DisplayRole, Qt::EditRole, ValueRole});
        }
    }
}

int TableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_table ? 0 : m_table->rowCount();
}

int TableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_table ? 0 : static_cast<int>(m_fields.size());
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int field = m_fields[index.column()];
    const bool integer = m_table->field(field).type == FieldType::Integer;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_table->textAt(index.row(), field);
    case ValueRole:
        return integer ? QVariant(m_table->numberAt(index.row(), field))
                       : QVariant(m_table->textAt(index.row(), field));
    case FieldNameRole:
        return m_table->field(field).name;
    case Qt::TextAlignmentRole:
        return integer ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter)) : QVariant();
    default:
        return {};
    }
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section < 0 || section >= columnCount())
        return {};
    if (role == Qt::DisplayRole)
        return m_columns[section].caption;
    if (role == FieldNameRole)
        return m_table->field(m_fields[section]).name;
    return {};
}

} // namespace velantor
