#include <gtest/gtest.h>

#include "digest/CSHA256.h"
#include "support/CliRun.h"

using velantor::test::CliRun;
using velantor::test::runCli;

TEST(DniCommand, PrintsNormalisedNumberAndVerdict) {
    CliRun run = runCli({QStringLiteral("dni"), QStringLiteral("1234567l")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QStringLiteral("01234567L valid\n"));
    EXPECT_TRUE(run.err.isEmpty());

    run = runCli({QStringLiteral("dni"), QStringLiteral("1234567Y")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, QStringLiteral("01234567Y invalid\n"));

    run = runCli({QStringLiteral("dni"), QString()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, QStringLiteral("000000000 invalid\n"));

    run = runCli({QStringLiteral("dni"), QStringLiteral("0000000ñT")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, QStringLiteral("0000000ñT invalid\n"));
}

TEST(DigestCommand, PrintsTheRegistryDigest) {
    CliRun run = runCli({QStringLiteral("digest"), QStringLiteral("abc")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QStringLiteral("BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD\n"));
    // Arguments arrive as UTF-8 and are hashed one byte per character.
    run = runCli({QStringLiteral("digest"), QStringLiteral("Contraseña€")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
              velantor::CSHA256().SHA256(QStringLiteral("Contraseña\u00AC")).toUpper() + QLatin1Char('\n'));
}

TEST(DniDigestCommands, MisuseIsExplainedOnStandardError) {
    const QStringList misuses[] = {
        {QStringLiteral("dni")},
        {QStringLiteral("dni"), QStringLiteral("1"), QStringLiteral("2")},
        {QStringLiteral("digest")},
        {QStringLiteral("digest"), QStringLiteral("a"), QStringLiteral("b")},
    };
    for (const QStringList& args : misuses) {
        const CliRun run = runCli(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.contains(QStringLiteral("hace falta exactamente un argumento")));
        EXPECT_TRUE(run.err.contains(QStringLiteral("Uso: velantor-cli ") + args.first()));
    }
}
