#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "BruteForce.h"
#include "CatalogueTestFolder.h"
#include "catalogues/LoadingSequence.h"
#include "platform/MessageService.h"

using namespace velantor;
using namespace velantor::catalogues;
using velantor::catalogues::testing::bruteForceCopy;
using velantor::catalogues::testing::copySampleProgram;
using velantor::catalogues::testing::tableRows;
using velantor::catalogues::testing::writeBytes;

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

// A copy of the sample program folder and a run of the sequence over it, recording what
// the window would be told.
class LoadingSequenceTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    RecordingMessageService messages;
    Catalogues catalogues;
    std::vector<int> steps;
    std::vector<int> pauses;
    double lastValue = -1;
    double lastMaximum = -1;
    double valueBeforeStep700 = -1;

    void SetUp() override {
        copySampleProgram(dir.path());
        ASSERT_FALSE(HasFatalFailure());
    }

    QString file(const char* relative) const { return QDir(dir.path()).filePath(s(relative)); }

    void loadBodies() {
        const auto bodies = cargaCuerpos(dataFolderFor(dir.path()), messages);
        ASSERT_TRUE(bodies.has_value());
        catalogues.rsCuerpos = *bodies;
    }

    std::expected<void, LoadingFailure> run() {
        LoadingSequence sequence(dir.path(), messages);
        steps.clear();
        pauses.clear();
        lastValue = -1;
        LoadingCallbacks callbacks;
        callbacks.stepBegun = [this](int step) {
            if (step == 700)
                valueBeforeStep700 = lastValue;
            steps.push_back(step);
        };
        callbacks.progressChanged = [this](double value, double maximum) {
            EXPECT_GE(value, lastValue); // only ever increased
            lastValue = value;
            lastMaximum = maximum;
        };
        callbacks.letPendingEventsRun = [this] { pauses.push_back(steps.back()); };
        sequence.setCallbacks(callbacks);
        auto result = sequence.run(catalogues);
        title = sequence.title();
        caption = sequence.caption();
        return result;
    }

    QString title;
    QString caption;
};

} // namespace

TEST_F(LoadingSequenceTest, LoadsTheSampleProgramFolder) {
    loadBodies();
    const auto loaded = run();
    ASSERT_TRUE(loaded.has_value()) << loaded.error().message().toStdString();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(steps.front(), 10);
    EXPECT_EQ(steps.back(), 710);
    EXPECT_EQ(pauses, (std::vector<int>{230, 280, 390, 550}));

    const int bodies = catalogues.rsCuerpos->totalRowCount();
    const int groups = catalogues.rsGrupos->totalRowCount();
    EXPECT_EQ(bodies, 80);
    EXPECT_EQ(groups, 6);
    EXPECT_EQ(lastMaximum, 660 + 30 * 4 * bodies + 30 * groups);
    EXPECT_EQ(lastValue, lastMaximum);
    // The sample has a body of group "X", whose four steps are never taken.
    EXPECT_LE(valueBeforeStep700, lastMaximum - 4 * 30);

    EXPECT_EQ(caption, s("Concurso de Traslados ONDEX 2025 1.2.0"));
    EXPECT_TRUE(title.startsWith(s("\r\nCONCURSO DE TRASLADOS")));
    EXPECT_TRUE(title.contains(
        s("\r\nConvocatoria 2025. Cumplimente todos los apartados, guarde la solicitud e imprímala.")));

    for (const auto& [name, table] : catalogues.namedTables())
        EXPECT_TRUE(table->isOpen()) << name.toStdString();
    EXPECT_EQ(catalogues.namedTables().size(), 26u);
    EXPECT_EQ(catalogues.working.vacantes->totalRowCount(), 0);
    EXPECT_EQ(catalogues.working.documentos->fieldCount(), 5);
    EXPECT_EQ(catalogues.rsProvincias->totalRowCount(), 52);
    EXPECT_EQ(catalogues.rsProvinciasVrk->totalRowCount(), 3);
    // Decoding writes nothing into the data folder.
    EXPECT_FALSE(QFile::exists(file("ficheros/temp.tmp")));
}

TEST_F(LoadingSequenceTest, SampleTablesHoldWhatTheReadersPromise) {
    loadBodies();
    ASSERT_TRUE(run().has_value());
    // Localities in name order in all three tables (and in the clone of the first), though
    // the file lists them by code.
    const auto names = [](const TablePtr& t) {
        QStringList list;
        for (int r = 0; r < t->rowCount(); ++r)
            list << t->textAt(r, t->requireField(u"Localidad"));
        return list;
    };
    const QStringList sorted = names(catalogues.rsLocalidades);
    ASSERT_EQ(sorted.size(), 650);
    EXPECT_EQ(names(catalogues.rsLocalidadesVrk), sorted);
    EXPECT_EQ(names(catalogues.rsLocalidadesVacantes), sorted);
    EXPECT_EQ(names(catalogues.rsLocalidadesResultas), sorted);
    EXPECT_NE(names(allRowsInTableOrder(*catalogues.rsLocalidades)), sorted);
    EXPECT_LT(sorted.indexOf(s("Astorga")), sorted.indexOf(s("Bañeza, La")));
    EXPECT_LT(sorted.indexOf(s("Bañeza, La")), sorted.indexOf(s("León")));
    EXPECT_LT(sorted.indexOf(s("León")), sorted.indexOf(s("Zamora")));
    // Zones: names with their accents after the OEM conversion, and a province from the area.
    const TablePtr zones = allRowsInTableOrder(*catalogues.rsZonas);
    bool sawBaneza = false;
    for (int r = 0; r < zones->rowCount(); ++r) {
        EXPECT_EQ(zones->textAt(r, zones->requireField(u"CodProvincia")).size(), 2) << r;
        sawBaneza = sawBaneza || zones->textAt(r, zones->requireField(u"Zona")) == s("La Bañeza");
    }
    EXPECT_TRUE(sawBaneza);
    // Every vacancy has its area name and a province taken from its locality code.
    const TablePtr vacancies = allRowsInTableOrder(*catalogues.rsConvocatoriasVacantes);
    for (int r = 0; r < vacancies->rowCount(); ++r) {
        EXPECT_FALSE(vacancies->textAt(r, vacancies->requireField(u"Area")).isEmpty()) << r;
        EXPECT_EQ(vacancies->textAt(r, vacancies->requireField(u"CodProvincia")),
                  vacancies->textAt(r, vacancies->requireField(u"CodLocalidad")).left(2));
    }
}

TEST_F(LoadingSequenceTest, SampleDerivedTablesMatchABruteForceBuild) {
    loadBodies();
    ASSERT_TRUE(run().has_value());
    const auto& byBody = catalogues.PlazasPorCuerpo;
    ASSERT_EQ(byBody.size(), 160u);
    EXPECT_TRUE(byBody[158].empty());
    EXPECT_TRUE(byBody[159].empty());
    EXPECT_FALSE(byBody[157].empty());
    int compared = 0;
    for (const std::size_t slot : {std::size_t(0), std::size_t(1), std::size_t(80), std::size_t(81),
                                   std::size_t(120), std::size_t(157)}) {
        const PlazasPorCuerpoEntry& e = byBody[slot];
        EXPECT_EQ(e.TodasLasPlazas, slot % 2 == 0);
        EXPECT_EQ(tableRows(*e.Vacantes),
                  bruteForceCopy(*catalogues.rsPlazasCuerpo, u"CodCuerpo", e.CodCuerpo,
                                 e.TodasLasPlazas ? *catalogues.rsConvocatoriasVacantes
                                                  : *catalogues.rsListaVacantes,
                                 true));
        EXPECT_EQ(tableRows(*e.Resultas),
                  bruteForceCopy(*catalogues.rsPlazasCuerpo, u"CodCuerpo", e.CodCuerpo,
                                 e.TodasLasPlazas ? *catalogues.rsConvocatoriasResultas
                                                  : *catalogues.rsListaResultas,
                                 true));
        compared += e.Vacantes->totalRowCount();
    }
    EXPECT_GT(compared, 50);
    for (const PlazasPorGrupoEntry& g : catalogues.PlazasPorGrupo) {
        EXPECT_EQ(tableRows(*g.Vacantes), bruteForceCopy(*catalogues.rsPlazasGrupo, u"CodGrupo", g.Grupo,
                                                         *catalogues.rsListaVacantes, false));
        EXPECT_EQ(tableRows(*g.Resultas), bruteForceCopy(*catalogues.rsPlazasGrupo, u"CodGrupo", g.Grupo,
                                                         *catalogues.rsListaResultas, false));
    }
}

TEST_F(LoadingSequenceTest, FailuresNameTheirStep) {
    loadBodies();
    struct Case {
        const char* remove;
        int step;
        int number;
    };
    for (const Case& c : {Case{"ficheros/FicheroTexto.txt", 30, 53}, Case{"conf.xml", 50, 53},
                          Case{"ficheros/F0015.enc", 130, 53}, Case{"ficheros/F0014.enc", 170, 53},
                          Case{"ficheros/F0016.enc", 260, 53}, Case{"ficheros/F0007.enc", 520, 53},
                          Case{"ficheros/F0012.enc", 560, 53}, Case{"ficheros/F0003.enc", 200, 53}}) {
        SCOPED_TRACE(c.remove);
        const QByteArray saved = velantor::catalogues::testing::readBytes(file(c.remove));
        ASSERT_TRUE(QFile::remove(file(c.remove)));
        messages.clear();
        const auto loaded = run();
        writeBytes(file(c.remove), saved);
        ASSERT_FALSE(loaded.has_value());
        const LoadingFailure& f = loaded.error();
        EXPECT_EQ(f.kind, LoadingFailureKind::Step);
        EXPECT_EQ(f.step, c.step);
        EXPECT_EQ(f.error.number, c.number);
        EXPECT_EQ(f.message(), s("Error en línea ") + QString::number(c.step) + u'.' + f.error.description +
                                   u' ' + QString::number(c.number));
        // Catalogue files first show their own decoding message.
        const bool catalogue = QString::fromLatin1(c.remove).endsWith(u".enc");
        EXPECT_EQ(messages.messages().size(), catalogue ? 1u : 0u);
    }
}

TEST_F(LoadingSequenceTest, AFailureLeavesTheLoadedTablesAsTheyWere) {
    loadBodies();
    ASSERT_TRUE(run().has_value());
    const TablePtr before = catalogues.rsConvocatoriasVacantes;
    ASSERT_TRUE(QFile::remove(file("ficheros/F0016.enc")));
    ASSERT_FALSE(run().has_value());
    EXPECT_EQ(catalogues.rsConvocatoriasVacantes, before);
    EXPECT_EQ(catalogues.PlazasPorCuerpo.size(), 160u);
}

TEST_F(LoadingSequenceTest, ConfigurationFailures) {
    loadBodies();
    writeBytes(file("conf.xml"), "<Configuracion numPlazasPorPag=\"40\"/>");
    auto loaded = run();
    ASSERT_FALSE(loaded.has_value());
    EXPECT_EQ(loaded.error().step, 60);
    EXPECT_EQ(loaded.error().error.number, errors::kMissingXmlItem);

    writeBytes(file("conf.xml"), "<Configuracion Nombre=\"Roto\">");
    loaded = run();
    ASSERT_FALSE(loaded.has_value());
    EXPECT_EQ(loaded.error().step, 50);
    EXPECT_EQ(loaded.error().error.number, errors::kMalformedXml);

    // An empty name still gives a caption: the blank and the version.
    writeBytes(file("conf.xml"), "<Configuracion Nombre=\"\"/>");
    ASSERT_TRUE(run().has_value());
    EXPECT_EQ(caption, s(" 1.2.0"));
}

TEST_F(LoadingSequenceTest, APositionsFileFailureIsItsOwnKind) {
    loadBodies();
    for (const auto& [name, step] :
         {std::pair{"ficheros/F0010.enc", 460}, std::pair{"ficheros/F0009.enc", 480}}) {
        const QByteArray saved = velantor::catalogues::testing::readBytes(file(name));
        ASSERT_TRUE(QFile::remove(file(name)));
        const auto loaded = run();
        writeBytes(file(name), saved);
        ASSERT_FALSE(loaded.has_value());
        EXPECT_EQ(loaded.error().kind, LoadingFailureKind::Positions);
        EXPECT_EQ(loaded.error().step, step);
        EXPECT_EQ(loaded.error().message(), s("error al cargar plazas"));
    }
}

TEST_F(LoadingSequenceTest, TheNoticeTextStartsWithALineBreak) {
    loadBodies();
    writeBytes(file("ficheros/FicheroTexto.txt"), "Primera l\xEDnea\r\nSegunda");
    ASSERT_TRUE(run().has_value());
    EXPECT_EQ(title, s("\r\nPrimera línea\r\nSegunda"));
}

TEST_F(LoadingSequenceTest, TheBodiesLoadOnTheirOwn) {
    const auto bodies = cargaCuerpos(dataFolderFor(dir.path()), messages);
    ASSERT_TRUE(bodies.has_value());
    EXPECT_EQ((*bodies)->totalRowCount(), 80);
    ASSERT_TRUE(QFile::remove(file("ficheros/F0004.enc")));
    const auto missing = cargaCuerpos(dataFolderFor(dir.path()), messages);
    ASSERT_FALSE(missing.has_value());
    EXPECT_EQ(missing.error().number, errors::kFileNotFound);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_TRUE(messages.last().text.startsWith(s("Se ha producido el siguiente error 53-")));
    EXPECT_FALSE(bodiesLoadFailureText().isEmpty());
}
