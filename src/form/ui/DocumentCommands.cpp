#include "form/ui/DocumentCommands.h"

#include "form/search/PositionSearch.h"

#include <QDir>

#include "form/search/PositionSearch.h"
#include "document/DocumentLoader.h"
#include "document/DocumentName.h"
#include "document/ExistingApplication.h"
#include "document/ui/frmProgresoGeneral.h"
#include "form/FormView.h"
#include "form/SolicitudDatos.h"
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

    const SolicitudDatos datos = applicationOf(form);

    GenerationRequest request;
    request.fileName = *name;
    request.applicationsFolder = folders.applicationsFolder();
    request.templatePath = templatePathOf(form, folders);
    request.tracePath = folders.programFile(QStringLiteral("traza.txt"));
    request.print = print;
    request.draft = draft;
    request.wordMajorVersion = wordMajorVersion();

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
        return checkExistingApplication(form.view(), folders.applicationsFolder(), form.messages(),
                                        [&form] { form.endWithoutSaving(); });
    });
}

Result<void> loadApplication(frmSolicitudes& form, const QString& fileName,
                             std::function<bool()> selectPositions) {
    const Folders folders = Folders::fromProgramFolder(form.programFolder());
    frmProgresoGeneral progress(&form);
    progress.show();

    const ApplicationTables& working = form.workingTables();
    DocumentLoader loader(
        form.view(), ApplicationTables{working.vacantes, working.resultas, working.cursos, working.documentos},
        form.messages(), &progress);
    if (!selectPositions)
        selectPositions = [&form] {
            const catalogues::BodyResult chosen = form.positionSearch().SeleccionaPlazasRS();
            tell(form.messages(), chosen);
            return chosen.has_value();
        };
    loader.setPositionSelection(std::move(selectPositions));
    const Result<void> loaded =
        loader.load(LoadRequest{fileName, folders.applicationsFolder(), templatePathOf(form, folders)});
    progress.close();
    if (!loaded)
        form.messages().inform(QStringLiteral("La solicitud «%1» no se ha podido cargar por completo: %2")
                                   .arg(fileName, loaded.error().description),
                               {}, MessageIcon::Critical);
    return loaded;
}

} // namespace velantor
