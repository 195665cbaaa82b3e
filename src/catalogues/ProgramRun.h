#pragma once

#include <expected>
#include <memory>

#include <QString>

#include "catalogues/ApplicationTables.h"
#include "catalogues/Catalogues.h"
#include "catalogues/ConfiguracionSolicitud.h"
#include "catalogues/ListBindings.h"
#include "catalogues/LoadingSequence.h"
#include "platform/Folders.h"
#include "platform/MessageService.h"

namespace velantor::catalogues {

// One run of the program on a program folder, as the window session and every command of
// the command-line tool load it: the bodies catalogue (read before login), then every other
// catalogue and "conf.xml" through the loading sequence, and the search tables and working
// tables an application form is bound to.
class ProgramRun {
public:
    explicit ProgramRun(Folders folders);

    const Folders& folders() const { return m_folders; }

    // Reads the bodies catalogue. A decoding failure has already been told through
    // `messages` when the error comes back (the caller then says bodiesLoadFailureText()).
    Result<void> loadBodies(MessageService& messages);
    const TablePtr& bodies() const { return m_bodies; }

    // Every other catalogue and the configuration, step by step, telling `callbacks`. The
    // bodies must be loaded. On success the new tables replace those of an earlier load,
    // which stay alive (retired) until the run ends, since a form that closed a moment ago
    // may still use them; a failure keeps what was loaded before.
    std::expected<void, LoadingFailure> loadCatalogues(MessageService& messages,
                                                       LoadingCallbacks callbacks = {});
    bool cataloguesLoaded() const { return m_catalogues != nullptr; }
    const Catalogues& catalogues() const { return *m_catalogues; }
    // Every table the run has loaded, the retired ones too: what the end of the run closes.
    std::vector<TablePtr> allTables() const;

    // "conf.xml" as the last load read it, whole.
    Result<ConfiguracionSolicitud> configuration() const;
    SearchTables searchTables() const { return SearchTables::fromCatalogues(*m_catalogues); }
    ApplicationTables workingTables() const { return workingTablesOf(*m_catalogues); }

    // The whole load without a window, for the command-line tool: bodies, every catalogue
    // and the configuration. The error text names what failed ("Paso N: …" for a step);
    // messages recorded on the way come first, one per line.
    static std::expected<std::unique_ptr<ProgramRun>, QString> open(const QString& programFolder);

private:
    Folders m_folders;
    TablePtr m_bodies;
    std::unique_ptr<Catalogues> m_catalogues;
    std::unique_ptr<Catalogues> m_retired;
    std::optional<ConfFile> m_conf;
};

} // namespace velantor::catalogues
