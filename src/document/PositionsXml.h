#pragma once

#include <QByteArray>
#include <QString>

#include "catalogues/ApplicationTables.h"
#include "platform/Error.h"
#include "tables/Table.h"

namespace velantor {

// The XML file beside an application document that holds its four lists, the only
// form from which they are read back. One line, ISO-8859-1:
//   <?xml version="1.0" encoding="iso-8859-1"?><Plazas><Vacantes><Plaza>...</Plaza>
//   </Vacantes><Resultas>...</Resultas><Cursos><CursoRealizado>...</CursoRealizado>
//   </Cursos><Documentos><Doc>...</Doc></Documentos></Plazas>
// with one child element per column. In the course columns Curso and Centro and in
// the document column Documento every "&" becomes a blank, as stored files have always
// had it. Every value is escaped ("&amp;", "&lt;", "&gt;", line ends as character
// references), so no text breaks the file; characters outside Latin-1 are written as
// character references ("&#8217;") and come back as they were.
class PositionsXml {
public:
    // The XML file's name for a document file name: without its last four characters
    // (".doc"), followed by ".xml".
    static QString fileNameFor(const QString& documentFileName);

    // The file's bytes. Every table is left past its last row.
    static QByteArray build(const ApplicationTables& lists);

    // Builds the text and writes it through a temporary file renamed into place. Text
    // that still does not parse (a value with a control character XML cannot carry) is
    // written to the trace file `tracePath` instead, an existing XML file stays as it was,
    // and the error kMalformedXml comes back with malformedText(), which the caller shows
    // as a warning titled messageTitle(). A failed write comes back as its own error.
    static Result<void> write(const QString& path, const ApplicationTables& lists, const QString& tracePath);

    // "Formato erróneo de XML".
    static QString malformedText();
    // What the user is told when the file at `path` is damaged (isDamaged()).
    static QString damagedText(const QString& path);
    // "Error de XML": the title of both warnings.
    static QString messageTitle();

    // Appends the rows the file holds to the tables, vacancies, resultas, courses and
    // documents in that order; the tables are not cleared first. A missing or malformed
    // file reads nothing and is no error. A row without an element for one of its
    // table's columns ends the reading with errors::kMissingXmlItem; the rows added so
    // far stay.
    static Result<void> read(const QString& path, const ApplicationTables& lists);

    // Whether the file exists but is not XML that read() can take (it would read nothing
    // from it), so that whoever loads an application can say its lists were lost.
    static bool isDamaged(const QString& path);
};

} // namespace velantor
