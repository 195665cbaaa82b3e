#include "document/ApplicationPrint.h"

#include <QDateTime>

#include "document/BarcodeRecord.h"
#include "document/PrintedRowFit.h"
#include "document/SolicitudBarcode.h"
#include "docengine/WordDocument.h"

using namespace Qt::Literals::StringLiterals;

namespace velantor {

barcode::BarcodeStamp printStampOf(const WordDocument& document) {
    const auto heading = document.bookmarkText(u"FECHAIMPR"_s);
    if (heading) {
        const QDateTime moment = QDateTime::fromString(heading->trimmed(), u"dd/MM/yyyy HH:mm:ss"_s);
        if (moment.isValid())
            return barcode::BarcodeStamp::at(moment);
    }
    return barcode::BarcodeStamp::at(QDateTime::currentDateTime());
}

Result<ApplicationPrint> ApplicationPrint::start(WordDocument& saved, const SolicitudDatos& datos,
                                                 const ApplicationPrintRequest& request,
                                                 PrintPrograms programs) {
    const barcode::BarcodeRecordInput input = barcodeRecordInput(datos);
    auto record = barcode::buildApplicationRecord(input);
    if (!record && !request.draft)
        return std::unexpected(record.error());

    PrintedCompletionOptions options;
    options.positionsPerPage = request.positionsPerPage;
    options.draft = request.draft;
    options.applicationsFolder = request.applicationsFolder;
    options.stamp = request.stamp.value_or(printStampOf(saved));
    options.pageCounter = request.pageCounter;
    options.advance = request.advance;
    options.condensedFace = condensedFaceAvailable();
    options.barcodeHeader = barcode::buildBarcodeHeader(input);
    options.applicationRecord = record.value_or(QString());

    ApplicationPrint print;
    writeNamesBesideCodes(saved, request.names);
    auto completion = PrintedCompletion::complete(saved, datos, options);
    if (!completion)
        return std::unexpected(completion.error());
    print.m_completion = std::move(*completion);

    print.m_job = std::make_unique<PrintJob>(std::move(programs));
    if (auto started = print.m_job->start(saved, request.storedDocument, request.pdfOutput); !started)
        return std::unexpected(started.error());
    return print;
}

} // namespace velantor
