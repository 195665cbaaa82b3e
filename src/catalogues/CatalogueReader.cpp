#include "catalogues/CatalogueReader.h"

#include <array>
#include <utility>
#include <vector>

#include <QDir>
#include <QHash>

#include "catalogues/Decoding.h"
#include "catalogues/FileErrors.h"
#include "catalogues/PlainRecord.h"
#include "catalogues/PositionIndex.h"
#include "platform/CodePage.h"

namespace velantor::catalogues {
namespace {

constexpr std::array kProvinceColumns{ColumnSpec{"CodProvincia", 1, 2}, ColumnSpec{"Provincia", 3, 20}};
constexpr std::array kLocalityColumns{ColumnSpec{"CodProvincia", 1, 2}, ColumnSpec{"CodLocalidad", 3, 3},
                                      ColumnSpec{"Localidad", 6, 60}};
constexpr std::array kBodyColumns{ColumnSpec{"Grupo", 1, 1}, ColumnSpec{"CodCuerpo", 2, 5},
                                  ColumnSpec{"DescCuerpo", 7, 100}};
constexpr std::array kGroupColumns{ColumnSpec{"Grupo", 1, 1}};
constexpr std::array kInstitutionColumns{ColumnSpec{"CodConsejeria", 1, 2}, ColumnSpec{"Consejeria", 3, 50},
                                         ColumnSpec{"CodArea", 53, 8}, ColumnSpec{"CodProvincia", 61, 2}};
constexpr std::array kGroupMapColumns{ColumnSpec{"CodPlaza", 1, 5}, ColumnSpec{"CodGrupo", 6, 1}};
constexpr std::array kBodyMapColumns{ColumnSpec{"CodPlaza", 1, 5}, ColumnSpec{"CodCuerpo", 7, 6}};
constexpr std::array kPositionColumns{
    ColumnSpec{"CodConvocatoria", 1, 5}, ColumnSpec{"NomConvocatoria", 6, 50},
    ColumnSpec{"Consejeria", 56, 50},    ColumnSpec{"Localidad", 106, 53},
    ColumnSpec{"CodConsejeria", 159, 2}, ColumnSpec{"CodLocalidad", 161, 7},
    ColumnSpec{"CodProvincia", 161, 2},  ColumnSpec{"CodArea", 168, 8},
    ColumnSpec{"CodZona", 176, 8}};
constexpr std::array kZoneColumns{ColumnSpec{"CodArea", 1, 2}, ColumnSpec{"CodZona", 3, 2},
                                  ColumnSpec{"Zona", 5, 50}};
constexpr std::array kAreaColumnsA{ColumnSpec{"CodArea", 1, 2}, ColumnSpec{"Area", 9, 50},
                                   ColumnSpec{"CodProvincia", 59, 2}};
constexpr std::array kAreaColumnsB{ColumnSpec{"CodArea", 1, 2}, ColumnSpec{"CodProvincia", 3, 2},
                                   ColumnSpec{"Area", 5, 50}};
constexpr std::array kSituationColumns{ColumnSpec{"CodSituacion", 1, 2}, ColumnSpec{"esOtras", 3, 1},
                                       ColumnSpec{"Situacion", 4, 60}};
constexpr std::array kInstitutionLocalityColumns{ColumnSpec{"CodInstitucion", 1, 2},
                                                 ColumnSpec{"CodLocalidad", 3, 7}};

struct ResolvedColumn {
    int field;
    int start;
    int length;
};

std::vector<ResolvedColumn> resolve(const Table& table, std::span<const ColumnSpec> columns) {
    std::vector<ResolvedColumn> resolved;
    resolved.reserve(columns.size());
    for (const ColumnSpec& c : columns)
        resolved.push_back({table.requireField(QString::fromLatin1(c.field)), c.start, c.length});
    return resolved;
}

void setColumns(Table& target, QStringView line, const std::vector<ResolvedColumn>& columns) {
    for (const ResolvedColumn& c : columns)
        target.setText(c.field, fieldValue(line, c.start, c.length).toString());
}

// The name of the first area row for every area code, as a filter on CodArea would find it.
QHash<QString, QString> firstAreaByCode(Table& areas, QStringView valueField) {
    areas.clearFilter();
    const int code = areas.requireField(u"CodArea");
    const int value = areas.requireField(valueField);
    QHash<QString, QString> first;
    for (int r = 0; r < areas.rowCount(); ++r) {
        const QString key = matchKey(areas.textAt(r, code));
        if (!first.contains(key))
            first.insert(key, areas.textAt(r, value));
    }
    return first;
}

} // namespace

CatalogueReader::CatalogueReader(QString dataFolder, MessageService& messages)
    : m_dataFolder(std::move(dataFolder)), m_messages(messages) {}

Result<QString> CatalogueReader::plainText(const QString& fileName) {
    const Result<QByteArray> bytes = DecodificaFichero(m_dataFolder, fileName);
    if (!bytes) {
        m_messages.show(
            Message{decodingFailureText(bytes.error()), {}, MessageIcon::Critical, MessageButtons::Ok});
        return std::unexpected(bytes.error());
    }
    return fromAnsi(*bytes);
}

Result<void> CatalogueReader::readColumns(Table& target, const QString& fileName,
                                          std::span<const ColumnSpec> columns,
                                          const std::function<void()>& completeRow) {
    const Result<QString> text = plainText(fileName);
    if (!text)
        return std::unexpected(text.error());
    const std::vector<ResolvedColumn> resolved = resolve(target, columns);
    forEachLine(*text, [&](QStringView line) {
        target.addRow();
        setColumns(target, line, resolved);
        if (completeRow)
            completeRow();
    });
    return {};
}

Result<void> CatalogueReader::readProvincias(Table& target, const QString& fileName) {
    return readColumns(target, fileName, kProvinceColumns);
}

Result<void> CatalogueReader::readLocalidades(Table& target, const QString& fileName) {
    Result<void> read = readColumns(target, fileName, kLocalityColumns);
    if (read)
        target.sort(QStringLiteral(" Localidad ASC "));
    return read;
}

Result<void> CatalogueReader::readCuerpos(Table& target, const QString& fileName) {
    return readColumns(target, fileName, kBodyColumns);
}

Result<void> CatalogueReader::readGrupos(Table& target, const QString& fileName) {
    return readColumns(target, fileName, kGroupColumns);
}

Result<void> CatalogueReader::readConsejerias(Table& target, const QString& fileName) {
    return readColumns(target, fileName, kInstitutionColumns);
}

Result<void> CatalogueReader::readPlazasGrupo(Table& target, const QString& fileName) {
    return readColumns(target, fileName, kGroupMapColumns);
}

Result<void> CatalogueReader::readPlazasCuerpo(Table& target, const QString& fileName) {
    return readColumns(target, fileName, kBodyMapColumns);
}

Result<void> CatalogueReader::readConvocatorias(Table& target, const QString& fileName, Table& areas) {
    const QHash<QString, QString> areaNames = firstAreaByCode(areas, u"Area");
    const int codArea = target.requireField(u"CodArea");
    const int area = target.requireField(u"Area");
    return readColumns(target, fileName, kPositionColumns, [&] {
        const auto found = areaNames.constFind(matchKey(target.text(codArea).left(2)));
        if (found != areaNames.constEnd())
            target.setText(area, *found);
    });
}

Result<void> CatalogueReader::readListaPlazas(Table& target, const QString& fileName, Table& details) {
    const Result<QString> text = plainText(fileName);
    if (!text)
        return std::unexpected(text.error());
    const PositionIndex index(details);
    const int code = target.requireField(u"CodConvocatoria");
    forEachLine(*text, [&](QStringView line) {
        const QString value = fieldValue(line, 1, 5).toString();
        if (const PositionIndex::Row* row = index.find(value)) {
            PositionIndex::appendRow(target, *row);
        } else {
            target.addRow();
            target.setText(code, value);
        }
    });
    return {};
}

Result<void> CatalogueReader::readZonas(Table& target, const QString& fileName) {
    // Only the zone names are OEM text.
    const int zona = target.requireField(u"Zona");
    return readColumns(target, fileName, kZoneColumns,
                       [&] { target.setText(zona, codepage::oemToAnsi(target.text(zona))); });
}

Result<void> CatalogueReader::readAreasA(Table& target, const QString& fileName) {
    return readColumns(target, fileName, kAreaColumnsA);
}

Result<void> CatalogueReader::readAreasB(Table& target, const QString& fileName) {
    return readColumns(target, fileName, kAreaColumnsB);
}

Result<void> CatalogueReader::readSituaciones(Table& target, const QString& fileName) {
    return readColumns(target, fileName, kSituationColumns);
}

Result<void> CatalogueReader::readInstitucionLocalidad(Table& target, const QString& fileName) {
    return readColumns(target, fileName, kInstitutionLocalityColumns);
}

void completeZoneProvinces(Table& zones, Table& areas) {
    const QHash<QString, QString> provinces = firstAreaByCode(areas, u"CodProvincia");
    zones.clearFilter();
    const int codArea = zones.requireField(u"CodArea");
    const int codProvincia = zones.requireField(u"CodProvincia");
    for (int r = 0; r < zones.rowCount(); ++r)
        zones.setTextAt(r, codProvincia, provinces.value(matchKey(zones.textAt(r, codArea))));
}

} // namespace velantor::catalogues
