#include "app/ProgramSession.h"

#include <QApplication>

#include "catalogues/LoadingSequence.h"
#include "catalogues/ui/frmProgreso.h"
#include "form/ui/DocumentCommands.h"
#include "form/ui/PrintCommands.h"
#include "catalogues/ConfiguracionSolicitud.h"
#include "form/FormView.h"
#include "form/ui/frmSolicitudes.h"
#include "platform/MessageService.h"
#include "startup/SavedApplications.h"
#include "startup/TableRegistry.h"
#include "startup/ui/frmCreaPwd.h"
#include "startup/ui/frmSeleccion.h"
#include "startup/ui/frmUsuario.h"
#include "form/ControlNames.h"
#include "widgets/OwnerActivation.h"

namespace velantor {

ProgramSession::ProgramSession(Folders folders, MessageService& messages, DocumentServices documents,
                               QObject* parent)
    : QObject(parent), m_program(std::move(folders)), m_messages(messages), m_documents(std::move(documents)) {
    keepActivationWithOwners();
}

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
    if (!m_program.loadBodies(m_messages)) {
        m_messages.inform(catalogues::bodiesLoadFailureText(), {}, MessageIcon::Critical);
        return false;
    }

    {
        frmUsuario login(m_registry, folders().programFile(QStringLiteral("usuarios.xml")), m_run);
        login.exec();
    }
    // Left the login, or the registry could not be read: the program ends without a word.
    if (!m_run.UsuarioValidado)
        return false;

    m_solicitudes = ListarSolicitudes(folders().applicationsFolder(), m_run.DNIUsuario, *m_program.bodies());
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
    catalogues::frmProgreso progress(m_program, m_messages);
    return progress.exec() == QDialog::Accepted && progress.cargaTerminada();
}

void ProgramSession::showSelection(bool fromForm) {
    auto* window = new frmSeleccion(m_solicitudes, folders().applicationsFolder(), m_program.bodies(), m_run,
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
    window->raise();
    window->activateWindow();
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
    Result<ConfiguracionSolicitud> configuration = m_program.configuration();
    if (!configuration) {
        m_messages.inform(configuration.error().description, QStringLiteral("Configuración"), MessageIcon::Critical);
        end();
        return;
    }
    auto* form = new frmSolicitudes(m_program.searchTables(), m_program.workingTables(), *configuration, m_messages,
                                    folders().programFolder());
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
        m_solicitudes = ListarSolicitudes(folders().applicationsFolder(), m_run.DNIUsuario, *m_program.bodies());
        showSelection(true);
    });
    connect(form, &QObject::destroyed, this, &ProgramSession::formClosed);
    // The form follows windows that have just closed: it asks for the keyboard itself, so
    // that a person at the keyboard can go on typing without reaching for the mouse.
    form->show();
    form->raise();
    form->activateWindow();

    // The identity number of an application is the one that logged in, never edited.
    form->view().setText(ctl::txtDNI, m_run.DNIUsuario);
    form->view().setEnabled(ctl::txtDNI, false);
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
    for (const TablePtr& table : m_program.allTables())
        tables.add(table);
    if (m_solicitudes)
        tables.add(m_solicitudes);
    CerrarTablas(tables);
    emit finished();
}

} // namespace velantor
