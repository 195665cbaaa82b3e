#include "catalogues/CatalogueDump.h"

#include <QDir>

#include "platform/SafeFile.h"

namespace velantor::catalogues {
namespace {

Result<void> writeText(const QDir& dir, const QString& fileName, const QString& text) {
    return writeFileAtomically(dir.filePath(fileName), text.toUtf8());
}

QString line(const QStringList& values) {
    QStringList escaped;
    escaped.reserve(values.size());
    for (const QString& v : values)
        escaped.append(escapeTsvValue(v));
    return escaped.join(u'\t') + u'\n';
}

} // namespace

QString escapeTsvValue(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case u'\\':
            out += QStringLiteral("\\\\");
            break;
        case u'\t':
            out += QStringLiteral("\\t");
            break;
        case u'\r':
            out += QStringLiteral("\\r");
            break;
        case u'\n':
            out += QStringLiteral("\\n");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString tableTsv(Table& table) {
    const QString filter = table.filter();
    table.clearFilter();
    QStringList values;
    for (int f = 0; f < table.fieldCount(); ++f)
        values.append(table.field(f).name);
    QString text = line(values);
    for (int r = 0; r < table.rowCount(); ++r) {
        values.clear();
        for (int f = 0; f < table.fieldCount(); ++f)
            values.append(table.field(f).type == FieldType::Integer ? QString::number(table.numberAt(r, f))
                                                                    : table.textAt(r, f));
        text += line(values);
    }
    if (!filter.isEmpty())
        table.setFilter(filter);
    return text;
}

Result<void> dumpCatalogues(const Catalogues& catalogues, const QString& folder) {
    const QDir dir(folder);
    if (!dir.mkpath(QStringLiteral(".")))
        return std::unexpected(
            makeError(errors::kPathNotFound,
                      QStringLiteral("No se puede crear la carpeta ") + QDir::toNativeSeparators(folder)));
    for (const auto& [name, table] : catalogues.namedTables()) {
        if (auto r = writeText(dir, name + QStringLiteral(".tsv"), tableTsv(*table)); !r)
            return r;
    }

    QString bodySlots = QStringLiteral("CodCuerpo\tTodasLasPlazas\n");
    for (std::size_t i = 0; i < catalogues.PlazasPorCuerpo.size(); ++i) {
        const PlazasPorCuerpoEntry& entry = catalogues.PlazasPorCuerpo[i];
        if (entry.empty()) {
            bodySlots += u'\n';
            continue;
        }
        bodySlots +=
            line({entry.CodCuerpo, entry.TodasLasPlazas ? QStringLiteral("True") : QStringLiteral("False")});
        const QString prefix = QStringLiteral("PlazasPorCuerpo_%1_").arg(i);
        if (auto r = writeText(dir, prefix + QStringLiteral("R.tsv"), tableTsv(*entry.Resultas)); !r)
            return r;
        if (auto r = writeText(dir, prefix + QStringLiteral("V.tsv"), tableTsv(*entry.Vacantes)); !r)
            return r;
    }
    if (auto r = writeText(dir, QStringLiteral("PlazasPorCuerpo.tsv"), bodySlots); !r)
        return r;

    QString groupSlots = QStringLiteral("Grupo\n");
    for (std::size_t i = 0; i < catalogues.PlazasPorGrupo.size(); ++i) {
        const PlazasPorGrupoEntry& entry = catalogues.PlazasPorGrupo[i];
        if (!entry.Resultas || !entry.Vacantes) {
            groupSlots += u'\n';
            continue;
        }
        groupSlots += line({entry.Grupo});
        const QString prefix = QStringLiteral("PlazasPorGrupo_%1_").arg(i);
        if (auto r = writeText(dir, prefix + QStringLiteral("R.tsv"), tableTsv(*entry.Resultas)); !r)
            return r;
        if (auto r = writeText(dir, prefix + QStringLiteral("V.tsv"), tableTsv(*entry.Vacantes)); !r)
            return r;
    }
    return writeText(dir, QStringLiteral("PlazasPorGrupo.tsv"), groupSlots);
}

} // namespace velantor::catalogues
