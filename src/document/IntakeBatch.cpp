#include "document/IntakeBatch.h"

#include <algorithm>
#include <map>
#include <set>

namespace velantor {
namespace {

const QString kLeida = QStringLiteral("leida");
const QString kIlegible = QStringLiteral("ilegible");

struct Sheet {
    ScannedBarcode barcode;
    qsizetype row = 0; // its row in paginas.csv
};

// One print of one application.
struct Print {
    QDateTime printed;
    QList<Sheet> sheets;
};

QString listName(QChar letter) {
    return letter == barcode::kVacanciesLetter ? QStringLiteral("vacantes") : QStringLiteral("resultas");
}

QString sheetName(QChar letter, int page) {
    return letter + QStringLiteral("%1").arg(page, 3, 10, QChar(u'0'));
}

QString ordersText(qint64 from, qint64 to) {
    return from == to ? QStringLiteral("la %1").arg(from) : QStringLiteral("de la %1 a la %2").arg(from).arg(to);
}

// The sheets of one list in page order: the gaps in their numbers and in the orders, and
// a full last sheet that may hide a next one.
void checkList(const QList<const ScannedBarcode*>& sheets, QChar letter, int positionsPerPage,
               QList<barcode::BarcodePosition>& positions, QStringList& missing) {
    const QString name = listName(letter);
    qint64 expected = 1;
    int previousPage = 0;
    for (const ScannedBarcode* sheet : sheets) {
        const auto onSheet = sheet->positions();
        if (!onSheet) {
            missing << QStringLiteral("la hoja %1 no trae una lista de puestos válida").arg(sheet->sheet());
            continue;
        }
        const bool pageGap = previousPage > 0 && sheet->page > previousPage + 1;
        for (int page = previousPage + 1; pageGap && page < sheet->page; ++page)
            missing << QStringLiteral("falta la hoja %1").arg(sheetName(letter, page));
        for (qsizetype i = 0; i < onSheet->size(); ++i) {
            const barcode::BarcodePosition& position = onSheet->at(i);
            // A missing sheet already explains the orders it held.
            if (position.orden > expected && !(i == 0 && pageGap))
                missing << QStringLiteral("faltan las órdenes %1 de %2")
                               .arg(ordersText(expected, position.orden - 1), name);
            expected = std::max(expected, position.orden + 1);
            positions.append(position);
        }
        previousPage = sheet->page;
    }
    if (!sheets.isEmpty()) {
        const auto last = sheets.back()->positions();
        if (last && positionsPerPage > 0 && last->size() >= positionsPerPage)
            missing << QStringLiteral("la última hoja de %1 (%2) está llena: puede faltar la siguiente")
                           .arg(name, sheets.back()->sheet());
    }
}

QByteArray csvField(const QString& value) {
    if (!value.contains(u',') && !value.contains(u'"') && !value.contains(u'\n') && !value.contains(u'\r'))
        return value.toUtf8();
    QString quoted = value;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return '"' + quoted.toUtf8() + '"';
}

QByteArray csvLine(const QStringList& fields) {
    QByteArray line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += ',';
        line += csvField(fields[i]);
    }
    return line + "\r\n";
}

} // namespace

IntakeBatch IntakeBatch::group(const QList<IntakePage>& pages, int positionsPerPage) {
    IntakeBatch batch;
    std::set<QByteArray> seen;
    std::map<QString, std::map<QDateTime, Print>> applicants; // key → print stamp → print
    QStringList order;                                        // applicants in order of first sight
    for (const IntakePage& page : pages) {
        IntakePageRow row{page.file, page.page, {}, {}, {}, page.reading.step};
        if (page.reading.outcome != ScanReading::Outcome::Read) {
            row.estado = page.reading.outcome == ScanReading::Outcome::NoBarcode ? QStringLiteral("sin_codigo")
                                                                                  : kIlegible;
            batch.m_rows.append(row);
            continue;
        }
        for (const QByteArray& payload : page.reading.payloads) {
            IntakePageRow item = row;
            const auto barcode = ScannedBarcode::parse(barcode::barcodeTextFromBytes(payload));
            if (!barcode) {
                // A barcode, but not one of an application page.
                item.estado = kIlegible;
                batch.m_rows.append(item);
                continue;
            }
            item.solicitud = barcode->solicitudId();
            item.hoja = barcode->sheet();
            if (!seen.insert(payload).second) {
                item.estado = QStringLiteral("duplicada");
                batch.m_rows.append(item);
                continue;
            }
            item.estado = kLeida;
            const QString key = barcode->applicationKey();
            if (!applicants.contains(key))
                order << key;
            Print& print = applicants[key][barcode->printed];
            print.printed = barcode->printed;
            print.sheets.append(Sheet{*barcode, batch.m_rows.size()});
            batch.m_rows.append(item);
        }
    }

    for (const QString& key : order) {
        auto& prints = applicants[key];
        const Print& newest = prints.rbegin()->second;
        const ScannedBarcode& any = newest.sheets.front().barcode;
        IntakeApplication application;
        application.solicitud = any.solicitudId();
        application.nif = any.dni.trimmed();
        application.cuerpo = any.cuerpo;
        application.grupo = any.grupo.trimmed();
        application.printed = newest.printed;
        application.hojas = int(newest.sheets.size());

        QList<const ScannedBarcode*> vacancies, resultas;
        const ScannedBarcode* first = nullptr;
        for (const Sheet& sheet : newest.sheets) {
            if (sheet.barcode.letter == barcode::kFirstPageLetter)
                first = &sheet.barcode;
            else
                (sheet.barcode.letter == barcode::kVacanciesLetter ? vacancies : resultas).append(&sheet.barcode);
        }
        const auto byPage = [](const ScannedBarcode* a, const ScannedBarcode* b) { return a->page < b->page; };
        std::sort(vacancies.begin(), vacancies.end(), byPage);
        std::sort(resultas.begin(), resultas.end(), byPage);

        QStringList missing;
        if (!first)
            missing << QStringLiteral("falta la primera hoja (P001)");
        else if ((application.record = first->recordFields()).isEmpty())
            missing << QStringLiteral("la primera hoja no trae los 37 datos de la solicitud");
        checkList(vacancies, barcode::kVacanciesLetter, positionsPerPage, application.vacantes, missing);
        checkList(resultas, barcode::kResultasLetter, positionsPerPage, application.resultas, missing);

        QStringList others;
        for (auto it = prints.begin(); it != prints.end(); ++it) {
            if (it->first == newest.printed)
                continue;
            const Print& older = it->second;
            others << older.sheets.front().barcode.solicitudId();
            for (const Sheet& sheet : older.sheets)
                batch.m_rows[sheet.row].estado = QStringLiteral("otra_impresion");
        }
        if (!others.isEmpty()) {
            application.estado = QStringLiteral("mezclada");
            application.detalle << QStringLiteral("se toma la impresión %1; hay hojas de otra impresión: %2")
                                       .arg(application.solicitud, others.join(QStringLiteral(", ")));
        } else {
            application.estado = missing.isEmpty() ? QStringLiteral("completa") : QStringLiteral("incompleta");
        }
        application.detalle += missing;
        batch.m_applications.append(application);
    }
    return batch;
}

bool IntakeBatch::allComplete() const {
    const bool unreadable =
        std::any_of(m_rows.begin(), m_rows.end(), [](const IntakePageRow& row) { return row.estado == kIlegible; });
    const bool incomplete = std::any_of(m_applications.begin(), m_applications.end(),
                                        [](const IntakeApplication& a) { return a.estado != u"completa"; });
    return !unreadable && !incomplete;
}

QByteArray IntakeBatch::paginasCsv() const {
    QByteArray csv = csvLine({QStringLiteral("fichero"), QStringLiteral("pagina"), QStringLiteral("estado"),
                              QStringLiteral("solicitud"), QStringLiteral("hoja"), QStringLiteral("intento")});
    for (const IntakePageRow& row : m_rows)
        csv += csvLine({row.fichero, QString::number(row.pagina), row.estado, row.solicitud, row.hoja, row.intento});
    return csv;
}

QByteArray IntakeBatch::solicitudesCsv() const {
    QByteArray csv = csvLine({QStringLiteral("solicitud"), QStringLiteral("nif"), QStringLiteral("cuerpo"),
                              QStringLiteral("grupo"), QStringLiteral("impresion"), QStringLiteral("hojas"),
                              QStringLiteral("vacantes"), QStringLiteral("resultas"), QStringLiteral("estado"),
                              QStringLiteral("detalle")});
    for (const IntakeApplication& a : m_applications)
        csv += csvLine({a.solicitud, a.nif, a.cuerpo, a.grupo,
                        a.printed.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")), QString::number(a.hojas),
                        QString::number(a.vacantes.size()), QString::number(a.resultas.size()), a.estado,
                        a.detalle.join(QStringLiteral("; "))});
    return csv;
}

} // namespace velantor
