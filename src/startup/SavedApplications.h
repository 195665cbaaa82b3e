#pragma once

#include <QString>

#include "platform/Error.h"
#include "tables/Table.h"

namespace velantor {

// Every application is saved as a document in the applications folder named after the
// applicant: identity number (9 characters), body code (6, filled on the left with "_"),
// group field (2, the letter last) and ".doc" — 21 characters in all. Its positions XML
// and its printed PDF carry the same name with ".xml" and ".pdf".
inline constexpr int kApplicationNameLength = 21;

// The saved-applications list: one row per document, fields Fichero [21], DNI [9],
// Cuerpo [6], DescCuerpo [60], Grupo [2], in that order.
TablePtr createSavedApplicationsTable();

// Whether a file name is a document of this identity number: exactly 21 characters,
// ending in ".doc" in any mix of case, and starting with the identity number exactly
// as given (case included).
bool isApplicationDocumentOf(const QString& fileName, const QString& dni);

// The body code a document name carries, without the "_" fill on its left, as the
// bodies table knows it ("_00101" → "00101").
QString bodyCodeOfName(const QString& cuerpo);

// Lists the documents of `dni` in the applications folder, in order of file name, into
// a new saved-applications list. The description of each body is looked up in
// `rsCuerpos` (fields CodCuerpo and DescCuerpo) by the code without its fill; a body the
// table does not know gets an empty description. Subfolders are not looked into; a
// missing folder gives an empty list.
TablePtr ListarSolicitudes(const QString& applicationsFolder, const QString& dni, const Table& rsCuerpos);

// Refuses a document name that would reach outside the applications folder: empty,
// holding a folder separator (either kind), a drive colon or "..".
Result<void> checkDocumentName(const QString& fileName);

// Deletes an application: its document, its positions XML and its printed PDF (the
// extensions matched in any case). Files that are missing or cannot be deleted are
// skipped silently; the caller lists the folder again to see what is left. An unsafe
// name deletes nothing and is refused with checkDocumentName's error. Returns how many
// files went.
Result<int> borrarSolicitud(const QString& applicationsFolder, const QString& fileName);

} // namespace velantor
