#include <algorithm>
#include <stdexcept>

#include <QMetaMethod>
#include <QPointer>

#include "tables/TableData.h"
#include "tables/TableView.h"

namespace velantor {

namespace {

qint64 integerFromText(QStringView text) {
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    return ok ? value : 0;
}

std::vector<QPointer<Table>> guarded(const std::vector<Table*>& tables) {
    return {tables.begin(), tables.end()};
}

} // namespace

TableData::TableData(const QString& tableName, const QList<FieldDef>& fieldList)
    : name(tableName), fields(fieldList), fieldVersions(fieldList.size(), 0) {
    for (qsizetype i = 0; i < fields.size(); ++i) {
        for (qsizetype j = 0; j < i; ++j) {
            if (fields[i].name.compare(fields[j].name, Qt::CaseInsensitive) == 0)
                throw std::invalid_argument("Table::create: duplicate field name " +
                                            fields[i].name.toStdString());
        }
        columns.emplace_back(fields[i].type == FieldType::Integer);
    }
}

int TableData::fieldIndex(QStringView fieldName) const {
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (fields[i].name.size() == fieldName.size() &&
            fields[i].name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

QString TableData::text(int row, int field) const {
    return columns[field].text(row);
}

qint64 TableData::number(int row, int field) const {
    const TableColumn& column = columns[field];
    return column.isInteger() ? column.number(row) : integerFromText(column.view(row));
}

bool TableData::setText(int row, int field, const QString& value) {
    TableColumn& column = columns[field];
    if (column.isInteger())
        return setNumber(row, field, integerFromText(value));
    const int maxLength = fields[field].maxLength;
    QStringView stored(value);
    if (maxLength > 0 && stored.size() > maxLength)
        stored = stored.left(maxLength);
    if (!column.setText(row, stored))
        return false;
    ++fieldVersions[field];
    return true;
}

bool TableData::setNumber(int row, int field, qint64 value) {
    TableColumn& column = columns[field];
    if (!column.isInteger())
        return setText(row, field, QString::number(value));
    if (!column.setNumber(row, value))
        return false;
    ++fieldVersions[field];
    return true;
}

void TableData::appendRow() {
    for (TableColumn& column : columns)
        column.append();
    ++rowCount;
    ++structureVersion;
}

void TableData::removeRow(int row) {
    for (TableColumn& column : columns)
        column.erase(row);
    --rowCount;
    ++structureVersion;
}

void TableData::removeAll() {
    for (TableColumn& column : columns)
        column.clear();
    rowCount = 0;
    ++structureVersion;
}

void TableData::addRowThrough(Table& origin) {
    appendRow();
    const int row = rowCount - 1;
    auto show = [row](Table& table) {
        Table::View& view = *table.m_view;
        const int at = static_cast<int>(view.visible.size());
        emit table.rowsAboutToBeInserted(at, at);
        view.visible.push_back(row);
        ++view.version;
        emit table.rowsInserted(at, at);
    };
    if (tables.size() == 1) { // the common case while a table is being filled
        show(origin);
        return;
    }
    for (const QPointer<Table>& table : guarded(tables)) {
        // The table that adds the row shows it whatever its filter says; the others
        // show it when their filter accepts the still empty row.
        if (table &&
            (table == &origin || !table->m_view->filter || table->m_view->filter->matches(columns, row)))
            show(*table);
    }
}

void TableData::deleteRow(int row) {
    struct Affected {
        QPointer<Table> table;
        int removedAt;
        bool currentMoved;
    };
    std::vector<Affected> affected;
    for (Table* table : tables) {
        const std::vector<int>& visible = table->m_view->visible;
        const auto found = std::find(visible.begin(), visible.end(), row);
        affected.push_back(
            {table, found == visible.end() ? -1 : static_cast<int>(found - visible.begin()), false});
    }
    for (const Affected& entry : affected) {
        if (entry.table && entry.removedAt >= 0)
            emit entry.table->rowsAboutToBeRemoved(entry.removedAt, entry.removedAt);
    }

    removeRow(row);
    for (Affected& entry : affected) {
        if (!entry.table)
            continue;
        Table::View& view = *entry.table->m_view;
        // Rows after the removed one shift down by one index in every view.
        std::size_t kept = 0;
        for (int visibleRow : view.visible) {
            if (visibleRow != row)
                view.visible[kept++] = visibleRow > row ? visibleRow - 1 : visibleRow;
        }
        view.visible.resize(kept);
        ++view.version;
        // The current row stays current; when it was the removed one, the next takes its place.
        if (entry.removedAt >= 0 && entry.removedAt <= view.position) {
            if (entry.removedAt < view.position)
                --view.position;
            entry.currentMoved = true;
        }
    }

    for (const Affected& entry : affected) {
        if (entry.table && entry.removedAt >= 0)
            emit entry.table->rowsRemoved(entry.removedAt, entry.removedAt);
    }
    for (const Affected& entry : affected) {
        if (entry.table && entry.currentMoved)
            emit entry.table->currentChanged(entry.table->m_view->position);
    }
}

void TableData::deleteAllRows() {
    const std::vector<QPointer<Table>> affected = guarded(tables);
    for (const QPointer<Table>& table : affected) {
        if (table)
            emit table->aboutToReset();
    }
    removeAll();
    for (const QPointer<Table>& table : affected) {
        if (!table)
            continue;
        table->m_view->visible.clear();
        table->m_view->position = 0;
        ++table->m_view->version;
    }
    for (const QPointer<Table>& table : affected) {
        if (!table)
            continue;
        emit table->reset();
        emit table->currentChanged(0);
    }
}

void TableData::notifyChanged(Table& origin, int originPosition, int row, int field) {
    static const QMetaMethod rowChangedSignal = QMetaMethod::fromSignal(&Table::rowChanged);
    emit origin.rowChanged(originPosition, field);
    if (tables.size() == 1) // the common case while a table is being filled
        return;
    for (const QPointer<Table>& table : guarded(tables)) {
        // Finding the row's place in another view costs a scan the first time, so only
        // for views that someone is listening to.
        if (!table || table == &origin || !table->isSignalConnected(rowChangedSignal))
            continue;
        const int position = table->m_view->positionOfRow(*this, row);
        if (position >= 0)
            emit table->rowChanged(position, field);
    }
}

} // namespace velantor
