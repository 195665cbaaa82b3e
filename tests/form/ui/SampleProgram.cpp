#include "SampleProgram.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include "catalogues/LoadingSequence.h"

namespace velantor::testing {
namespace {

bool copyProgramFolder(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = QDir(to).filePath(QDir(from).relativeFilePath(source));
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(source, target))
            return false;
    }
    return true;
}

} // namespace

SampleProgram::SampleProgram() {
    ok = folder.isValid() && copyProgramFolder(QString::fromUtf8(VELANTOR_SAMPLE_PROGRAM_DIR), folder.path());
    if (!ok)
        return;
    auto bodies = catalogues::cargaCuerpos(catalogues::dataFolderFor(folder.path()), messages);
    ok = bodies.has_value();
    if (!ok)
        return;
    loaded.rsCuerpos = *bodies;
    catalogues::LoadingSequence sequence(folder.path(), messages);
    ok = sequence.run(loaded).has_value();
}

} // namespace velantor::testing
