#pragma once

#include <functional>
#include <optional>

#include <QString>

#include "platform/MessageService.h"

namespace velantor {

class FormView;

// When a document named after the identity number, body and group typed in the form
// already exists in the applications folder (letter case aside, as on the user's file
// system), the warning to put to the user ("Solicitud Existente", Yes or No); none when
// one of the three fields is empty or no such document exists.
std::optional<Message> existingApplicationQuestion(const FormView& view, const QString& applicationsFolder);

// What the answer to that warning does: Yes calls `endProgram` (the window closes without
// the save question), No empties the group and body lists so that others are typed.
void answerExistingApplication(FormView& view, MessageAnswer answer, const std::function<void()>& endProgram);

// The name of the document in `folder` that matches `fileName` regardless of case ("" when none).
QString findDocumentIgnoringCase(const QString& folder, const QString& fileName);

} // namespace velantor
