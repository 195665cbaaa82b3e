#include "widgets/DataGridHeaderModel.h"

#include <QHeaderView>
#include <QTableView>

#include "tables/Table.h"

namespace velantor {

DataGridHeaderModel::DataGridHeaderModel(QObject* parent) : QIdentityProxyModel(parent) {}

void DataGridHeaderModel::setColumns(const Table& table, const DataGridColumns& columns) {
    m_columns.clear();
    m_sourceColumns.clear();
    for (const DataGridColumn& column : columns) {
        const int index = table.fieldIndex(column.field);
        if (index < 0)
            continue;
        m_columns.append(column);
        m_sourceColumns.append(index);
    }
    if (sourceModel() && sourceModel()->columnCount() > 0)
        emit headerDataChanged(Qt::Horizontal, 0, sourceModel()->columnCount() - 1);
}

void DataGridHeaderModel::clearColumns() {
    m_columns.clear();
    m_sourceColumns.clear();
}

int DataGridHeaderModel::sourceColumn(int boundColumn) const {
    return boundColumn >= 0 && boundColumn < m_sourceColumns.size() ? m_sourceColumns.at(boundColumn) : -1;
}

QVariant DataGridHeaderModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)) {
        const int bound = m_sourceColumns.indexOf(section);
        if (bound >= 0 && !m_columns.at(bound).caption.isEmpty())
            return m_columns.at(bound).caption;
    }
    return QIdentityProxyModel::headerData(section, orientation, role);
}

void DataGridHeaderModel::layoutView(QTableView& view) const {
    QHeaderView* header = view.horizontalHeader();
    const int count = columnCount();
    for (int section = 0; section < count; ++section) {
        const int bound = m_sourceColumns.indexOf(section);
        view.setColumnHidden(section, bound < 0 || m_columns.at(bound).hidden);
    }
    // Bring the bound columns into their order, leftmost first.
    for (int bound = 0; bound < m_sourceColumns.size(); ++bound) {
        const int section = m_sourceColumns.at(bound);
        const int from = header->visualIndex(section);
        if (from != bound && from >= 0)
            header->moveSection(from, bound);
        if (m_columns.at(bound).widthTwips > 0)
            view.setColumnWidth(section, twipsToPixels(m_columns.at(bound).widthTwips));
        else
            view.resizeColumnToContents(section);
    }
}

} // namespace velantor
