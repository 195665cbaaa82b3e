#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "Version.h"
#include "catalogues/Catalogues.h"
#include "catalogues/LoadingSequence.h"
#include "catalogues/ui/frmProgreso.h"
#include "document/ui/DocumentCommands.h"
#include "document/ui/PrintCommands.h"
#include "form/ConfiguracionSolicitud.h"
#include "form/ui/FormCatalogueTables.h"
#include "form/ui/frmSolicitudes.h"
#include "startup/Folders.h"
#include "startup/TableRegistry.h"
#include "widgets/MessageBoxService.h"

using namespace velantor;

namespace {

// The standard buttons of message boxes and dialogs ("Sí", "No", "Aceptar", "Cancelar").
void installSpanishTranslations(QApplication& app, QTranslator& translator) {
    if (translator.load(QLocale(QLocale::Spanish, QLocale::Spain), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&translator);
}

} // namespace

// Starts on the program folder (the executable's own): the bodies catalogue, the loading
// window for every other catalogue, then an empty application form. The login and the
// choice of a saved application come in front of the loading window once they exist.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kProgramName));
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    QTranslator translator;
    installSpanishTranslations(app, translator);

    MessageBoxService boxes;
    setMessageService(&boxes);
    MessageService& messages = messageService();
    const Folders folders = Folders::ofRunningProgram();

    catalogues::Catalogues loaded;
    TableRegistry registry;
    const auto closeTables = [&] {
        for (const auto& [name, table] : loaded.namedTables())
            registry.add(table);
        CerrarTablas(registry);
    };

    Result<TablePtr> bodies = catalogues::cargaCuerpos(folders.dataFolder(), messages);
    if (!bodies) {
        messages.inform(catalogues::bodiesLoadFailureText(), {}, MessageIcon::Critical);
        return 1;
    }
    loaded.rsCuerpos = *bodies;

    {
        catalogues::frmProgreso progress(loaded, folders.programFolder(), messages);
        if (progress.exec() != QDialog::Accepted || !progress.cargaTerminada()) {
            closeTables();
            return 1;
        }
    }

    Result<ConfiguracionSolicitud> configuration = leerConfiguracion(folders.programFolder());
    if (!configuration) {
        messages.inform(configuration.error().description, QStringLiteral("Configuración"),
                        MessageIcon::Critical);
        closeTables();
        return 1;
    }

    int result = 0;
    {
        frmSolicitudes form(formCatalogueTables(loaded), formWorkingTables(loaded), *configuration, messages,
                            folders.programFolder());
        installDocumentCommands(form, {formPrintCompletion(form), {}});
        form.show();
        result = app.exec();
    }
    closeTables();
    setMessageService(nullptr);
    return result;
}
