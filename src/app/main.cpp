#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "Version.h"
#include "platform/MessageService.h"
#include "app/ProgramSession.h"
#include "platform/Folders.h"
#include "platform/ProgramFolder.h"
#include "widgets/MessageBoxService.h"

using namespace velantor;

namespace {

// The standard buttons of message boxes and dialogs ("Sí", "No", "Aceptar", "Cancelar").
void installSpanishTranslations(QApplication& app, QTranslator& translator) {
    if (translator.load(QLocale(QLocale::Spanish, QLocale::Spain), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&translator);
}

} // namespace

// Runs on the program folder (--programa, the executable's own, or the per-user one: see
// chooseProgramFolder): login, then the saved applications or a new one. The program ends
// when the session has no window left.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kProgramName));
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    QTranslator translator;
    installSpanishTranslations(app, translator);

    MessageBoxService boxes;
    setMessageService(&boxes);
    QStringList arguments = QApplication::arguments();
    const Result<std::optional<QString>> option = takeProgramOption(arguments);
    const Result<ProgramFolder> folder =
        option ? chooseProgramFolder(runningProgramPlaces(option->value_or(QString())))
               : std::unexpected(option.error());
    if (!folder) {
        messageService().inform(folder.error().description, {}, MessageIcon::Critical);
        setMessageService(nullptr);
        return 1;
    }
    int result = 0;
    {
        ProgramSession session(Folders::fromProgramFolder(folder->path), messageService());
        QObject::connect(&session, &ProgramSession::finished, &app, &QCoreApplication::quit, Qt::QueuedConnection);
        if (session.start())
            result = app.exec();
    }
    setMessageService(nullptr);
    return result;
}
