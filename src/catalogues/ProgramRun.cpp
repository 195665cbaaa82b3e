#include "catalogues/ProgramRun.h"

#include <algorithm>

namespace velantor::catalogues {

ProgramRun::ProgramRun(Folders folders) : m_folders(std::move(folders)) {}

Result<void> ProgramRun::loadBodies(MessageService& messages) {
    Result<TablePtr> bodies = cargaCuerpos(m_folders.dataFolder(), messages);
    if (!bodies)
        return std::unexpected(bodies.error());
    m_bodies = *bodies;
    return {};
}

std::expected<void, LoadingFailure> ProgramRun::loadCatalogues(MessageService& messages,
                                                               LoadingCallbacks callbacks) {
    auto loaded = std::make_unique<Catalogues>();
    loaded->rsCuerpos = m_bodies;
    LoadingSequence sequence(m_folders.programFolder(), messages);
    sequence.setCallbacks(std::move(callbacks));
    if (auto run = sequence.run(*loaded); !run)
        return run;
    m_conf = sequence.conf();
    m_retired = std::move(m_catalogues);
    m_catalogues = std::move(loaded);
    return {};
}

std::vector<TablePtr> ProgramRun::allTables() const {
    std::vector<TablePtr> tables;
    const auto add = [&](const TablePtr& table) {
        if (table && std::find(tables.begin(), tables.end(), table) == tables.end())
            tables.push_back(table);
    };
    add(m_bodies);
    for (const Catalogues* loaded : {m_catalogues.get(), m_retired.get()}) {
        if (!loaded)
            continue;
        for (const auto& [name, table] : loaded->namedTables())
            add(table);
    }
    return tables;
}

Result<ConfiguracionSolicitud> ProgramRun::configuration() const {
    if (!m_conf)
        return leerConfiguracion(m_folders.programFolder());
    return m_conf->configuracion();
}

std::expected<std::unique_ptr<ProgramRun>, QString> ProgramRun::open(const QString& programFolder) {
    auto run = std::make_unique<ProgramRun>(Folders::fromProgramFolder(programFolder));
    RecordingMessageService messages;
    const auto failed = [&](const QString& text) {
        QString shown;
        for (const Message& m : messages.messages())
            shown += m.text + u'\n';
        return std::unexpected(shown + text);
    };
    if (!run->loadBodies(messages))
        return failed(bodiesLoadFailureText());
    if (const auto loaded = run->loadCatalogues(messages); !loaded)
        return failed(QStringLiteral("paso %1: %2").arg(loaded.error().step).arg(loaded.error().message()));
    if (const Result<ConfiguracionSolicitud> conf = run->configuration(); !conf)
        return failed(conf.error().description);
    return run;
}

} // namespace velantor::catalogues
