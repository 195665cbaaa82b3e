#include <algorithm>
#include <functional>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "catalogues/CatalogueTestFolder.h"
#include "catalogues/LoadingSequence.h"
#include "platform/MessageService.h"
#include "support/CliRun.h"

using namespace velantor;
using namespace velantor::catalogues;

namespace {

struct CliRun {
    int exitCode = -1;
    QStringList lines; // standard output, line by line
    QString err;
};

// `velantor-cli search` over a copy of the sample program folder; the expected answers are
// worked out from the same catalogues loaded here, without the search rules.
class PositionSearchCliTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_folder = new QTemporaryDir;
        ASSERT_TRUE(s_folder->isValid());
        velantor::catalogues::testing::copySampleProgram(s_folder->path());
        RecordingMessageService messages;
        auto bodies = cargaCuerpos(dataFolderFor(s_folder->path()), messages);
        ASSERT_TRUE(bodies.has_value());
        s_catalogues = new Catalogues;
        s_catalogues->rsCuerpos = *bodies;
        LoadingSequence sequence(s_folder->path(), messages);
        ASSERT_TRUE(sequence.run(*s_catalogues).has_value());
    }
    static void TearDownTestSuite() {
        delete s_catalogues;
        delete s_folder;
    }

    static CliRun search(QStringList args) {
        args.prepend(s_folder->path());
        args.prepend(QStringLiteral("search"));
        const test::CliRun ran = test::runCli(args, 60000);
        CliRun run;
        if (ran.exitCode < 0)
            return run;
        run.exitCode = ran.exitCode;
        run.lines = ran.out.split(u'\n');
        if (!run.lines.isEmpty() && run.lines.last().isEmpty())
            run.lines.removeLast();
        run.err = ran.err;
        return run;
    }

    // The codes of a body's table (all positions), kept where `keep` holds, in code order
    // (vacancies) or file order ("Resultas").
    static QStringList expected(const QString& body, bool vacancies,
                                const std::function<bool(const Table&, int)>& keep) {
        for (const PlazasPorCuerpoEntry& entry : s_catalogues->PlazasPorCuerpo) {
            if (entry.CodCuerpo != body || !entry.TodasLasPlazas)
                continue;
            const TablePtr table = (vacancies ? entry.Vacantes : entry.Resultas)->clone();
            table->clearFilter();
            table->sort(QString());
            QStringList codes;
            for (int row = 0; row < table->rowCount(); ++row)
                if (keep(*table, row))
                    codes << table->textAt(row, table->requireField(u"CodConvocatoria"));
            if (vacancies)
                std::stable_sort(codes.begin(), codes.end());
            return codes;
        }
        return {};
    }
    static QString field(const Table& table, int row, const char* name) {
        return table.textAt(row, table.requireField(QString::fromLatin1(name)));
    }
    static QStringList areasOf(const QString& province) {
        QStringList areas;
        const Table& a = *s_catalogues->rsAreas;
        for (int row = 0; row < a.rowCount(); ++row)
            if (field(a, row, "CodProvincia") == province)
                areas << field(a, row, "CodArea");
        return areas;
    }

    static inline QTemporaryDir* s_folder = nullptr;
    static inline Catalogues* s_catalogues = nullptr;
    const QString body = QStringLiteral("00101");
};

QStringList args(std::initializer_list<const char*> list) {
    QStringList result;
    for (const char* a : list)
        result << QString::fromUtf8(a);
    return result;
}

} // namespace

TEST_F(PositionSearchCliTest, BodyAloneListsEveryVacancyOfTheBody) {
    const CliRun run = search(args({"--body", "00101", "--group", "A"}));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    ASSERT_FALSE(run.lines.isEmpty());
    EXPECT_EQ(run.lines.front(), u"\"0\"");
    const QStringList all = expected(body, true, [](const Table&, int) { return true; });
    ASSERT_FALSE(all.isEmpty());
    EXPECT_EQ(run.lines.mid(1), all);
}

TEST_F(PositionSearchCliTest, VacancyProvinceStandsForItsAreas) {
    const QStringList areas = areasOf(QStringLiteral("24"));
    ASSERT_EQ(areas.size(), 2);
    const CliRun run = search(args({"--body", "00101", "--group", "A", "--province", "24"}));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.lines.front(), QStringLiteral("\" (  CodArea='") + areas[0] +
                                     QStringLiteral("000000' OR  CodArea='") + areas[1] +
                                     QStringLiteral("000000'  ) \""));
    const QStringList codes = expected(body, true, [&](const Table& t, int row) {
        return areas.contains(field(t, row, "CodArea").left(2)) &&
               field(t, row, "CodArea").mid(2) == u"000000";
    });
    ASSERT_FALSE(codes.isEmpty());
    EXPECT_EQ(run.lines.mid(1), codes);
}

TEST_F(PositionSearchCliTest, VacancyLocalityAndInstitutionNarrowTogether) {
    const CliRun run = search(args(
        {"--body", "00101", "--group", "A", "--province", "24", "--locality", "089", "--institution", "01"}));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    // The locality is the start of the position's code, after its own province.
    EXPECT_EQ(run.lines.front(), u"\" CodLocalidad like '24089%'  AND CodConsejeria='01' \"");
    const QStringList codes = expected(body, true, [](const Table& t, int row) {
        return field(t, row, "CodLocalidad").startsWith(u"24089") && field(t, row, "CodConsejeria") == u"01";
    });
    ASSERT_FALSE(codes.isEmpty());
    EXPECT_EQ(run.lines.mid(1), codes);
}

TEST_F(PositionSearchCliTest, TypedCodeOnTheResultasTab) {
    const QStringList all = expected(body, false, [](const Table&, int) { return true; });
    ASSERT_FALSE(all.isEmpty());
    const QString code = all.back();
    const CliRun run = search({QStringLiteral("--body"), body, QStringLiteral("--group"), QStringLiteral("A"),
                               QStringLiteral("--tab"), QStringLiteral("R"), QStringLiteral("--province"),
                               QStringLiteral("24"), QStringLiteral("--code"), code});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.lines.front(),
              QStringLiteral("\" CodProvincia='24'  AND CodConvocatoria='%1' \"").arg(code));
    const QStringList codes = expected(body, false, [&](const Table& t, int row) {
        return field(t, row, "CodConvocatoria") == code && field(t, row, "CodProvincia") == u"24";
    });
    EXPECT_EQ(run.lines.mid(1), codes);
}

TEST_F(PositionSearchCliTest, RefusesWhatTheFormWouldNotOffer) {
    struct Case {
        QStringList arguments;
        const char* mentions;
    };
    const Case cases[] = {
        {args({"--body", "99999", "--group", "A"}), "99999"},
        {args({"--body", "00901", "--group", "X"}), "00901"}, // group X bodies are never offered
        {args({"--body", "00101", "--group", "B"}), "grupo"},
        {args({"--body", "00101", "--group", "A", "--locality", "089"}), "provincia"},
        {args({"--body", "00101", "--group", "A", "--province", "24", "--area", "03"}), "--area 03"},
        {args({"--body", "00101", "--group", "A", "--province", "24", "--locality", "089", "--zone", "01"}),
         "localidad"},
        {args({"--body", "00101", "--group", "A", "--tab", "Z"}), "--tab"},
        {args({"--body", "00101", "--group", "A", "--code", "10'1"}), "cifras"},
        {args({"--body", "00101", "--group", "A", "--colour", "azul"}), "--colour"},
        {args({"--body", "00101"}), "--group"},
    };
    for (const Case& c : cases) {
        const CliRun run = search(c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.lines.isEmpty()) << c.arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.mentions))) << run.err.toStdString();
    }
}

TEST_F(PositionSearchCliTest, MissingCataloguesAreAFailureNotBadInput) {
    QTemporaryDir empty;
    QProcess process;
    process.start(QStringLiteral(VELANTOR_CLI_PATH),
                  {QStringLiteral("search"), empty.path(), QStringLiteral("--body"), body,
                   QStringLiteral("--group"), QStringLiteral("A")});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 3);
    EXPECT_FALSE(process.readAllStandardError().isEmpty());
}
