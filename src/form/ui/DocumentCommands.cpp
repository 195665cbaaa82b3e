#include "form/ui/DocumentCommands.h"

#include <QDir>

#include "document/ApplicationLock.h"
#include "document/DocumentLoader.h"
#include "document/DocumentName.h"
#include "document/ExistingApplication.h"
#include "document/ui/frmProgresoGeneral.h"
#include "form/FormView.h"
#include "form/SolicitudDatos.h"
#include "form/search/PositionSearch.h"
#include "form/ui/frmSolicitudes.h"
#include "platform/MessageService.h"
#include "platform/Folders.h"
#include "form/ControlNames.h"

namespace velantor {
namespace {

QString templatePathOf(const frmSolicitudes& form, const Folders& folders) {
    return templatePathFor(folders.dataFolder(), form.templateFolderName());
}

} // namespace

SolicitudDatos applicationOf(const frmSolicitudes& form) {
    SolicitudDatos datos;
    datos.readFrom(form.view());
    const ApplicationTables& working = form.workingTables();
    datos.vacantes = working.vacantes;
    datos.resultas = working.resultas;
    datos.cursos = working.cursos;
    datos.documentos = working.documentos;
    return datos;
}

bool saveApplication(frmSolicitudes& form, bool print, bool draft, const DocumentCommandOptions& options) {
    FormView& view = form.view();
    MessageService& messages = form.messages();
    const Folders folders = Folders::fromProgramFolder(form.programFolder());

    if (options.beforeSave)
        options.beforeSave(view.text(ctl::txtDNI));
    // The name is formed before the identifying fields are locked, so that a value the
    // name cannot hold can still be corrected.
    const Result<QString> name =
        documentFileName(view.text(ctl::txtDNI), view.text(ctl::cboCuerpo), view.text(ctl::cboGrupo));
    if (!name) {
        messages.inform(name.error().description, QStringLiteral("Datos no válidos"),
                        MessageIcon::Exclamation);
        return false;
    }
    for (QStringView control : {ctl::cboCuerpo, ctl::cboGrupo, ctl::txtDNI})
        view.setEnabled(control, false);

    frmProgresoGeneral progress(&form);
    progress.show();
    progress.setText(QStringLiteral("Guardando Datos ..."));

    GenerationRequest request;
    request.fileName = *name;
    request.applicationsFolder = folders.applicationsFolder();
    request.templatePath = templatePathOf(form, folders);
    request.tracePath = folders.programFile(QStringLiteral("traza.txt"));
    request.print = print;
    request.draft = draft;
    request.wordMajorVersion = wordMajorVersion();

    // The pair is written only under its lock, which the window then keeps.
    if (!form.applicationLock() || form.applicationLock()->documentPath() != request.documentPath()) {
        Result<std::unique_ptr<ApplicationLock>> lock = ApplicationLock::acquire(request.documentPath(), 2000);
        if (!lock) {
            progress.close();
            messages.inform(lock.error().description + QStringLiteral(" La solicitud no se ha guardado."),
                            QStringLiteral("Guardar solicitud"), MessageIcon::Exclamation);
            return false;
        }
        form.holdApplicationLock(std::move(*lock));
    }

    const SolicitudDatos datos = applicationOf(form);
    DocumentGenerator generator(datos, messages, &progress);
    generator.setPrintCompletion(options.printCompletion);
    const Result<void> done = generator.run(request);
    progress.close();
    if (!done) {
        messages.inform(done.error().description, {}, MessageIcon::Critical);
        return false;
    }
    // The word processor's work goes on after a print; the form's timer ends it and gives
    // the commands back.
    if (print)
        form.startPrintTimer();
    return true;
}

void installDocumentCommands(frmSolicitudes& form, DocumentCommandOptions options) {
    form.setSaveHandler(
        [&form, options](bool print, bool draft) { return saveApplication(form, print, draft, options); });
    form.setExistingApplicationCheck([&form] {
        const Folders folders = Folders::fromProgramFolder(form.programFolder());
        const std::optional<Message> question =
            existingApplicationQuestion(form.view(), folders.applicationsFolder());
        if (!question)
            return false;
        answerExistingApplication(form.view(), form.messages().show(*question),
                                  [&form] { form.endWithoutSaving(); });
        return true;
    });
}

Result<void> loadApplication(frmSolicitudes& form, const QString& fileName,
                             std::function<bool()> selectPositions) {
    const Folders folders = Folders::fromProgramFolder(form.programFolder());
    MessageService& messages = form.messages();
    const LoadRequest request{fileName, folders.applicationsFolder(), templatePathOf(form, folders)};

    // Open elsewhere: shown for reading only, since this window must not write it.
    // A folder where no lock file can be made (read-only) cannot be written either: it opens.
    Result<std::unique_ptr<ApplicationLock>> lock = ApplicationLock::acquire(request.documentPath());
    const bool openElsewhere = !lock && lock.error().number == errors::kFileLocked;
    if (openElsewhere)
        messages.inform(lock.error().description +
                            QStringLiteral(" Se abre solo para consultarla: no podrá guardarla aquí mientras siga "
                                           "abierta allí."),
                        QStringLiteral("Solicitud abierta"), MessageIcon::Exclamation);

    frmProgresoGeneral progress(&form);
    progress.show();
    const ApplicationTables& working = form.workingTables();
    DocumentLoader loader(
        form.view(), ApplicationTables{working.vacantes, working.resultas, working.cursos, working.documentos},
        &progress);
    if (!selectPositions)
        selectPositions = [&form] {
            const catalogues::BodyResult chosen = form.positionSearch().SeleccionaPlazasRS();
            tell(form.messages(), chosen);
            return chosen.has_value();
        };
    loader.setPositionSelection(std::move(selectPositions));
    const Result<LoadedApplication> loaded = loader.load(request);
    progress.close();

    if (!loaded) {
        // Neither a refused document nor part of one may be saved over the stored pair.
        const QString text = loaded.error().number == errors::kNotAnApplication
                                 ? loaded.error().description
                                 : QStringLiteral("La solicitud «%1» no se ha podido cargar por completo: %2")
                                       .arg(fileName, loaded.error().description);
        messages.inform(text, {}, MessageIcon::Critical);
        form.keepStoredApplication(text);
        return std::unexpected(loaded.error());
    }
    if (loaded->damagedPositions)
        messages.inform(loaded->damagedPositions->description, PositionsXml::messageTitle(),
                        MessageIcon::Exclamation);
    if (loaded->positionsRefusal)
        messages.show(*loaded->positionsRefusal);
    if (lock)
        form.holdApplicationLock(std::move(*lock));
    else if (openElsewhere)
        form.keepStoredApplication(lock.error().description +
                                   QStringLiteral(" Mientras siga abierta allí, aquí no se puede guardar."));
    return {};
}

} // namespace velantor
