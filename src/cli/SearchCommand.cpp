#include <functional>
#include <optional>

#include <QRegularExpression>

#include "catalogues/ProgramRun.h"
#include "form/search/PositionSearch.h"
#include "cli/Command.h"
#include "form/HeadlessForm.h"
#include "platform/MessageService.h"
#include "form/ControlNames.h"

// velantor-cli search: the position search of one tab, driven through the same rules as
// the form's lists, for scripts and for checking the catalogues.

namespace velantor::cli {
namespace {

using namespace velantor::catalogues;

const QString kUsage = QStringLiteral(
    "search CARPETA_PROGRAMA --body CÓDIGO --group GRUPO [--tab V|R] [--province P] [--locality L] "
    "[--institution I] [--area A] [--zone Z] [--code N]");

struct SearchRequest {
    QString folder;
    QString body;
    QString group;
    SearchTab tab = SearchTab::Vacantes;
    // In the order the choices are made.
    std::optional<QString> province, locality, institution, area, zone, code;
};

class SearchError {
public:
    explicit SearchError(QString text) : m_text(std::move(text)) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

SearchRequest parse(const QStringList& args) {
    if (args.isEmpty())
        throw SearchError(QStringLiteral("falta la carpeta del programa"));
    SearchRequest request;
    request.folder = args.front();
    std::optional<QString> tab;
    const std::pair<QStringView, std::optional<QString>*> options[] = {
        {u"--body", nullptr},
        {u"--group", nullptr},
        {u"--tab", &tab},
        {u"--province", &request.province},
        {u"--locality", &request.locality},
        {u"--institution", &request.institution},
        {u"--area", &request.area},
        {u"--zone", &request.zone},
        {u"--code", &request.code},
    };
    std::optional<QString> body, group;
    for (int i = 1; i < args.size(); i += 2) {
        const QString& name = args[i];
        std::optional<QString>* target = nullptr;
        bool known = false;
        for (const auto& [option, slot] : options) {
            if (option == name) {
                known = true;
                target = slot ? slot : (name == u"--body" ? &body : &group);
            }
        }
        if (!known)
            throw SearchError(QStringLiteral("opción desconocida: ") + name);
        if (i + 1 >= args.size())
            throw SearchError(QStringLiteral("falta el valor de ") + name);
        if (target->has_value())
            throw SearchError(QStringLiteral("la opción %1 aparece más de una vez").arg(name));
        *target = args[i + 1];
    }
    if (!body || body->isEmpty())
        throw SearchError(QStringLiteral("falta --body con el código de la categoría"));
    if (!group || group->isEmpty())
        throw SearchError(QStringLiteral("falta --group con el grupo"));
    request.body = *body;
    request.group = *group;
    if (tab) {
        if (tab->compare(u"V", Qt::CaseInsensitive) == 0)
            request.tab = SearchTab::Vacantes;
        else if (tab->compare(u"R", Qt::CaseInsensitive) == 0)
            request.tab = SearchTab::Resultas;
        else
            throw SearchError(
                QStringLiteral("--tab debe ser V (vacantes) o R (resultas), no «%1»").arg(*tab));
    }
    if (request.code && !QRegularExpression(QStringLiteral("^[0-9]+$")).match(*request.code).hasMatch())
        throw SearchError(
            QStringLiteral("el código de plaza «%1» no es válido: sólo admite cifras").arg(*request.code));
    return request;
}

// One search list of a tab: its control, how the user knows it, and what the form does
// when the user picks a row in it.
struct SearchList {
    const char* option;
    QString list;
    QString caption;
    std::function<void()> picked;
};

class SearchRun {
public:
    SearchRun(const SearchRequest& request, SearchTables& tables, MessageService& messages)
        : m_request(request), m_messages(messages), m_search(m_form, tables) {
        m_form.bindLists(tables);
        m_search.setFocusMover([this] { m_form.focusNext(); });
    }

    void chooseBodyAndGroup() {
        // The form opens with no body or group: the search lists are closed.
        m_search.applyActivationRule();
        m_form.setText(ctl::cboCuerpo, m_request.body);
        if (!m_form.holdsValidEntry(ctl::cboCuerpo))
            throw SearchError(
                QStringLiteral("la categoría «%1» no está en la lista de categorías").arg(m_request.body));
        tell(m_messages, m_search.onBodyChosen());
        if (m_form.isEnabled(ctl::cboGrupo)) {
            m_form.setText(ctl::cboGrupo, m_request.group);
            if (!m_form.holdsValidEntry(ctl::cboGrupo))
                throw SearchError(
                    QStringLiteral("el grupo «%1» no está en la lista de grupos").arg(m_request.group));
            tell(m_messages, m_search.onGroupChosen());
        } else if (m_form.text(ctl::cboGrupo) != m_request.group) {
            throw SearchError(QStringLiteral("la categoría «%1» es del grupo %2, no admite el grupo «%3»")
                                  .arg(m_request.body, m_form.text(ctl::cboGrupo), m_request.group));
        }
        if (!m_search.positions(m_request.tab))
            throw SearchError(
                QStringLiteral("la categoría «%1» no tiene plazas cargadas").arg(m_request.body));
    }

    void chooseSearchValues() {
        const bool v = m_request.tab == SearchTab::Vacantes;
        PositionSearch& s = m_search;
        const std::pair<const std::optional<QString>*, SearchList> lists[] = {
            {&m_request.province,
             {"--province",
              v ? ctl::name(ctl::cboProvinciaVacantes) : ctl::name(ctl::cboProvinciaResultas),
              QStringLiteral("provincias"),
              [&s, v] {
                  v ? s.onVacancyProvince(ListEvent::Chosen) : s.onResultasProvince(ListEvent::Chosen);
              }}},
            {&m_request.locality,
             {"--locality",
              v ? ctl::name(ctl::cboLocalidadVacantes) : ctl::name(ctl::cboLocalidadResultas),
              QStringLiteral("localidades"),
              [&s, v] { v ? s.onVacancyLocalityChanged() : s.onResultasLocality(ListEvent::Chosen); }}},
            {&m_request.institution,
             {"--institution",
              v ? ctl::name(ctl::cboConsejeriaVacantes) : ctl::name(ctl::cboConsejeriaResultas),
              QStringLiteral("instituciones"),
              [&s, v] {
                  v ? s.onVacancyInstitution(ListEvent::Chosen) : s.onResultasInstitution(ListEvent::Chosen);
              }}},
            {&m_request.area,
             {"--area", v ? ctl::name(ctl::cboAreasVacantes) : ctl::name(ctl::cboAreasResultas),
              QStringLiteral("áreas"),
              [&s, v] { v ? s.onVacancyArea(ListEvent::Chosen) : s.onResultasArea(ListEvent::Chosen); }}},
            {&m_request.zone,
             {"--zone", v ? ctl::name(ctl::cboZonasVacantes) : ctl::name(ctl::cboZonasResultas),
              QStringLiteral("zonas básicas"),
              [&s, v] { v ? s.onVacancyZoneChanged() : s.onResultasZone(ListEvent::Chosen); }}},
        };
        for (const auto& [value, list] : lists)
            if (value->has_value())
                choose(list, **value);
        if (m_request.code) {
            m_form.setText(v ? ctl::txtCodVacante : ctl::txtCodResulta, *m_request.code);
            m_search.onCodeLeft(m_request.tab);
        }
    }

    void print(QTextStream& out) const {
        out << '"' << m_search.filter(m_request.tab) << "\"\n";
        const Table& positions = *m_search.positions(m_request.tab);
        const int code = positions.requireField(u"CodConvocatoria");
        for (int row = 0; row < positions.rowCount(); ++row)
            out << positions.textAt(row, code) << '\n';
    }

private:
    void choose(const SearchList& list, const QString& value) {
        if (!m_form.isEnabled(list.list))
            throw SearchError(closedListText(list));
        m_form.setText(list.list, value);
        if (!m_form.holdsValidEntry(list.list))
            throw SearchError(QStringLiteral("%1 %2: la lista de %3 no ofrece «%2» en este momento")
                                  .arg(QString::fromLatin1(list.option), value, list.caption));
        list.picked();
    }

    QString closedListText(const SearchList& list) const {
        QString reason;
        if (m_request.tab == SearchTab::Vacantes && m_form.text(ctl::cboProvinciaVacantes).isEmpty())
            reason = QStringLiteral(" (en vacantes hay que elegir antes la provincia, --province)");
        else if (list.list.contains(u"Zonas") &&
                 !m_form
                      .text(list.list.contains(u"Vacantes") ? ctl::cboLocalidadVacantes
                                                            : ctl::cboLocalidadResultas)
                      .isEmpty())
            reason = QStringLiteral(" (una localidad elegida excluye la zona básica)");
        else if (list.list.contains(u"Localidad"))
            reason = QStringLiteral(" (una zona básica elegida excluye la localidad)");
        return QStringLiteral("%1: la lista de %2 no está disponible en este momento%3")
            .arg(QString::fromLatin1(list.option), list.caption, reason);
    }

    const SearchRequest& m_request;
    MessageService& m_messages;
    HeadlessForm m_form;
    PositionSearch m_search;
};

int run(CommandContext& context) {
    SearchRequest request;
    try {
        request = parse(context.args);
    } catch (const SearchError& error) {
        context.err << "velantor-cli search: " << error.text() << "\nUso: velantor-cli " << kUsage << '\n';
        return kExitUsage;
    }

    RecordingMessageService messages;
    const auto printMessages = [&] {
        for (const Message& m : messages.messages())
            context.err << (m.title.isEmpty() ? QString() : m.title + QStringLiteral(": ")) << m.text << '\n';
        messages.clear();
    };
    const auto program = ProgramRun::open(request.folder);
    if (!program) {
        context.err << "velantor-cli search: " << program.error() << '\n';
        return kExitFailure;
    }

    SearchTables tables = (*program)->searchTables();
    SearchRun search(request, tables, messages);
    try {
        search.chooseBodyAndGroup();
        search.chooseSearchValues();
    } catch (const SearchError& error) {
        printMessages();
        context.err << "velantor-cli search: " << error.text() << '\n';
        return kExitUsage;
    }
    if (!messages.empty()) {
        printMessages();
        return kExitUsage;
    }
    search.print(context.out);
    return kExitOk;
}

const Registration reg(QStringLiteral("search"), kUsage, run);

} // namespace
} // namespace velantor::cli
