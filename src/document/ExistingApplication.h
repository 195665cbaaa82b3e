#pragma once

#include <functional>

#include <QString>

namespace velantor {

class FormView;
class MessageService;

// Whether a document named after the identity number, body and group typed in the form
// already exists in the applications folder (letter case aside, as on the user's file
// system). When one does the user is warned ("Solicitud Existente"): answering Yes
// calls `endProgram` (the window closes without the save question), answering No
// empties the group and body lists so that others are typed. Answers true in both
// cases; false when one of the three fields is empty or no such document exists.
bool checkExistingApplication(FormView& view, const QString& applicationsFolder, MessageService& messages,
                              const std::function<void()>& endProgram);

// The name of the document in `folder` that matches `fileName` regardless of case ("" when none).
QString findDocumentIgnoringCase(const QString& folder, const QString& fileName);

} // namespace velantor
