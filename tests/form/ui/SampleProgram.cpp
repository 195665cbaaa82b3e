#include "SampleProgram.h"

#include "catalogues/LoadingSequence.h"
#include "support/SampleFolder.h"

namespace velantor::testing {

SampleProgram::SampleProgram() {
    ok = folder.isValid() && copySampleProgram(folder.path());
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
