#include "catalogues/LoadingSequence.h"

#include <QDir>

#include "Version.h"
#include "catalogues/CargaListaPlazas.h"
#include "catalogues/CatalogueTables.h"
#include "catalogues/ConfiguracionSolicitud.h"
#include "catalogues/DerivedPositionTables.h"
#include "catalogues/FileErrors.h"
#include "catalogues/PlainRecord.h"
#include "catalogues/ApplicationTables.h"
#include "platform/CodePage.h"

namespace velantor::catalogues {
namespace {

const QString kNoticeFile = QStringLiteral("FicheroTexto.txt");

TablePtr cloneSorted(const TablePtr& table, const QString& sort) {
    TablePtr clone = table->clone();
    clone->sort(sort);
    return clone;
}

} // namespace

QString dataFolderFor(const QString& programFolder) {
    return QDir(programFolder).filePath(QStringLiteral("ficheros"));
}

Result<TablePtr> cargaCuerpos(const QString& dataFolder, MessageService& messages) {
    TablePtr bodies = createBodyTable(QStringLiteral("rsCuerpos"));
    CatalogueReader reader(dataFolder, messages);
    const Result<void> read = reader.readCuerpos(*bodies, QStringLiteral("F0004.enc"));
    if (!read)
        return std::unexpected(read.error());
    return bodies;
}

QString bodiesLoadFailureText() {
    return QStringLiteral("No se han podido cargar los catálogos del programa. El programa se cerrará.");
}

QString LoadingFailure::message() const {
    if (kind == LoadingFailureKind::Positions)
        return QStringLiteral("error al cargar plazas");
    return QStringLiteral("Error en línea ") + QString::number(step) + u'.' + error.description + u' ' +
           QString::number(error.number);
}

Result<QString> readNoticeText(const QString& path) {
    const Result<QByteArray> bytes = readWholeFile(path);
    if (!bytes)
        return std::unexpected(bytes.error());
    QString text;
    forEachLine(fromAnsi(*bytes), [&](QStringView line) {
        text += QStringLiteral("\r\n");
        text += line;
    });
    return text;
}

QString windowCaption(const QString& name) {
    return name + u' ' + QString::number(kVersionMajor) + u'.' + QString::number(kVersionMinor) + u'.' +
           QString::number(kVersionRevision);
}

LoadingSequence::LoadingSequence(QString programFolder, MessageService& messages)
    : m_programFolder(std::move(programFolder)), m_dataFolder(dataFolderFor(m_programFolder)),
      m_messages(messages),
      m_reader(m_dataFolder, messages), m_builders{&CargaPlazasPorCuerpo, &CargaPlazasPorGrupo} {}

void LoadingSequence::call(const std::function<void()>& f) {
    if (f)
        f();
}

void LoadingSequence::begin(int step) {
    m_step = step;
    if (m_callbacks.stepBegun)
        m_callbacks.stepBegun(step);
}

void LoadingSequence::advance(double amount) {
    m_value += amount;
    if (m_callbacks.progressChanged)
        m_callbacks.progressChanged(m_value, m_maximum);
}

void LoadingSequence::setMaximum(double maximum) {
    m_maximum = maximum;
    if (m_callbacks.progressChanged)
        m_callbacks.progressChanged(m_value, m_maximum);
}

LoadingFailure LoadingSequence::failure(const Error& error, LoadingFailureKind kind) const {
    return LoadingFailure{m_step, error, kind};
}

std::expected<void, LoadingFailure> LoadingSequence::run(Catalogues& catalogues) {
    m_value = 0;
    m_maximum = 0;
    m_step = 0;
    Catalogues loaded;
    loaded.rsCuerpos = catalogues.rsCuerpos;
    std::expected<void, LoadingFailure> result = runSteps(loaded);
    if (result)
        catalogues = std::move(loaded);
    return result;
}

std::expected<void, LoadingFailure> LoadingSequence::runSteps(Catalogues& c) {
    using std::unexpected;
    const auto fail = [this](const Error& e) { return unexpected(failure(e)); };

    begin(10);
    begin(20);
    begin(30);
    const Result<QString> notice = readNoticeText(QDir(m_dataFolder).filePath(kNoticeFile));
    if (!notice)
        return fail(notice.error());
    m_title = *notice;
    if (m_callbacks.titleRead)
        m_callbacks.titleRead(m_title);

    begin(50);
    Result<ConfFile> conf = ConfFile::read(m_programFolder);
    if (!conf)
        return fail(conf.error());
    m_conf = *conf;
    begin(60);
    const Result<QString> name = conf->nombre();
    if (!name)
        return fail(name.error());
    begin(70);
    m_caption = windowCaption(*name);
    if (m_callbacks.captionSet)
        m_callbacks.captionSet(m_caption);

    begin(80);
    begin(90);
    setMaximum(660);
    begin(100);
    if (!c.rsCuerpos)
        return fail(makeError(
            errors::kInvalidProcedureCall,
            QStringLiteral("La tabla de categorías no se ha cargado antes de los demás catálogos")));
    setMaximum(m_maximum + kStepSize * c.rsCuerpos->totalRowCount() * 4);
    begin(110);
    m_value = 0;
    advance(0);

    begin(120);
    c.rsAreas = createAreaTable(QStringLiteral("rsAreas"));
    begin(130);
    c.rsSituaciones = createSituationTable(QStringLiteral("rsSituaciones"));
    if (auto r = m_reader.readSituaciones(*c.rsSituaciones, QStringLiteral("F0015.enc")); !r)
        return fail(r.error());
    begin(140);
    c.rsZonas = createZoneTable(QStringLiteral("rsZonas"));
    begin(150);
    c.rsGrupos = createGroupTable(QStringLiteral("rsGrupos"));
    if (auto r = m_reader.readGrupos(*c.rsGrupos, QStringLiteral("F0005.enc")); !r)
        return fail(r.error());
    c.rsAreasVrk = createAreaTable(QStringLiteral("rsAreasVrk"));
    c.rsZonasVrk = createZoneTable(QStringLiteral("rsZonasVrk"));
    begin(160);
    if (auto r = m_reader.readZonas(*c.rsZonas, QStringLiteral("F0013.enc")); !r)
        return fail(r.error());
    begin(170);
    if (auto r = m_reader.readAreasA(*c.rsAreas, QStringLiteral("F0014.enc")); !r)
        return fail(r.error());
    if (auto r = m_reader.readAreasB(*c.rsAreasVrk, QStringLiteral("F0014.enc")); !r)
        return fail(r.error());
    if (auto r = m_reader.readZonas(*c.rsZonasVrk, QStringLiteral("F0013.enc")); !r)
        return fail(r.error());
    // The zones read before the areas get their province now that the areas are known.
    completeZoneProvinces(*c.rsZonas, *c.rsAreas);
    completeZoneProvinces(*c.rsZonasVrk, *c.rsAreas);
    begin(180);
    setMaximum(m_maximum + kStepSize * c.rsGrupos->totalRowCount());
    begin(190);
    advance();

    begin(200);
    c.rsLocalidades = createLocalityTable(QStringLiteral("rsLocalidades"));
    if (auto r = m_reader.readLocalidades(*c.rsLocalidades, QStringLiteral("F0003.enc")); !r)
        return fail(r.error());
    c.rsLocalidadesVrk = cloneSorted(c.rsLocalidades, QStringLiteral(" Localidad ASC "));
    begin(210);
    advance();
    begin(220);
    call(m_callbacks.repaint);
    begin(230);
    call(m_callbacks.letPendingEventsRun);
    begin(240);
    c.working.cursos = velantor::createCursosTable();
    begin(250);
    advance();
    begin(260);
    c.rsInstitucionLocalidad = createInstitutionLocalityTable(QStringLiteral("rsInstitucionLocalidad"));
    if (auto r = m_reader.readInstitucionLocalidad(*c.rsInstitucionLocalidad, QStringLiteral("F0016.enc"));
        !r)
        return fail(r.error());
    begin(270);
    call(m_callbacks.repaint);
    begin(280);
    call(m_callbacks.letPendingEventsRun);
    begin(290);
    c.rsConsejeriasVacantes = createInstitutionTable(QStringLiteral("rsConsejeriasVacantes"));
    if (auto r = m_reader.readConsejerias(*c.rsConsejeriasVacantes, QStringLiteral("F0006.enc")); !r)
        return fail(r.error());
    begin(300);
    c.rsConsejeriasResultas = createInstitutionTable(QStringLiteral("rsConsejeriasResultas"));
    if (auto r = m_reader.readConsejerias(*c.rsConsejeriasResultas, QStringLiteral("F0006.enc")); !r)
        return fail(r.error());
    begin(310);
    advance();
    begin(320);
    c.rsProvinciasVrk = createProvinceTable(QStringLiteral("rsProvinciasVrk"));
    begin(330);
    advance();
    begin(340);
    if (auto r = m_reader.readProvincias(*c.rsProvinciasVrk, QStringLiteral("F0002.enc")); !r)
        return fail(r.error());
    begin(350);
    advance();
    begin(360);
    c.rsProvincias = createProvinceTable(QStringLiteral("rsProvincias"));
    begin(370);
    advance();
    begin(380);
    call(m_callbacks.repaint);
    begin(390);
    call(m_callbacks.letPendingEventsRun);
    begin(400);
    if (auto r = m_reader.readProvincias(*c.rsProvincias, QStringLiteral("F0001.enc")); !r)
        return fail(r.error());
    begin(410);
    advance();
    begin(420);
    c.working.resultas = velantor::createPositionListTable(QStringLiteral("Resultas"));
    begin(430);
    advance();
    begin(440);
    c.working.vacantes = velantor::createPositionListTable(QStringLiteral("Vacantes"));
    begin(450);
    advance();

    begin(460);
    c.rsConvocatoriasResultas = createPositionTable(QStringLiteral("rsConvocatoriasResultas"));
    if (auto r =
            m_reader.readConvocatorias(*c.rsConvocatoriasResultas, QStringLiteral("F0010.enc"), *c.rsAreas);
        !r)
        return unexpected(failure(r.error(), LoadingFailureKind::Positions));
    begin(470);
    advance();
    begin(480);
    c.rsConvocatoriasVacantes = createPositionTable(QStringLiteral("rsConvocatoriasVacantes"));
    if (auto r =
            m_reader.readConvocatorias(*c.rsConvocatoriasVacantes, QStringLiteral("F0009.enc"), *c.rsAreas);
        !r)
        return unexpected(failure(r.error(), LoadingFailureKind::Positions));
    begin(490);
    advance();
    begin(500);
    c.rsPlazasCuerpo = createBodyMapTable(QStringLiteral("rsPlazasCuerpo"));
    if (auto r = m_reader.readPlazasCuerpo(*c.rsPlazasCuerpo, QStringLiteral("F0008.enc")); !r)
        return fail(r.error());
    begin(510);
    advance();
    begin(520);
    c.rsPlazasGrupo = createGroupMapTable(QStringLiteral("rsPlazasGrupo"));
    if (auto r = m_reader.readPlazasGrupo(*c.rsPlazasGrupo, QStringLiteral("F0007.enc")); !r)
        return fail(r.error());
    begin(530);
    advance();
    begin(540);
    call(m_callbacks.repaint);
    begin(550);
    call(m_callbacks.letPendingEventsRun);
    begin(560);
    if (auto r = CargaListaPlazas(QStringLiteral("R"), c.rsListaResultas, m_reader, c); !r)
        return fail(r.error());
    begin(570);
    advance();
    begin(580);
    if (auto r = CargaListaPlazas(QStringLiteral("V"), c.rsListaVacantes, m_reader, c); !r)
        return fail(r.error());
    begin(590);
    advance();

    const std::function<void()> step = [this] { advance(); };
    begin(600);
    c.PlazasPorCuerpo = m_builders.porCuerpo(c, step);
    begin(610);
    advance();
    begin(620);
    c.PlazasPorGrupo = m_builders.porGrupo(c, step);
    begin(630);
    advance();

    begin(640);
    c.rsLocalidadesVacantes = createLocalityTable(QStringLiteral("rsLocalidadesVacantes"));
    if (auto r = m_reader.readLocalidades(*c.rsLocalidadesVacantes, QStringLiteral("F0003.enc")); !r)
        return fail(r.error());
    begin(650);
    advance(1);
    begin(660);
    c.rsLocalidadesResultas = createLocalityTable(QStringLiteral("rsLocalidadesResultas"));
    if (auto r = m_reader.readLocalidades(*c.rsLocalidadesResultas, QStringLiteral("F0003.enc")); !r)
        return fail(r.error());
    begin(670);
    c.working.documentos = velantor::createDocumentosTable();
    begin(680);
    advance(1);
    begin(690);
    begin(700);
    m_value = m_maximum;
    advance(0);
    begin(710);
    return {};
}

} // namespace velantor::catalogues
