#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include "document/ScanReader.h"
#include "document/ScannedBarcode.h"

namespace velantor {

// One scanned page as it came out of the reading ladder.
struct IntakePage {
    QString file; // the name shown in paginas.csv
    int page = 1; // 1-based within its file
    ScanReading reading;
};

// One row of paginas.csv: a page, or one barcode of a page that carries several.
struct IntakePageRow {
    QString fichero;
    int pagina = 0;
    QString estado; // leida, sin_codigo, ilegible, duplicada, otra_impresion
    QString solicitud;
    QString hoja;
    QString intento;
};

// One application of the batch: the newest print of one applicant's application.
struct IntakeApplication {
    QString solicitud;
    QString nif;
    QString cuerpo;
    QString grupo;
    QDateTime printed;
    int hojas = 0;                            // sheets of this print read
    QStringList record;                       // the first page's 37 fields (empty without it)
    QList<barcode::BarcodePosition> vacantes; // in page order
    QList<barcode::BarcodePosition> resultas;
    QString estado; // completa, incompleta, mezclada
    QStringList detalle;
};

// Groups the barcodes of a batch of scanned pages into applications and tells what each
// lacks: the first page, a position page (by its number or by the orders 1..n), a page
// after a full last one; the same barcode scanned twice; pages of an older print of the
// same application (the newest print is taken).
class IntakeBatch {
public:
    // `positionsPerPage`: the positions a full position page holds (the configuration's
    // numPlazasPorPag).
    static IntakeBatch group(const QList<IntakePage>& pages, int positionsPerPage);

    const QList<IntakePageRow>& rows() const { return m_rows; }
    const QList<IntakeApplication>& applications() const { return m_applications; }
    // True when every application is complete and every page with a barcode was read.
    bool allComplete() const;

    QByteArray paginasCsv() const;
    QByteArray solicitudesCsv() const;

private:
    QList<IntakePageRow> m_rows;
    QList<IntakeApplication> m_applications;
};

} // namespace velantor
