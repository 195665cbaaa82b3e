#include "startup/ui/ProgramSession.h"

#include <QApplication>

#include "catalogues/Catalogues.h"
#include "catalogues/LoadingSequence.h"
#include "catalogues/ui/frmProgreso.h"
#include "document/ui/DocumentCommands.h"
#include "document/ui/PrintCommands.h"
#include "form/ConfiguracionSolicitud.h"
#include "form/FormView.h"
#include "catalogues/ListBindings.h"
#include "form/FormWorkingTables.h"
#include "form/ui/frmSolicitudes.h"
#include "platform/MessageService.h"
#include "startup/SavedApplications.h"
#include "startup/TableRegistry.h"
#include "startup/ui/frmCreaPwd.h"
#include "startup/ui/frmSeleccion.h"
#include "startup/ui/frmUsuario.h"

namespace velantor {

ProgramSession::ProgramSession(Folders folders, MessageService& messages, DocumentServices documents,
                               QObject* parent)
    : QObject(parent), m_folders(std::move(folders)), m_messages(messages), m_documents(std::move(documents)) {}

ProgramSession::~ProgramSession() {
    m_ended = true;
    delete m_selection.data();
    delete m_form.data();
}

frmSolicitudes* ProgramSession::form() const {
    return m_form.data();
}

frmSeleccion* ProgramSession::selection() const {
    return m_selection.data();
}

bool ProgramSession::start() {
    Result<TablePtr> bodies = catalogues::cargaCuerpos(m_folders.dataFolder(), m_messages);
    if (!bodies) {
        m_messages.inform(catalogues::bodiesLoadFailureText(), {}, MessageIcon::Critical);
        return false;
    }
    m_rsCuerpos = *bodies;

    {
        frmUsuario login(m_registry, m_folders.programFile(QStringLiteral("usuarios.xml")), m_run);
        login.exec();
    }
    // Left the login, or the registry could not be read: the program ends without a word.
    if (!m_run.UsuarioValidado)
        return false;

    m_solicitudes = ListarSolicitudes(m_folders.applicationsFolder(), m_run.DNIUsuario, *m_rsCuerpos);
    if (m_solicitudes->rowCount() < 1) {
        if (!loadCatalogues())
            return false;
        m_run.FicheroSolicitud.clear();
        AbrirSolicitud();
        return m_form != nullptr;
    }
    showSelection(false);
    return true;
}

bool ProgramSession::loadCatalogues() {
    auto loaded = std::make_unique<catalogues::Catalogues>();
    loaded->rsCuerpos = m_rsCuerpos;
    catalogues::frmProgreso progress(*loaded, m_folders.programFolder(), m_messages);
    if (progress.exec() != QDialog::Accepted || !progress.cargaTerminada())
        return false;
    // A form that closed a moment ago may still be on its way out: its tables stay until
    // the next load.
    m_retiredCatalogues = std::move(m_catalogues);
    m_catalogues = std::move(loaded);
    return true;
}

void ProgramSession::showSelection(bool fromForm) {
    auto* window = new frmSeleccion(m_solicitudes, m_folders.applicationsFolder(), m_rsCuerpos, m_run,
                                    fromForm ? frmSeleccion::Modo::CargarOtra : frmSeleccion::Modo::Inicio);
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_selection = window;
    connect(window, &frmSeleccion::cargarSolicitud, this, [this](const QString& fichero) { openChosen(fichero); });
    connect(window, &frmSeleccion::solicitudNueva, this, [this] { openChosen({}); });
    connect(window, &frmSeleccion::solicitudesCambiadas, this,
            [this](const TablePtr& solicitudes) { m_solicitudes = solicitudes; });
    connect(window, &QDialog::finished, this, [this, window] {
        // Closed without a choice and no form behind it: nothing is left open.
        if (window->eleccion() == frmSeleccion::Eleccion::Ninguna && !m_form)
            end();
    });
    window->show();
}

void ProgramSession::openChosen(const QString& fichero) {
    m_run.FicheroSolicitud = fichero;
    if (!loadCatalogues()) {
        end();
        return;
    }
    AbrirSolicitud();
}

void ProgramSession::AbrirSolicitud() {
    Result<ConfiguracionSolicitud> configuration = leerConfiguracion(m_folders.programFolder());
    if (!configuration) {
        m_messages.inform(configuration.error().description, QStringLiteral("Configuración"), MessageIcon::Critical);
        end();
        return;
    }
    auto* form = new frmSolicitudes(catalogues::SearchTables::fromCatalogues(*m_catalogues),
                                    formWorkingTables(*m_catalogues), *configuration, m_messages,
                                    m_folders.programFolder());
    form->setAttribute(Qt::WA_DeleteOnClose);
    m_form = form;
    form->setUserHasPassword(m_run.UsuarioConPwd);
    form->setPasswordStep([this](const QString& dni) { return ensurePassword(dni); });
    installDocumentCommands(*form, documentOptions(*form));
    if (m_documents.save)
        form->setSaveHandler([this, form](bool print, bool draft) { return m_documents.save(*form, print, draft); });
    connect(form, &frmSolicitudes::changePasswordRequested, this, &ProgramSession::changePassword);
    connect(form, &frmSolicitudes::switchApplicationRequested, this, [this] {
        m_switching = true;
        // Listed again, so that what was saved in this run is offered too.
        m_solicitudes = ListarSolicitudes(m_folders.applicationsFolder(), m_run.DNIUsuario, *m_rsCuerpos);
        showSelection(true);
    });
    connect(form, &QObject::destroyed, this, &ProgramSession::formClosed);
    form->show();

    // The identity number of an application is the one that logged in, never edited.
    form->view().setText(u"txtDNI", m_run.DNIUsuario);
    form->view().setEnabled(u"txtDNI", false);
    if (!m_run.FicheroSolicitud.isEmpty())
        loadApplication(*form, m_run.FicheroSolicitud);
}

DocumentCommandOptions ProgramSession::documentOptions(frmSolicitudes& form) const {
    DocumentCommandOptions options;
    options.printCompletion = formPrintCompletion(form);
    return options;
}

bool ProgramSession::ensurePassword(const QString& dni) {
    if (m_registry.ExisteUsuario(dni))
        return false;
    frmCreaPwd window(m_registry, m_form);
    window.setStrDNI(dni);
    window.exec();
    m_run.UsuarioConPwd = true;
    return true;
}

void ProgramSession::changePassword(const QString& dni) {
    frmCreaPwd window(m_registry, m_form);
    window.setStrDNI(dni);
    window.exec();
}

void ProgramSession::formClosed() {
    if (m_switching) {
        m_switching = false;
        return;
    }
    end();
}

void ProgramSession::end() {
    if (m_ended)
        return;
    m_ended = true;
    if (m_selection)
        m_selection->close();
    TableRegistry tables;
    for (const auto* loaded : {m_catalogues.get(), m_retiredCatalogues.get()}) {
        if (!loaded)
            continue;
        for (const auto& [name, table] : loaded->namedTables())
            tables.add(table);
    }
    if (m_rsCuerpos)
        tables.add(m_rsCuerpos);
    if (m_solicitudes)
        tables.add(m_solicitudes);
    CerrarTablas(tables);
    emit finished();
}

} // namespace velantor
