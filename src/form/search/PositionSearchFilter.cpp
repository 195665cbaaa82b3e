#include "form/search/PositionSearchFilter.h"

#include "form/ControlNames.h"
#include "form/FormView.h"

namespace velantor::catalogues {
namespace {

// The locality lists carry a locality's 3-character code with its province, the positions
// 7-character codes (province + locality + "00"): a chosen locality is matched as the
// start of the position's code, after its own province, so that the same 3-character code
// of another province's locality is not found.
QString localityClause(const FormView& view, QStringView list) {
    return QStringLiteral(" AND CodLocalidad like ") +
           filterLiteral(view.comboColumn(list, 2) + view.text(list) + u'%') + u' ';
}

QString filtroResultas(const FormView& view) {
    QString filter;
    if (const QString v = view.text(ctl::cboProvinciaResultas); !v.isEmpty())
        filter += QStringLiteral(" AND CodProvincia=") + filterLiteral(v) + u' ';
    // A typed text that names no locality keeps the equality and finds nothing (the
    // positions' locality codes are longer than the list's).
    if (const QString v = view.text(ctl::cboLocalidadResultas); !v.isEmpty()) {
        if (view.holdsValidEntry(ctl::cboLocalidadResultas))
            filter += localityClause(view, ctl::cboLocalidadResultas);
        else
            filter += QStringLiteral(" AND CodLocalidad=") + filterLiteral(v) + u' ';
    }
    if (const QString v = view.text(ctl::cboConsejeriaResultas); !v.isEmpty())
        filter += QStringLiteral(" AND CodConsejeria=") + filterLiteral(v) + u' ';
    if (const QString v = view.text(ctl::txtCodResulta); !v.isEmpty())
        filter += QStringLiteral(" AND CodConvocatoria=") + filterLiteral(v) + u' ';
    if (const QString v = view.text(ctl::cboAreasResultas); !v.isEmpty())
        filter += QStringLiteral(" AND CodArea=") + filterLiteral(v + QStringLiteral("000000"));
    if (const QString v = view.text(ctl::cboZonasResultas); !v.isEmpty())
        filter += QStringLiteral(" AND CodZona=") + filterLiteral(v) + u' ';
    return filter;
}

QString filtroVacantes(const FormView& view, const Table& rsAreas) {
    QString filter;
    if (view.holdsValidEntry(ctl::cboLocalidadVacantes))
        filter += localityClause(view, ctl::cboLocalidadVacantes);
    if (view.holdsValidEntry(ctl::cboConsejeriaVacantes))
        filter += QStringLiteral(" AND CodConsejeria=") +
                  filterLiteral(view.text(ctl::cboConsejeriaVacantes)) + u' ';
    if (const QString v = view.text(ctl::txtCodVacante); !v.isEmpty())
        filter += QStringLiteral(" AND CodConvocatoria=") + filterLiteral(v) + u' ';
    if (const QString v = view.text(ctl::cboAreasVacantes); !v.isEmpty())
        filter += QStringLiteral(" AND CodArea=") + filterLiteral(v + QStringLiteral("000000"));
    if (view.holdsValidEntry(ctl::cboZonasVacantes))
        filter += QStringLiteral(" AND CodZona=") + filterLiteral(view.text(ctl::cboZonasVacantes)) + u' ';

    // A province narrows the vacancies only through its areas, and only when nothing
    // else is chosen.
    if (!view.text(ctl::cboProvinciaVacantes).isEmpty() && filter.isEmpty() &&
        view.text(ctl::cboAreasVacantes).isEmpty()) {
        filter += u" AND ( ";
        const int codArea = rsAreas.requireField(u"CodArea");
        for (int row = 0; row < rsAreas.rowCount(); ++row)
            filter += QStringLiteral(" CodArea=") +
                      filterLiteral(rsAreas.textAt(row, codArea) + QStringLiteral("000000")) +
                      QStringLiteral(" OR ");
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
    // Every typed value is quoted as a literal, so this only fails on a fault of the
    // builder; the list then offers nothing rather than a wrong set of positions.
    if (!positions.applyFilter(filter))
        positions.setFilter(QStringLiteral("CodConvocatoria='' AND CodConvocatoria<>''"));
}

QString textoPlazasLocalizadas(int count) {
    return QStringLiteral("Códigos Localizados: ") + QString::number(count);
}

} // namespace velantor::catalogues
