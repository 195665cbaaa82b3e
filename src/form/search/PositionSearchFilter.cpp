#include "form/search/PositionSearchFilter.h"

#include "form/FormView.h"
#include "form/ControlNames.h"

namespace velantor::catalogues {
namespace {

// The locality lists carry a locality's 3-character code with its province, the positions
// 7-character codes (province + locality + "00"): a chosen locality is matched as the
// start of the position's code, after its own province, so that the same 3-character code
// of another province's locality is not found.
QString localityClause(const FormView& view, QStringView list) {
    return QStringLiteral(" AND CodLocalidad like '") + view.comboColumn(list, 2) + view.text(list) +
           QStringLiteral("%' ");
}

QString filtroResultas(const FormView& view) {
    QString filter;
    if (const QString v = view.text(ctl::cboProvinciaResultas); !v.isEmpty())
        filter += QStringLiteral(" AND CodProvincia='") + v + QStringLiteral("' ");
    // A typed text that names no locality keeps the equality and finds nothing (the
    // positions' locality codes are longer than the list's).
    if (const QString v = view.text(ctl::cboLocalidadResultas); !v.isEmpty()) {
        if (view.holdsValidEntry(ctl::cboLocalidadResultas))
            filter += localityClause(view, ctl::cboLocalidadResultas);
        else
            filter += QStringLiteral(" AND CodLocalidad='") + v + QStringLiteral("' ");
    }
    if (const QString v = view.text(ctl::cboConsejeriaResultas); !v.isEmpty())
        filter += QStringLiteral(" AND CodConsejeria='") + v + QStringLiteral("' ");
    if (const QString v = view.text(ctl::txtCodResulta); !v.isEmpty())
        filter += QStringLiteral(" AND CodConvocatoria='") + v + QStringLiteral("' ");
    if (const QString v = view.text(ctl::cboAreasResultas); !v.isEmpty())
        filter += QStringLiteral(" AND CodArea='") + v + QStringLiteral("000000'");
    if (const QString v = view.text(ctl::cboZonasResultas); !v.isEmpty())
        filter += QStringLiteral(" AND CodZona='") + v + QStringLiteral("' ");
    return filter;
}

QString filtroVacantes(const FormView& view, const Table& rsAreas) {
    QString filter;
    if (view.holdsValidEntry(ctl::cboLocalidadVacantes))
        filter += localityClause(view, ctl::cboLocalidadVacantes);
    if (view.holdsValidEntry(ctl::cboConsejeriaVacantes))
        filter += QStringLiteral(" AND CodConsejeria='") + view.text(ctl::cboConsejeriaVacantes) +
                  QStringLiteral("' ");
    if (const QString v = view.text(ctl::txtCodVacante); !v.isEmpty())
        filter += QStringLiteral(" AND CodConvocatoria='") + v + QStringLiteral("' ");
    if (const QString v = view.text(ctl::cboAreasVacantes); !v.isEmpty())
        filter += QStringLiteral(" AND CodArea='") + v + QStringLiteral("000000'");
    if (view.holdsValidEntry(ctl::cboZonasVacantes))
        filter += QStringLiteral(" AND CodZona='") + view.text(ctl::cboZonasVacantes) + QStringLiteral("' ");

    // A province narrows the vacancies only through its areas, and only when nothing
    // else is chosen.
    if (!view.text(ctl::cboProvinciaVacantes).isEmpty() && filter.isEmpty() &&
        view.text(ctl::cboAreasVacantes).isEmpty()) {
        filter += u" AND ( ";
        const int codArea = rsAreas.requireField(u"CodArea");
        for (int row = 0; row < rsAreas.rowCount(); ++row)
            filter +=
                QStringLiteral(" CodArea='") + rsAreas.textAt(row, codArea) + QStringLiteral("000000' OR ");
        // Drop the last "OR " (an empty group has none to drop).
        if (rsAreas.rowCount() > 0)
            filter.chop(3);
        filter += u" ) ";
    }
    return filter;
}

} // namespace

QString searchKind(SearchTab tab) {
    return tab == SearchTab::Vacantes ? QStringLiteral("V") : QStringLiteral("R");
}

QString FiltroPlazas(const FormView& view, QStringView kind, const Table& rsAreas) {
    const QString upper = kind.toString().toUpper();
    QString filter;
    if (upper == u"R")
        filter = filtroResultas(view);
    else if (upper == u"V")
        filter = filtroVacantes(view, rsAreas);
    if (filter.isEmpty())
        return QStringLiteral("0");
    return filter.mid(4);
}

void aplicarFiltroPlazas(Table& positions, const QString& filter) {
    if (filter == u"0") {
        positions.clearFilter();
        return;
    }
    try {
        positions.setFilter(filter);
    } catch (const FilterError&) {
        // Codes are plain digits: a condition that cannot be written (a quote typed into
        // a list) matches none of them.
        positions.setFilter(QStringLiteral("CodConvocatoria='' AND CodConvocatoria<>''"));
    }
}

QString textoPlazasLocalizadas(int count) {
    return QStringLiteral("Códigos Localizados: ") + QString::number(count);
}

} // namespace velantor::catalogues
