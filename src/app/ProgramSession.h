#pragma once

#include <functional>
#include <memory>

#include <QObject>
#include <QPointer>
#include <QString>

#include "catalogues/ProgramRun.h"
#include "platform/Folders.h"
#include "tables/Table.h"
#include "startup/RunValues.h"
#include "startup/UserRegistry.h"

namespace velantor {

class frmSeleccion;
class frmSolicitudes;
class MessageService;
struct DocumentCommandOptions;

// Writing an application to its document (and printing it). Without one, every form
// gets the real document generator and printing; tests give their own to watch the calls.
struct DocumentServices {
    std::function<bool(frmSolicitudes& form, bool print, bool draft)> save;
};

// One run of the program, from the login to the end: the bodies catalogue, the login
// window, the listing of the saved applications, then either the loading window and an
// empty form or the selection window, which in turn leads to the loading window and the
// form. "Cargar otra solicitud" brings the selection window back; the run ends when the
// last window closes.
//
// Every window is the real one; tests drive them through the accessors and answer the
// questions with a scripted message service.
class ProgramSession : public QObject {
    Q_OBJECT
public:
    ProgramSession(Folders folders, MessageService& messages, DocumentServices documents = {},
                   QObject* parent = nullptr);
    ~ProgramSession() override;

    // The start-up sequence. False when the program is to end at once: the bodies could not
    // be loaded, the login was left, or the first loading failed.
    bool start();

    const RunValues& run() const { return m_run; }
    const Folders& folders() const { return m_program.folders(); }
    UserRegistry& registry() { return m_registry; }
    // The application form now open (SolicitudActual), or nullptr.
    frmSolicitudes* form() const;
    // The selection window now open, or nullptr.
    frmSeleccion* selection() const;
    // The catalogues behind the open form.
    const catalogues::Catalogues* catalogues() const {
        return m_program.cataloguesLoaded() ? &m_program.catalogues() : nullptr;
    }

    // Opens the form for DNIUsuario, with FicheroSolicitud loaded into it when set.
    void AbrirSolicitud();

signals:
    // The run is over: no window of it is left open.
    void finished();

private:
    bool loadCatalogues();
    DocumentCommandOptions documentOptions(frmSolicitudes& form) const;
    void showSelection(bool fromForm);
    void openChosen(const QString& fichero);
    bool ensurePassword(const QString& dni);
    void changePassword(const QString& dni);
    void formClosed();
    void end();

    catalogues::ProgramRun m_program;
    MessageService& m_messages;
    DocumentServices m_documents;
    RunValues m_run;
    UserRegistry m_registry;
    TablePtr m_solicitudes;
    QPointer<frmSolicitudes> m_form;
    QPointer<frmSeleccion> m_selection;
    bool m_switching = false;
    bool m_ended = false;
};

} // namespace velantor
