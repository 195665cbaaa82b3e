#pragma once

#include <QDir>
#include <QFile>
#include <QString>

#include "document/PrintJob.h"

// Stand-ins for LibreOffice and the printing system: small scripts that behave as the
// real programs do towards the print job (files written, answers given, exit codes), so
// the job's paths can be tested quickly and without a printer.
namespace velantor::test {

inline QString writeScript(const QString& path, const QString& body) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write("#!/bin/sh\n" + body.toUtf8());
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// Writes "<name>.pdf" into --outdir after `seconds`, records its arguments, or fails
// with `exitCode` and a message.
inline QString officeStandIn(const QDir& dir, double seconds = 0, int exitCode = 0) {
    const QString args = dir.filePath(QStringLiteral("office-args"));
    return writeScript(
        dir.filePath(QStringLiteral("soffice")),
        QStringLiteral("for a in \"$@\"; do echo \"$a\" >> '%1'; done\n"
                       "out=''; input=''\n"
                       "while [ $# -gt 0 ]; do\n"
                       "  case \"$1\" in --outdir) out=\"$2\"; shift;; *) input=\"$1\";; esac\n"
                       "  shift\n"
                       "done\n"
                       "sleep %2\n"
                       "if [ %3 -ne 0 ]; then echo 'Error: source file could not be loaded'; exit %3; fi\n"
                       "base=$(basename \"$input\"); base=\"${base%.*}\"\n"
                       "printf '%%PDF-1.4 stand-in\\n' > \"$out/$base.pdf\"\n")
            .arg(args)
            .arg(seconds)
            .arg(exitCode));
}

inline QString lpstatStandIn(const QDir& dir, const QString& printer) {
    return writeScript(dir.filePath(QStringLiteral("lpstat")),
                       printer.isEmpty()
                           ? QStringLiteral("echo 'no system default destination'\n")
                           : QStringLiteral("echo 'system default destination: %1'\n").arg(printer));
}

inline QString lpStandIn(const QDir& dir, bool accepts) {
    const QString args = dir.filePath(QStringLiteral("lp-args"));
    return writeScript(
        dir.filePath(QStringLiteral("lp")),
        accepts ? QStringLiteral("echo \"$@\" > '%1'\necho 'request id is oficina-1 (1 file(s))'\n").arg(args)
                : QStringLiteral("echo 'lp: The printer or class is not accepting jobs.'\nexit 1\n"));
}

inline QString readText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace velantor::test
