#include "startup/SavedApplications.h"

#include <QDir>
#include <QFile>

namespace velantor {
namespace {

const QString kFichero = QStringLiteral("Fichero");
const QString kDni = QStringLiteral("DNI");
const QString kCuerpo = QStringLiteral("Cuerpo");
const QString kDescCuerpo = QStringLiteral("DescCuerpo");
const QString kGrupo = QStringLiteral("Grupo");

const QString kDocumentExtension = QStringLiteral(".doc");

constexpr int kDniLength = 9;
constexpr int kBodyStart = 9;
constexpr int kBodyLength = 6;
constexpr int kGroupLetter = 16;

bool endsWithDoc(const QString& fileName) {
    return fileName.endsWith(kDocumentExtension, Qt::CaseInsensitive);
}

// The description of a body by its code, from the table's first row on; empty when the
// code is unknown or the table lacks the fields.
QString bodyDescription(const Table& rsCuerpos, const QString& code) {
    if (code.isEmpty())
        return {};
    // A clone of its own: a filter someone set on the bodies table must not hide a body.
    const TablePtr bodies = rsCuerpos.clone();
    const int codeField = bodies->fieldIndex(u"CodCuerpo");
    const int descField = bodies->fieldIndex(u"DescCuerpo");
    if (codeField < 0 || descField < 0)
        return {};
    const int row = bodies->findEqual(codeField, code);
    return row < 0 ? QString() : bodies->textAt(row, descField);
}

} // namespace

TablePtr createSavedApplicationsTable() {
    return Table::create(QStringLiteral("Solicitudes"),
                         {FieldDef::text(kFichero, kApplicationNameLength), FieldDef::text(kDni, 9),
                          FieldDef::text(kCuerpo, 6), FieldDef::text(kDescCuerpo, 60),
                          FieldDef::text(kGrupo, 2)});
}

bool isApplicationDocumentOf(const QString& fileName, const QString& dni) {
    return fileName.size() == kApplicationNameLength && endsWithDoc(fileName) &&
           QStringView(fileName).left(kDniLength) == dni;
}

QString bodyCodeOfName(const QString& cuerpo) {
    qsizetype fill = 0;
    while (fill < cuerpo.size() && cuerpo.at(fill) == u'_')
        ++fill;
    return cuerpo.mid(fill);
}

TablePtr ListarSolicitudes(const QString& applicationsFolder, const QString& dni, const Table& rsCuerpos) {
    TablePtr list = createSavedApplicationsTable();
    const QDir folder(applicationsFolder);
    const QStringList names = folder.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names) {
        if (!isApplicationDocumentOf(name, dni))
            continue;
        const QString body = name.mid(kBodyStart, kBodyLength);
        list->addRow();
        list->setText(kFichero, name);
        list->setText(kDni, name.left(kDniLength));
        list->setText(kCuerpo, body);
        list->setText(kDescCuerpo, bodyDescription(rsCuerpos, bodyCodeOfName(body)));
        list->setText(kGrupo, name.mid(kGroupLetter, 1));
    }
    list->moveFirst();
    return list;
}

Result<void> checkDocumentName(const QString& fileName) {
    const bool unsafe = fileName.isEmpty() || fileName.contains(u'/') || fileName.contains(u'\\') ||
                        fileName.contains(u':') || fileName.contains(QStringLiteral("..")) ||
                        fileName.contains(QChar(0));
    if (!unsafe)
        return {};
    return std::unexpected(makeError(
        errors::kUnsafeName,
        QStringLiteral(
            "El nombre de documento «%1» no es válido: debe ser un nombre de archivo de la carpeta de "
            "solicitudes, sin separadores de carpeta, sin unidad y sin «..».")
            .arg(fileName)));
}

Result<int> borrarSolicitud(const QString& applicationsFolder, const QString& fileName) {
    if (Result<void> safe = checkDocumentName(fileName); !safe)
        return std::unexpected(safe.error());
    const QDir folder(applicationsFolder);
    int removed = QFile::remove(folder.filePath(fileName)) ? 1 : 0;
    if (!endsWithDoc(fileName))
        return removed;

    // The positions XML and the printed PDF of the same application, whatever the case of
    // their extensions.
    const QString base = fileName.left(fileName.size() - kDocumentExtension.size());
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) {
        if (name.size() != fileName.size() || !name.startsWith(base))
            continue;
        const QStringView extension = QStringView(name).mid(base.size());
        const bool companion = extension.compare(u".xml", Qt::CaseInsensitive) == 0 ||
                               extension.compare(u".pdf", Qt::CaseInsensitive) == 0;
        if (companion && QFile::remove(folder.filePath(name)))
            ++removed;
    }
    // The backup generation of the pair goes with it: a deleted application leaves nothing.
    for (const QString& suffix : {QStringLiteral(".doc.bak"), QStringLiteral(".xml.bak")})
        QFile::remove(folder.filePath(base + suffix));
    return removed;
}

} // namespace velantor
