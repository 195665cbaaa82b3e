#include "form/ui/PrintCommands.h"

#include <memory>

#include <QPointer>

#include "document/ApplicationPrint.h"
#include "document/ui/frmProgresoGeneral.h"
#include "form/ui/DocumentCommands.h"
#include "form/ControlNames.h"
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
        print.names = namesBesideCodes(form.view());
        // The saving's progress window, when one is showing, moves on with every printed row.
        if (QPointer<frmProgresoGeneral> progress = form.findChild<frmProgresoGeneral*>();
            progress && progress->isVisible())
            print.advance = [progress] {
                if (progress)
                    progress->advance();
            };
        auto started = ApplicationPrint::start(generated.document, datos, print, programs);
        if (!started)
            return std::unexpected(started.error());

        // The form owns the job until its timer has seen it end.
        PrintJob* job = started->takeJob().release();
        job->setParent(&form);
        MessageService& messages = form.messages();
        // One message at a time: what the job has to say when it ends while the "wait"
        // message is still open is said once that message has been answered.
        struct Said {
            bool waiting = true;
            QString text;
            MessageIcon icon = MessageIcon::Information;
        };
        auto said = std::make_shared<Said>();
        QObject::connect(job, &PrintJob::finished, &form, [job, &messages, said] {
            const QString text = job->userMessage();
            if (text.isEmpty())
                return;
            const MessageIcon icon = *job->outcome() ? MessageIcon::Information : MessageIcon::Critical;
            if (said->waiting) {
                said->text = text;
                said->icon = icon;
                return;
            }
            messages.inform(text, u"Impresión"_s, icon);
        });
        QObject::connect(&form, &frmSolicitudes::printTimerElapsed, job, &QObject::deleteLater,
                         Qt::SingleShotConnection);
        messages.inform(printingMessage(), u"Impresión"_s, MessageIcon::Information);
        said->waiting = false;
        if (!said->text.isEmpty())
            messages.inform(said->text, u"Impresión"_s, said->icon);
        form.startPrintTimer(job);
        return {};
    };
}

} // namespace velantor
