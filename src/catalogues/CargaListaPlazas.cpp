#include "catalogues/CargaListaPlazas.h"

#include "catalogues/CatalogueTables.h"

namespace velantor::catalogues {

Result<void> CargaListaPlazas(const QString& letra, TablePtr& table, CatalogueReader& reader,
                              Catalogues& catalogues) {
    const QString letter = letra.toUpper();
    if (letter == u"R") {
        table = createCodeListTable(QStringLiteral("rsListaResultas"));
        return reader.readListaPlazas(*table, QStringLiteral("F0012.enc"),
                                      *catalogues.rsConvocatoriasResultas);
    }
    if (letter == u"V") {
        table = createCodeListTable(QStringLiteral("rsListaVacantes"));
        return reader.readListaPlazas(*table, QStringLiteral("F0011.enc"),
                                      *catalogues.rsConvocatoriasVacantes);
    }
    table = createCodeListTable(QStringLiteral("rsLista") + letter);
    return {};
}

} // namespace velantor::catalogues
