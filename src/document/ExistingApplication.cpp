#include "document/ExistingApplication.h"

#include <QDir>
#include <QFileInfo>

#include "document/DocumentName.h"
#include "form/FormView.h"
#include "form/ControlNames.h"

namespace velantor {

QString findDocumentIgnoringCase(const QString& folder, const QString& fileName) {
    const QDir dir(folder);
    if (QFileInfo(dir.filePath(fileName)).isFile())
        return fileName;
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden))
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return entry;
    return {};
}

std::optional<Message> existingApplicationQuestion(const FormView& view, const QString& applicationsFolder) {
    const QString dni = view.text(ctl::txtDNI);
    const QString body = view.text(ctl::cboCuerpo);
    const QString group = view.text(ctl::cboGrupo);
    if (dni.isEmpty() || body.isEmpty() || group.isEmpty())
        return std::nullopt;
    // A name that cannot be formed names no document; saving will say why.
    const Result<QString> name = documentFileName(dni, body, group);
    if (!name || findDocumentIgnoringCase(applicationsFolder, *name).isEmpty())
        return std::nullopt;
    return Message{QString::fromUtf8(
                       "Ya existe una solicitud con estos datos, si continúa puede sobreescribir los datos "
                       "anteriormente guardados. ¿Qué desea hacer? Sí para cerrar la aplicación. No para "
                       "teclear otro cuerpo y grupo"),
                   QStringLiteral("Solicitud Existente"), MessageIcon::Critical, MessageButtons::YesNo};
}

void answerExistingApplication(FormView& view, MessageAnswer answer, const std::function<void()>& endProgram) {
    if (answer == MessageAnswer::Yes) {
        if (endProgram)
            endProgram();
    } else {
        view.setText(ctl::cboGrupo, QString());
        view.setText(ctl::cboCuerpo, QString());
    }
}

} // namespace velantor
