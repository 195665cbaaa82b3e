#pragma once

#include <memory>

#include <QString>
#include <QTextStream>

#include "catalogues/ListBindings.h"
#include "catalogues/ProgramRun.h"
#include "form/search/PositionSearch.h"
#include "catalogues/ConfiguracionSolicitud.h"
#include "form/HeadlessForm.h"
#include "form/SolicitudDatos.h"
#include "platform/MessageService.h"
#include "platform/Folders.h"

namespace velantor::cli {

// A failure of fill or export: the message and the exit code.
struct SessionError {
    QString text;
    int exitCode;
};

// A program folder loaded as the program loads it before the application form opens
// (bodies, every other catalogue, the configuration), with a form without a window bound
// to those catalogues and the position search over it: what fill and export work on.
class ApplicationSession {
public:
    static std::expected<std::unique_ptr<ApplicationSession>, SessionError>
    open(const QString& programFolder);

    ApplicationSession(const ApplicationSession&) = delete;
    ApplicationSession& operator=(const ApplicationSession&) = delete;

    const Folders& folders() const { return m_program->folders(); }
    const ConfiguracionSolicitud& configuration() const { return m_configuration; }
    QString templatePath() const;
    HeadlessForm& form() { return m_form; }
    catalogues::PositionSearch& search() { return m_search; }
    RecordingMessageService& messages() { return m_messages; }

    // Puts an application into the form as the window holds it (the options' rules run),
    // checking that every list value is a code of its catalogue and every requested
    // position one of the body's; then reads it back with the chosen rows' columns.
    std::expected<void, SessionError> enter(SolicitudDatos& datos);

    // Every message recorded so far, one per line, then forgotten.
    void printMessages(QTextStream& err);
    // A message as a line of the error stream: "title: text", or the text alone.
    static void printMessage(QTextStream& err, const Message& message);

private:
    explicit ApplicationSession(std::unique_ptr<catalogues::ProgramRun> program);

    std::unique_ptr<catalogues::ProgramRun> m_program;
    ConfiguracionSolicitud m_configuration;
    RecordingMessageService m_messages;
    catalogues::SearchTables m_tables;
    HeadlessForm m_form;
    catalogues::PositionSearch m_search;
};

} // namespace velantor::cli
