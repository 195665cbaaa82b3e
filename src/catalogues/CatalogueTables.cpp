#include "catalogues/CatalogueTables.h"

#include <array>

namespace velantor::catalogues {
namespace {

FieldDef text(const char* name, int maxLength) {
    return FieldDef::text(QString::fromLatin1(name), maxLength);
}

TablePtr positionShapedTable(const QString& name, int localityLength) {
    return Table::create(name, {text("CodConvocatoria", 5), text("NomConvocatoria", 50),
                                text("Consejeria", 50), text("Localidad", localityLength),
                                text("CodConsejeria", 2), text("CodLocalidad", 7), text("CodProvincia", 2),
                                text("CodArea", 8), text("CodZona", 8), text("Area", 50)});
}

} // namespace

TablePtr createProvinceTable(const QString& name) {
    return Table::create(name, {text("CodProvincia", 2), text("Provincia", 20)});
}

TablePtr createLocalityTable(const QString& name) {
    return Table::create(name, {text("CodProvincia", 2), text("CodLocalidad", 7), text("Localidad", 60)});
}

TablePtr createBodyTable(const QString& name) {
    return Table::create(name, {text("Grupo", 1), text("CodCuerpo", 6), text("DescCuerpo", 100)});
}

TablePtr createGroupTable(const QString& name) {
    return Table::create(name, {text("Grupo", 1)});
}

TablePtr createInstitutionTable(const QString& name) {
    return Table::create(name, {text("CodConsejeria", 2), text("Consejeria", 50), text("CodArea", 8),
                                text("CodProvincia", 2)});
}

TablePtr createGroupMapTable(const QString& name) {
    return Table::create(name, {text("CodPlaza", 5), text("CodGrupo", 1)});
}

TablePtr createBodyMapTable(const QString& name) {
    return Table::create(name, {text("CodPlaza", 5), text("CodCuerpo", 6)});
}

TablePtr createPositionTable(const QString& name) {
    return positionShapedTable(name, 53);
}

TablePtr createCodeListTable(const QString& name) {
    return positionShapedTable(name, 50);
}

TablePtr createZoneTable(const QString& name) {
    return Table::create(name, {text("CodZona", 8), text("Zona", 50), text("CodArea", 8),
                                text("CodProvincia", 2), text("CodInstitucion", 2)});
}

TablePtr createAreaTable(const QString& name) {
    return Table::create(name, {text("CodArea", 8), text("Area", 50), text("CodProvincia", 2)});
}

TablePtr createSituationTable(const QString& name) {
    return Table::create(name, {text("CodSituacion", 2), text("esOtras", 1), text("Situacion", 60)});
}

TablePtr createInstitutionLocalityTable(const QString& name) {
    return Table::create(name, {text("CodInstitucion", 2), text("CodLocalidad", 7)});
}

const QString& positionFieldName(int index) {
    static const std::array<QString, kPositionFieldCount> names = {
        QStringLiteral("CodConvocatoria"), QStringLiteral("NomConvocatoria"),
        QStringLiteral("Consejeria"),      QStringLiteral("Localidad"),
        QStringLiteral("CodConsejeria"),   QStringLiteral("CodLocalidad"),
        QStringLiteral("CodProvincia"),    QStringLiteral("CodArea"),
        QStringLiteral("CodZona"),         QStringLiteral("Area")};
    return names.at(static_cast<std::size_t>(index));
}

} // namespace velantor::catalogues
