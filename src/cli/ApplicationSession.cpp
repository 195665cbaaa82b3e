#include "cli/ApplicationSession.h"

#include "cli/Command.h"
#include "document/DocumentGenerator.h"
#include "form/ControlNames.h"

namespace velantor::cli {
namespace {

std::unexpected<SessionError> usageError(const QString& text) {
    return std::unexpected(SessionError{text, kExitUsage});
}

// The requested positions must be positions of the body: the window offers no others.
std::expected<void, SessionError> checkPositions(const Table& requested, const TablePtr& offered,
                                                 const QString& list) {
    if (requested.totalRowCount() == 0)
        return {};
    if (!offered)
        return usageError(
            QStringLiteral("la categoría elegida no tiene plazas que solicitar en «%1»").arg(list));
    const TablePtr all = offered->clone();
    all->clearFilter();
    const TablePtr rows = requested.clone();
    rows->clearFilter();
    const int code = rows->requireField(u"CodConvocatoria");
    const int offeredCode = all->requireField(u"CodConvocatoria");
    for (int row = 0; row < rows->rowCount(); ++row) {
        const QString value = rows->textAt(row, code);
        if (all->findEqual(offeredCode, value) < 0)
            return usageError(QStringLiteral("la plaza «%1» de «%2» no es una plaza de la categoría elegida")
                                  .arg(value, list));
    }
    return {};
}

} // namespace

ApplicationSession::ApplicationSession(std::unique_ptr<catalogues::ProgramRun> program)
    : m_program(std::move(program)), m_configuration(*m_program->configuration()),
      m_tables(m_program->searchTables()), m_search(m_form, m_tables) {
    m_form.bindLists(m_tables);
}

std::expected<std::unique_ptr<ApplicationSession>, SessionError>
ApplicationSession::open(const QString& programFolder) {
    auto program = catalogues::ProgramRun::open(programFolder);
    if (!program)
        return std::unexpected(SessionError{program.error(), kExitFailure});
    return std::unique_ptr<ApplicationSession>(new ApplicationSession(std::move(*program)));
}

QString ApplicationSession::templatePath() const {
    return templatePathFor(folders().dataFolder(), m_configuration.templateFolderName());
}

std::expected<void, SessionError> ApplicationSession::enter(SolicitudDatos& datos) {
    datos.writeTo(m_form);
    std::vector<FormControl> lists;
    for (const FormControl& control : formControls())
        if (control.kind == ControlKind::Combo)
            lists.push_back(control);
    lists.push_back(FormControl{ctl::name(ctl::cboSituaciones), ControlKind::Combo, {}});
    for (const FormControl& list : lists) {
        const QString value = datos.text(list.name);
        if (value.isEmpty() || !m_form.isBound(list.name))
            continue;
        if (!m_form.holdsValidEntry(list.name)) {
            const TablePtr table = m_form.listTable(list.name);
            return usageError(
                QStringLiteral("el código «%1» de «%2» no está en su catálogo (%3)")
                    .arg(value, list.name, table ? table->name() : QStringLiteral("sin tabla")));
        }
    }
    const QString body = m_form.text(ctl::cboCuerpo);
    const QString bodyGroup = m_form.comboColumn(ctl::cboCuerpo, 2).trimmed();
    if (!body.isEmpty() && !body.startsWith(u'X') && m_form.text(ctl::cboGrupo) != bodyGroup)
        return usageError(QStringLiteral("la categoría «%1» es del grupo «%2», no del grupo «%3»")
                              .arg(body, bodyGroup, m_form.text(ctl::cboGrupo)));
    if (!body.isEmpty() && !m_form.text(ctl::cboGrupo).isEmpty()) {
        tell(m_messages, m_search.SeleccionaPlazasRS());
        if (auto checked =
                checkPositions(*datos.vacantes, m_tables.rsPlazasVacantes, QStringLiteral("Vacantes"));
            !checked)
            return checked;
        if (auto checked =
                checkPositions(*datos.resultas, m_tables.rsPlazasResultas, QStringLiteral("Resultas"));
            !checked)
            return checked;
    }
    datos.readFrom(m_form);
    if (const Result<void> named = m_form.unknownControls(); !named)
        return std::unexpected(SessionError{named.error().description, kExitFailure});
    return {};
}

void ApplicationSession::printMessage(QTextStream& err, const Message& message) {
    err << (message.title.isEmpty() ? QString() : message.title + QStringLiteral(": ")) << message.text << '\n';
}

void ApplicationSession::printMessages(QTextStream& err) {
    for (const Message& m : m_messages.messages())
        printMessage(err, m);
    m_messages.clear();
}

} // namespace velantor::cli
