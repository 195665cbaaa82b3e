#pragma once

#include <QTemporaryDir>

#include "catalogues/Catalogues.h"
#include "platform/MessageService.h"

namespace velantor::testing {

// A copy of the sample program folder that the build assembles, with its catalogues
// loaded as the loading window loads them (the loading writes its work file into the
// data folder, hence the copy).
struct SampleProgram {
    SampleProgram();

    QTemporaryDir folder;
    RecordingMessageService messages;
    catalogues::Catalogues loaded;
    bool ok = false;
};

} // namespace velantor::testing
