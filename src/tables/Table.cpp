#include "tables/Table.h"

#include <algorithm>
#include <stdexcept>

#include "tables/TableData.h"
#include "tables/TableView.h"

namespace velantor {

FilterError::FilterError(const QString& expression, int position, const QString& reason)
    : std::runtime_error(QStringLiteral("Expresión de filtro no válida: %1 (carácter %2 de «%3»)")
                             .arg(reason, QString::number(position + 1), expression)
                             .toStdString()),
      m_expression(expression), m_position(position), m_reason(reason) {}

TablePtr Table::create(const QString& name, const QList<FieldDef>& fields) {
    return TablePtr(new Table(std::make_shared<TableData>(name, fields)));
}

Table::Table(std::shared_ptr<TableData> data) : m_data(std::move(data)), m_view(std::make_unique<View>()) {
    m_data->tables.push_back(this);
    m_view->rebuild(*m_data);
}

Table::~Table() {
    std::erase(m_data->tables, this);
}

TablePtr Table::clone() const {
    return TablePtr(new Table(m_data));
}

const QString& Table::name() const {
    return m_data->name;
}

int Table::fieldCount() const {
    return static_cast<int>(m_data->fields.size());
}

const FieldDef& Table::field(int index) const {
    if (index < 0 || index >= fieldCount())
        throw std::out_of_range("Table::field: no field " + std::to_string(index));
    return m_data->fields[index];
}

int Table::fieldIndex(QStringView name) const {
    return m_data->fieldIndex(name);
}

int Table::requireField(QStringView name) const {
    const int index = m_data->fieldIndex(name);
    if (index < 0)
        throw std::out_of_range("Table " + m_data->name.toStdString() + " has no field " +
                                name.toString().toStdString());
    return index;
}

void Table::open() {
    m_view->open = true;
}
void Table::close() {
    m_view->open = false;
}
bool Table::isOpen() const {
    return m_view->open;
}

void Table::addRow() {
    m_data->addRowThrough(*this);
    setPosition(rowCount() - 1);
}

void Table::deleteCurrent() {
    if (bof() || eof())
        throw std::out_of_range("Table " + m_data->name.toStdString() + ": no current row to delete");
    m_data->deleteRow(m_view->visible[m_view->position]);
}

void Table::deleteAll() {
    m_data->deleteAllRows();
}

int Table::rowCount() const {
    return static_cast<int>(m_view->visible.size());
}
int Table::totalRowCount() const {
    return m_data->rowCount;
}

namespace {

void checkField(const Table& table, int field) {
    if (field < 0 || field >= table.fieldCount())
        throw std::out_of_range("Table " + table.name().toStdString() + ": no field " +
                                std::to_string(field));
}

void checkRow(const Table& table, int row) {
    if (row < 0 || row >= table.rowCount())
        throw std::out_of_range("Table " + table.name().toStdString() + ": no visible row " +
                                std::to_string(row));
}

} // namespace

QString Table::text(int field) const {
    checkField(*this, field);
    return bof() || eof() ? QString() : m_data->text(m_view->visible[m_view->position], field);
}

QString Table::text(QStringView field) const {
    return text(requireField(field));
}

qint64 Table::number(int field) const {
    checkField(*this, field);
    return bof() || eof() ? 0 : m_data->number(m_view->visible[m_view->position], field);
}

qint64 Table::number(QStringView field) const {
    return number(requireField(field));
}

void Table::setText(int field, const QString& value) {
    if (bof() || eof())
        throw std::out_of_range("Table " + m_data->name.toStdString() + ": no current row to write");
    setTextAt(m_view->position, field, value);
}

void Table::setText(QStringView field, const QString& value) {
    setText(requireField(field), value);
}

void Table::setNumber(int field, qint64 value) {
    if (bof() || eof())
        throw std::out_of_range("Table " + m_data->name.toStdString() + ": no current row to write");
    setNumberAt(m_view->position, field, value);
}

void Table::setNumber(QStringView field, qint64 value) {
    setNumber(requireField(field), value);
}

QString Table::textAt(int row, int field) const {
    checkRow(*this, row);
    checkField(*this, field);
    return m_data->text(m_view->visible[row], field);
}

qint64 Table::numberAt(int row, int field) const {
    checkRow(*this, row);
    checkField(*this, field);
    return m_data->number(m_view->visible[row], field);
}

void Table::setTextAt(int row, int field, const QString& value) {
    checkRow(*this, row);
    checkField(*this, field);
    const int dataRow = m_view->visible[row];
    if (m_data->setText(dataRow, field, value))
        m_data->notifyChanged(*this, row, dataRow, field);
}

void Table::setNumberAt(int row, int field, qint64 value) {
    checkRow(*this, row);
    checkField(*this, field);
    const int dataRow = m_view->visible[row];
    if (m_data->setNumber(dataRow, field, value))
        m_data->notifyChanged(*this, row, dataRow, field);
}

void Table::moveFirst() {
    setPosition(0);
}

void Table::moveNext() {
    if (m_view->position < rowCount())
        setPosition(m_view->position + 1);
}

void Table::movePrevious() {
    if (m_view->position >= 0)
        setPosition(m_view->position - 1);
}

void Table::moveLast() {
    setPosition(rowCount() - 1);
}

bool Table::bof() const {
    return rowCount() == 0 || m_view->position < 0;
}
bool Table::eof() const {
    return rowCount() == 0 || m_view->position >= rowCount();
}
int Table::position() const {
    return m_view->position;
}

void Table::setPosition(int row) {
    const int position = std::clamp(row, -1, rowCount());
    if (position == m_view->position)
        return;
    m_view->position = position;
    emit currentChanged(position);
}

QString filterLiteral(QStringView text) {
    QString literal = text.toString();
    literal.replace(u'\'', QStringLiteral("''"));
    return u'\'' + literal + u'\'';
}

Result<void> Table::applyFilter(const QString& expression) {
    try {
        setFilter(expression);
    } catch (const FilterError& error) {
        return std::unexpected(makeError(errors::kMalformedFilter,
                                         QStringLiteral("El filtro «%1» no es válido (carácter %2): %3")
                                             .arg(error.expression())
                                             .arg(error.position() + 1)
                                             .arg(error.reason())));
    }
    return {};
}

void Table::setFilter(const QString& expression) {
    if (expression.isEmpty()) {
        clearFilter();
        return;
    }
    // Parsed before anything changes: a bad expression leaves the old filter showing.
    FilterExpression parsed = FilterExpression::parse(expression, m_data->fields);
    emit aboutToReset();
    m_view->filter = std::move(parsed);
    m_view->filterText = expression;
    m_view->rebuild(*m_data);
    m_view->position = 0;
    emit reset();
    emit currentChanged(0);
}

void Table::clearFilter() {
    View& view = *m_view;
    // Loaders clear an unfiltered table before every search; when all rows already show
    // in insertion order, only the position moves, and look-up indexes stay valid.
    if (!view.filter && view.sortField < 0 && rowCount() == totalRowCount()) {
        setPosition(0);
        return;
    }
    emit aboutToReset();
    view.filter.reset();
    view.filterText.clear();
    view.rebuild(*m_data);
    view.position = 0;
    emit reset();
    emit currentChanged(0);
}

bool Table::hasFilter() const {
    return m_view->filter.has_value();
}
const QString& Table::filter() const {
    return m_view->filterText;
}

void Table::sort(const QString& order) {
    struct Word {
        int position;
        QString text;
    };
    std::vector<Word> words;
    for (qsizetype i = 0; i < order.size();) {
        if (order[i].isSpace()) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < order.size() && !order[i].isSpace())
            ++i;
        words.push_back({static_cast<int>(start), order.sliced(start, i - start)});
    }

    int field = -1;
    bool descending = false;
    if (!words.empty()) {
        field = fieldIndex(words[0].text);
        if (field < 0)
            throw FilterError(order, words[0].position,
                              QStringLiteral("no hay ningún campo llamado «%1»").arg(words[0].text));
        if (words.size() >= 2) {
            descending = words[1].text.compare(u"DESC", Qt::CaseInsensitive) == 0;
            if (!descending && words[1].text.compare(u"ASC", Qt::CaseInsensitive) != 0)
                throw FilterError(
                    order, words[1].position,
                    QStringLiteral("se esperaba ASC o DESC después de «%1»").arg(words[0].text));
        }
        if (words.size() > 2)
            throw FilterError(order, words[2].position, QStringLiteral("solo se puede ordenar por un campo"));
    }

    emit aboutToReset();
    m_view->sortField = field;
    m_view->sortDescending = descending;
    m_view->sortSpec = words.empty() ? QString() : order;
    m_view->rebuild(*m_data);
    m_view->position = 0;
    emit reset();
    emit currentChanged(0);
}

const QString& Table::sortSpec() const {
    return m_view->sortSpec;
}

bool Table::find(const QString& criterion) {
    View& view = *m_view;
    if (!view.lastCriterionExpression || view.lastCriterion != criterion) {
        FilterExpression parsed = FilterExpression::parse(criterion, m_data->fields);
        view.lastCriterionExpression = std::move(parsed);
        view.lastCriterion = criterion;
    }
    const FilterExpression& expression = *view.lastCriterionExpression;
    const int count = rowCount();
    const int start = std::max(view.position, 0);
    int found = -1;
    if (start < count) {
        const auto equality = expression.asEquality();
        if (equality && view.preferIndex(*m_data, equality->field)) {
            found = view.findEqual(*m_data, equality->field, equality->key, start);
        } else {
            for (int i = start; i < count; ++i) {
                if (expression.matches(m_data->columns, view.visible[i])) {
                    found = i;
                    break;
                }
            }
        }
    }
    setPosition(found >= 0 ? found : count);
    return found >= 0;
}

int Table::findEqual(int field, const QString& value, int from) const {
    checkField(*this, field);
    if (from >= rowCount())
        return -1;
    return m_view->findEqual(*m_data, field, value, from);
}

} // namespace velantor
