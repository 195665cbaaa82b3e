#pragma once

#include <memory>
#include <stdexcept>
#include <vector>

#include <QList>
#include <QObject>
#include <QString>

#include "platform/Error.h"

namespace velantor {

class Table;
using TablePtr = std::shared_ptr<Table>;

enum class FieldType { Text, Integer };

struct FieldDef {
    QString name;
    FieldType type = FieldType::Text;
    int maxLength = 0; // text fields: longer values are cut to this length

    static FieldDef text(const QString& name, int maxLength) { return {name, FieldType::Text, maxLength}; }
    static FieldDef integer(const QString& name) { return {name, FieldType::Integer, 0}; }
};

// A text as a quoted literal of a filter expression: between single quotes, each quote of
// its own doubled, so whatever a user typed reads back as that text.
QString filterLiteral(QStringView text);

// A filter expression that does not parse: names the expression and the position.
class FilterError : public std::runtime_error {
public:
    FilterError(const QString& expression, int position, const QString& reason);
    const QString& expression() const { return m_expression; }
    int position() const { return m_position; }
    const QString& reason() const { return m_reason; }

private:
    QString m_expression;
    int m_position;
    QString m_reason;
};

struct TableData;
class FilterExpression;

// An unconnected in-memory record set: typed, named fields (names match without regard
// to case), rows in insertion order, a current row, a filter, a sort and a find.
// A clone shares the rows (a row added or deleted through one shows in every clone)
// but keeps its own filter, sort and current row.
//
// Navigation, rowCount() and the row-index accessors work over the visible rows in the
// current order. Observers (lists and grids bound to the table) are told through the
// signals below; several widgets may share one table.
class Table : public QObject {
    Q_OBJECT
public:
    static TablePtr create(const QString& name, const QList<FieldDef>& fields);
    ~Table() override;

    // A new table over the same rows, open, without filter or sort, at its first row.
    TablePtr clone() const;

    const QString& name() const;
    int fieldCount() const;
    const FieldDef& field(int index) const;
    // -1 when there is no such field.
    int fieldIndex(QStringView name) const;
    // Throws std::out_of_range for an unknown field: a broken invariant of the caller.
    int requireField(QStringView name) const;

    // Open / closed state, of this table object (a clone has its own). A created table is
    // open. Closing empties nothing but marks it.
    void open();
    void close();
    bool isOpen() const;

    // Rows. addRow() appends an empty row that becomes current and visible at once,
    // whatever the filter says, until the next setFilter/clearFilter/sort.
    void addRow();
    // The current row goes from the shared rows, so from every clone too; the row after
    // it becomes current. Throws std::out_of_range when there is no current row.
    void deleteCurrent();
    // Every row, filter ignored: the table and all its clones are left empty.
    void deleteAll();
    int rowCount() const;      // visible rows
    int totalRowCount() const; // all rows, filter ignored

    // Fields of the current row. Text is cut to the field's maximum length; an integer
    // field given text stores its integer value (0 for text that is not a number).
    // Reading with no current row (bof/eof) gives "" / 0; writing throws std::out_of_range,
    // as do a field index or row index out of range.
    QString text(int field) const;
    QString text(QStringView field) const;
    qint64 number(int field) const;
    qint64 number(QStringView field) const;
    void setText(int field, const QString& value);
    void setText(QStringView field, const QString& value);
    void setNumber(int field, qint64 value);
    void setNumber(QStringView field, qint64 value);

    // Fields of the visible row at an index (0 = first visible row in current order).
    QString textAt(int row, int field) const;
    qint64 numberAt(int row, int field) const;
    void setTextAt(int row, int field, const QString& value);
    void setNumberAt(int row, int field, qint64 value);

    // Navigation over the visible rows. position() is -1 before the first (bof) and
    // rowCount() past the last (eof); both bof() and eof() are true when none is visible.
    void moveFirst();
    void moveNext();
    void movePrevious();
    void moveLast();
    bool bof() const;
    bool eof() const;
    int position() const;
    void setPosition(int row);

    // Filter: "" clears it. Setting makes the first visible row current. Throws
    // FilterError for an expression that does not parse; the old filter then stays.
    // Syntax and comparison rules: FilterExpression.h. The filter is applied when set:
    // rows written afterwards keep their place until it is set again.
    void setFilter(const QString& expression);
    // The same, for an expression that may not parse: the failure is an error value
    // (kMalformedFilter, naming the position and the reason), never thrown.
    Result<void> applyFilter(const QString& expression);
    void clearFilter();
    bool hasFilter() const;
    const QString& filter() const;

    // "Field ASC" (blanks around free; "DESC" sorts descending). "" removes the sort.
    // The sort is stable. Integer fields sort by value; text ignores accents and letter
    // case first ("ñ" after every "n…"), then orders by exact text. Throws FilterError for
    // an unknown field or a word other than ASC/DESC; the old sort then stays.
    void sort(const QString& order);
    const QString& sortSpec() const;

    // Forward from the current row (included; from the first when at bof), the first
    // visible row meeting the criterion (any filter expression); it becomes current.
    // Returns false and leaves the table at eof when none does. Throws FilterError for a
    // criterion that does not parse.
    bool find(const QString& criterion);

    // Index of the first visible row, from row `from` on, whose field equals value
    // (text comparison; an integer field compares its decimal text); -1 when none. Uses a
    // per-field index built on first use and rebuilt after the rows or the view change.
    int findEqual(int field, const QString& value, int from = 0) const;

signals:
    // Rows shown are about to change / have changed wholesale (filter, sort, deleteAll):
    // bound views reset. Every aboutToReset() is followed by one reset().
    void aboutToReset();
    void reset();
    void rowsAboutToBeInserted(int first, int last);
    void rowsInserted(int first, int last);
    void rowsAboutToBeRemoved(int first, int last);
    void rowsRemoved(int first, int last);
    void rowChanged(int row, int field);
    void currentChanged(int row);

private:
    explicit Table(std::shared_ptr<TableData> data);
    friend struct TableData;

    struct View;
    std::shared_ptr<TableData> m_data;
    std::unique_ptr<View> m_view;
};

} // namespace velantor
