#pragma once

#include <functional>
#include <span>

#include <QString>

#include "platform/Error.h"
#include "platform/MessageService.h"
#include "tables/Table.h"

namespace velantor::catalogues {

// One fixed-column field of a plain record: the table field it fills and its columns.
struct ColumnSpec {
    const char* field;
    int start;  // first column, counted from 1
    int length; // number of columns
};

// Reads catalogue files of the data folder into tables: every reader decodes its file
// in memory and appends one row per line. A decoding failure is shown through the message
// service (decodingFailureText) and comes back as the reader's error.
class CatalogueReader {
public:
    CatalogueReader(QString dataFolder, MessageService& messages);

    const QString& dataFolder() const { return m_dataFolder; }

    // "F0001.enc", "F0002.enc": provinces.
    Result<void> readProvincias(Table& target, const QString& fileName);
    // "F0003.enc": localities, sorted by name once read.
    Result<void> readLocalidades(Table& target, const QString& fileName);
    // "F0004.enc": professional bodies.
    Result<void> readCuerpos(Table& target, const QString& fileName);
    // "F0005.enc": groups.
    Result<void> readGrupos(Table& target, const QString& fileName);
    // "F0006.enc": institutions.
    Result<void> readConsejerias(Table& target, const QString& fileName);
    // "F0007.enc": position code → group.
    Result<void> readPlazasGrupo(Table& target, const QString& fileName);
    // "F0008.enc": position code → body (column 6 is not read).
    Result<void> readPlazasCuerpo(Table& target, const QString& fileName);
    // "F0009.enc", "F0010.enc": offered positions; each position's Area is looked up in
    // `areas` by the first two characters of its CodArea (reading A of the areas).
    Result<void> readConvocatorias(Table& target, const QString& fileName, Table& areas);
    // "F0011.enc", "F0012.enc": position codes, each completed from the first row of
    // `details` with the same code; a code found nowhere stays as a bare code row.
    Result<void> readListaPlazas(Table& target, const QString& fileName, Table& details);
    // "F0013.enc": health zones; the names are converted from the OEM code page.
    Result<void> readZonas(Table& target, const QString& fileName);
    // "F0014.enc", reading A (area lists and the area look-up) and reading B (current post).
    Result<void> readAreasA(Table& target, const QString& fileName);
    Result<void> readAreasB(Table& target, const QString& fileName);
    // "F0015.enc": administrative situations.
    Result<void> readSituaciones(Table& target, const QString& fileName);
    // "F0016.enc": institution → locality (7-character locality codes).
    Result<void> readInstitucionLocalidad(Table& target, const QString& fileName);

    // The plain text of a catalogue.
    Result<QString> plainText(const QString& fileName);

private:
    // Appends a row per plain line with `columns` set, then lets `completeRow` finish it.
    Result<void> readColumns(Table& target, const QString& fileName, std::span<const ColumnSpec> columns,
                             const std::function<void()>& completeRow = {});

    QString m_dataFolder;
    MessageService& m_messages;
};

// Sets every zone's CodProvincia to that of the first area of `areas` (reading A) with the
// zone's CodArea, or empties it when there is none. The zone file carries no province, and
// without one a province could never narrow the zone lists.
void completeZoneProvinces(Table& zones, Table& areas);

} // namespace velantor::catalogues
