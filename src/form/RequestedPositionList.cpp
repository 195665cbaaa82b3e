#include "form/RequestedPositionList.h"

#include <QSet>

#include "form/search/PositionSearch.h"
#include "form/EntryRules.h"
#include "form/FormView.h"
#include "form/NextValue.h"
#include "form/RequestedPositionListOrders.h"
#include "form/ControlNames.h"

namespace velantor {

using catalogues::SearchTab;

namespace {

const QString kIdSolicitud = QStringLiteral("IdSolicitud");
const QString kOrden = QStringLiteral("Orden");

// The position list's columns that become fields of a requested row, in the order of
// RequestedPositionList::appendRow's values.
constexpr int kListColumns[] = {0, 1, 2, 3, 7, 8};
const char* const kRowFields[] = {"CodConvocatoria", "NomConvocatoria", "Consejeria",
                                  "Localidad",       "CodArea",         "CodZona"};

} // namespace

RequestedPositionList::RequestedPositionList(SearchTab tab, FormView& view, catalogues::PositionSearch& search,
                                             TablePtr table, TablePtr otherList)
    : m_tab(tab), m_view(view), m_search(search), m_table(std::move(table)), m_otherList(std::move(otherList)) {}

bool RequestedPositionList::vacancies() const {
    return m_tab == SearchTab::Vacantes;
}

QString RequestedPositionList::orderField() const {
    return vacancies() ? ctl::name(ctl::txtOrdenVacante) : ctl::name(ctl::txtOrdenResultas);
}
QString RequestedPositionList::positionList() const {
    return vacancies() ? ctl::name(ctl::cboPuestoVacante) : ctl::name(ctl::cboPuestoResultas);
}
QString RequestedPositionList::codeField() const {
    return vacancies() ? ctl::name(ctl::txtCodVacante) : ctl::name(ctl::txtCodResulta);
}
QString RequestedPositionList::descriptionField() const {
    return vacancies() ? ctl::name(ctl::txtDescVacantes) : ctl::name(ctl::txtDescResultas);
}
QString RequestedPositionList::idField() const {
    return vacancies() ? ctl::name(ctl::txtIdSolicitudVacantes) : ctl::name(ctl::txtIdSolicitudResultas);
}
QString RequestedPositionList::title() const {
    return vacancies() ? QStringLiteral("Solicitud Vacantes") : QStringLiteral("Solicitud Resultas");
}

Message RequestedPositionList::warning(const QString& text, const QString& title) const {
    return {text, title, MessageIcon::Warning, MessageButtons::Ok};
}

std::optional<qint64> RequestedPositionList::typedOrder() const {
    const std::optional<double> value = parseDecimal(m_view.text(orderField()));
    if (!value)
        return std::nullopt;
    return roundHalfEven(*value);
}

bool RequestedPositionList::isListed(const QString& code) const {
    // Through a clone, so that the list's own view and current row stay as they are.
    const TablePtr all = m_table->clone();
    all->clearFilter();
    return all->findEqual(all->requireField(u"CodConvocatoria"), code) >= 0;
}

// ---- Entry panel -------------------------------------------------------------------

void RequestedPositionList::lockEntryControls(bool lock) {
    const QString province =
        vacancies() ? ctl::name(ctl::cboProvinciaVacantes) : ctl::name(ctl::cboProvinciaResultas);
    const QString institution =
        vacancies() ? ctl::name(ctl::cboConsejeriaVacantes) : ctl::name(ctl::cboConsejeriaResultas);
    const QString locality =
        vacancies() ? ctl::name(ctl::cboLocalidadVacantes) : ctl::name(ctl::cboLocalidadResultas);
    for (const QString& control :
         {province, institution, locality, positionList(), codeField(), descriptionField()})
        m_view.setEnabled(control, !lock);
    // Unlocked, the vacancy lists follow their own rules again: a chosen province stays
    // locked, a chosen locality keeps the zone list closed.
    if (!lock && vacancies())
        m_search.applyVacancyListRules();
}

void RequestedPositionList::resetEntryPanel() {
    m_mode = Adding;
    for (const QString& control : {orderField(), descriptionField(), idField(), codeField()})
        m_view.setText(control, QString());
    m_view.setVisible(descriptionField(), false);
    lockEntryControls(false);
    m_view.setText(positionList(), QString());
    m_view.setFocus(positionList());
    m_search.applyFilter(m_tab);
    if (vacancies())
        m_view.setVisible(ctl::lblPlazas, true);
    else
        m_search.setSearchListsEnabled(true);
}

void RequestedPositionList::add() {
    // A row loaded by "Modificar" is given up: "Añadir" always starts a new row.
    resetEntryPanel();
    m_search.applyActivationRule();
    m_view.setFocus(orderField());
}

void RequestedPositionList::cancel() {
    resetEntryPanel();
    m_search.resetSearch(m_tab);
}

void RequestedPositionList::onAcceptFocused() {
    if (m_view.holdsValidEntry(positionList()))
        m_view.setText(codeField(), m_view.comboColumn(positionList(), 0));
}

// ---- Modify ------------------------------------------------------------------------

void RequestedPositionList::modify(const QList<int>& selectedRows) {
    if (selectedRows.size() != 1)
        return;
    const int row = selectedRows.front();
    if (row < 0 || row >= m_table->rowCount())
        return;
    // Read the row before the cancel below re-applies the search.
    const auto field = [&](const char* name) {
        return m_table->textAt(row, m_table->requireField(QString::fromLatin1(name)));
    };
    const QString id = field("IdSolicitud");
    const QString order = field("Orden");
    const QString code = field("CodConvocatoria");
    const QString name = field("NomConvocatoria");
    const qint64 previous = m_table->numberAt(row, m_table->requireField(kOrden));
    m_table->setPosition(row);

    cancel();
    m_mode = Modifying;
    lockEntryControls(true);
    m_view.setText(idField(), id);
    m_view.setText(orderField(), order);
    m_previousOrder = previous;
    m_view.setText(codeField(), code);
    m_view.setText(positionList(), code);
    m_view.setText(descriptionField(), name);
    m_view.setVisible(descriptionField(), true);
    m_view.setFocus(orderField());
    if (vacancies())
        m_view.setVisible(ctl::lblPlazas, false);
}

// ---- Accept ------------------------------------------------------------------------

RequestedPositionList::AcceptResult RequestedPositionList::accept() {
    return m_mode == Modifying ? acceptMove() : acceptNew();
}

qint64 RequestedPositionList::insertionOrder() {
    const qint64 next = nextValue(*m_table, kOrden);
    const std::optional<qint64> typed = typedOrder();
    if (!typed || *typed >= next)
        return next == 0 ? 1 : next;
    // An order before the first puts the row first.
    const qint64 order = std::max<qint64>(*typed, 1);
    requested::shiftOrders(*m_table, order, 1);
    return order;
}

void RequestedPositionList::appendRow(qint64 id, qint64 order, const QString (&values)[6]) {
    const catalogues::SearchTables& tables = m_search.tables();
    Table& t = *m_table;
    t.addRow();
    t.setNumber(kIdSolicitud, id);
    t.setNumber(kOrden, order);
    for (int i = 0; i < 6; ++i)
        t.setText(QString::fromLatin1(kRowFields[i]), values[i]);
    // The area catalogue carries 2-character area codes; the zone catalogue whole codes.
    if (tables.areaLookup)
        t.setText(u"Area", requested::lookUpName(*tables.areaLookup, u"CodArea", values[4].left(2), u"Area"));
    if (tables.zoneLookup)
        t.setText(u"Zona", requested::lookUpName(*tables.zoneLookup, u"CodZona", values[5], u"Zona"));
}

RequestedPositionList::AcceptResult RequestedPositionList::acceptNew() {
    const QString list = positionList();
    if (!m_view.holdsValidEntry(list))
        return refuse(Refused::InvalidPosition, warning(QStringLiteral("El puesto elegido no es válido"), title()));
    QString values[6];
    for (int i = 0; i < 6; ++i)
        values[i] = m_view.comboColumn(list, kListColumns[i]);
    if (isListed(values[0])) {
        resetEntryPanel();
        return refuse(Refused::AlreadyRequested,
                      warning(QStringLiteral("Este puesto ya ha sido agregado a la solicitud"), title()));
    }
    lockBodyAndGroup();

    const qint64 id = nextValue(*m_table, kIdSolicitud);
    const qint64 order = insertionOrder();
    appendRow(id, order, values);
    m_table->sort(QStringLiteral("Orden ASC"));
    finishAccept();
    return {};
}

void RequestedPositionList::lockBodyAndGroup() {
    // Once a position is requested the body and group that opened it stay.
    m_view.setEnabled(ctl::cboCuerpo, false);
    m_view.setEnabled(ctl::cboGrupo, false);
}

RequestedPositionList::AcceptResult RequestedPositionList::acceptMove() {
    std::optional<qint64> order = typedOrder();
    if (!order)
        return refuse(Refused::NoOrder,
                      warning(QStringLiteral("Debe asignar un orden a esta plaza"), QStringLiteral("Error")));
    const qint64 rows = m_table->totalRowCount();
    if (*order > rows) {
        order = rows;
        m_view.setText(orderField(), QString::number(rows));
    }
    order = std::max<qint64>(*order, 1);
    requested::moveOrder(*m_table, m_view.text(idField()).toLongLong(), m_previousOrder, *order);
    if (vacancies())
        m_view.setVisible(ctl::lblPlazas, true);
    finishAccept();
    return {};
}

void RequestedPositionList::finishAccept() {
    if (m_table->rowCount() > 0)
        m_table->moveLast();
    resetEntryPanel();
}

// ---- Delete ------------------------------------------------------------------------

bool RequestedPositionList::remove(const QList<int>& selectedRows, const Confirm& confirm) {
    bool deleted = false;
    if (selectedRows.size() == 1 && selectedRows.front() >= 0 && selectedRows.front() < m_table->rowCount()) {
        if (confirm({QStringLiteral("¿Desea borrar la fila seleccionada?"), QStringLiteral("Solicitudes"),
                     MessageIcon::Warning, MessageButtons::YesNo})) {
            const QString grid = vacancies() ? ctl::name(ctl::grdVacantes) : ctl::name(ctl::grdResultas);
            if (vacancies())
                m_view.setVisible(grid, false);
            m_table->setPosition(selectedRows.front());
            m_table->deleteCurrent();
            requested::renumberOrders(*m_table);
            if (m_table->rowCount() > 0)
                m_table->moveLast();
            if (vacancies())
                m_view.setVisible(grid, true);
            if (m_table->totalRowCount() == 0 && (!m_otherList || m_otherList->totalRowCount() == 0))
                m_view.setEnabled(ctl::cboCuerpo, true);
            if (!vacancies() && m_table->totalRowCount() == 0)
                m_view.setEnabled(ctl::cmdInsertaTodasResultas, true);
            deleted = true;
        }
    }
    resetEntryPanel();
    return deleted;
}

// ---- Insert all --------------------------------------------------------------------

int RequestedPositionList::insertAll(const Table& candidates) {
    qint64 nextOrder = m_table->totalRowCount() + 1;
    qint64 nextId = nextValue(*m_table, kIdSolicitud);
    if (candidates.rowCount() == 0)
        return 0;

    // The codes already requested, and those added here: a code the candidates show twice
    // is added once.
    QSet<QString> requestedCodes;
    {
        const TablePtr all = m_table->clone();
        all->clearFilter();
        const int code = all->requireField(u"CodConvocatoria");
        for (int row = 0; row < all->rowCount(); ++row)
            requestedCodes.insert(all->textAt(row, code));
    }
    int columns[6];
    for (int i = 0; i < 6; ++i)
        columns[i] = candidates.requireField(QString::fromLatin1(kRowFields[i]));

    int added = 0;
    QString values[6];
    for (int row = 0; row < candidates.rowCount(); ++row) {
        for (int i = 0; i < 6; ++i)
            values[i] = candidates.textAt(row, columns[i]);
        if (requestedCodes.contains(values[0]))
            continue;
        requestedCodes.insert(values[0]);
        appendRow(nextId++, nextOrder++, values);
        ++added;
        if (nextOrder % 300 == 0 && m_repaint)
            m_repaint();
    }
    m_table->sort(QStringLiteral("Orden ASC"));
    if (added > 0)
        lockBodyAndGroup();
    if (m_repaint)
        m_repaint();
    return added;
}

} // namespace velantor
