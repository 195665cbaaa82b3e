#include "form/ui/PrintCommands.h"

#include "document/ApplicationPrint.h"
#include "form/ui/DocumentCommands.h"
#include "form/SolicitudDatos.h"
#include "form/ui/frmSolicitudes.h"
#include "platform/MessageService.h"

using namespace Qt::Literals::StringLiterals;

namespace velantor {

QString printingMessage() {
    return u"IMPORTANTE: Espere unos momentos, se está imprimiendo la solicitud. Cuando estén todas las "
           u"hojas "
           u"impresas, pulse el botón Aceptar."_s;
}

DocumentGenerator::PrintCompletion formPrintCompletion(frmSolicitudes& form, PrintPrograms programs) {
    return [&form, programs](GeneratedDocument& generated, const GenerationRequest& request) -> Result<void> {
        const SolicitudDatos datos = applicationOf(form);

        ApplicationPrintRequest print;
        print.storedDocument = request.documentPath();
        print.applicationsFolder = request.applicationsFolder;
        print.positionsPerPage = form.configuration().plazasPorPagina();
        print.draft = request.draft;
        print.stamp = barcode::BarcodeStamp{generated.date, generated.time};
        print.pageCounter = generated.pageCounter;
        auto started = ApplicationPrint::start(generated.document, datos, print, programs);
        if (!started)
            return std::unexpected(started.error());

        // The form owns the job until its timer has seen it end.
        PrintJob* job = started->takeJob().release();
        job->setParent(&form);
        MessageService& messages = form.messages();
        QObject::connect(job, &PrintJob::finished, &form, [job, &messages] {
            const QString said = job->userMessage();
            if (!said.isEmpty())
                messages.inform(said, u"Impresión"_s,
                                *job->outcome() ? MessageIcon::Information : MessageIcon::Critical);
        });
        QObject::connect(&form, &frmSolicitudes::printTimerElapsed, job, &QObject::deleteLater,
                         Qt::SingleShotConnection);
        messages.inform(printingMessage(), u"Impresión"_s, MessageIcon::Information);
        form.startPrintTimer(job);
        return {};
    };
}

} // namespace velantor
