#pragma once

#include <optional>

#include <QString>
#include <QStringList>

#include "platform/Error.h"

namespace velantor {

// The places a run may take its program folder from.
struct ProgramFolderPlaces {
    QString option;           // given with --programa ("" when not given)
    QString executableFolder; // the running executable's folder
    QString userFolder;       // the per-user folder
    QString sharedFolder;     // the installed copy a new per-user folder starts from
};

enum class ProgramFolderSource { Option, Executable, PerUser };

struct ProgramFolder {
    QString path;
    ProgramFolderSource source = ProgramFolderSource::Executable;
};

// Which program folder a run works on:
//   1. the folder given with --programa, as it is;
//   2. the executable's own folder when it holds conf.xml (a portable folder, the build tree);
//   3. otherwise the per-user folder, first filled from the shared copy when it has no
//      conf.xml yet, so that an installed program never writes into its install folder.
Result<ProgramFolder> chooseProgramFolder(const ProgramFolderPlaces& places);

// The places of the running program: the per-user folder is the application's data
// location, the shared copy share/velantor/programa beside the executable's bin folder.
// Needs a QCoreApplication whose application name is set.
ProgramFolderPlaces runningProgramPlaces(const QString& option);

// Copies into `user` every file and folder of `shared` that `user` lacks; what is there
// already is never overwritten. Each file arrives under a temporary name and is renamed
// into place, and conf.xml comes last, so an interrupted copy is completed on the next start.
Result<void> seedProgramFolder(const QString& shared, const QString& user);

// Takes "--programa FOLDER" (or "--programa=FOLDER") out of `arguments` and returns the
// folder; nothing when the option is absent; an error when it has no folder or comes twice.
Result<std::optional<QString>> takeProgramOption(QStringList& arguments);

} // namespace velantor
