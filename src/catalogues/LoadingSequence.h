#pragma once

#include <expected>
#include <functional>
#include <optional>
#include <vector>

#include <QString>

#include "catalogues/CatalogueReader.h"
#include "catalogues/Catalogues.h"
#include "catalogues/ConfiguracionSolicitud.h"
#include "platform/Error.h"
#include "platform/MessageService.h"

namespace velantor::catalogues {

// The data folder of a program folder: where the catalogue files and "FicheroTexto.txt" lie.
QString dataFolderFor(const QString& programFolder);

// Loads the bodies catalogue ("F0004.enc"), the one table read before login. A decoding
// failure has already been shown when the error comes back; the caller then says
// bodiesLoadFailureText() and ends the program.
Result<TablePtr> cargaCuerpos(const QString& dataFolder, MessageService& messages);
QString bodiesLoadFailureText();

// What the loading window is told while the sequence runs.
struct LoadingCallbacks {
    std::function<void(int step)> stepBegun;
    std::function<void(double value, double maximum)> progressChanged;
    std::function<void(const QString& text)> titleRead;     // the text of "FicheroTexto.txt"
    std::function<void(const QString& caption)> captionSet; // competition name and version
    std::function<void()> repaint;
    std::function<void()> letPendingEventsRun;
};

enum class LoadingFailureKind {
    Step,      // a step failed: its message, then the program ends without opening the form
    Positions, // an offered-positions file failed: "error al cargar plazas", then the program ends
};

struct LoadingFailure {
    int step = 0;
    Error error;
    LoadingFailureKind kind = LoadingFailureKind::Step;

    // "Error en línea " + step + "." + description + " " + number, or "error al cargar plazas".
    QString message() const;
};

// The builders of the per-body and per-group tables; replaceable so that a benchmark can
// measure the sequence with another way of building them.
struct DerivedTableBuilders {
    std::function<std::vector<PlazasPorCuerpoEntry>(Catalogues&, const std::function<void()>& advance)>
        porCuerpo;
    std::function<std::vector<PlazasPorGrupoEntry>(Catalogues&, const std::function<void()>& advance)>
        porGrupo;
};

// The start-up loading of every catalogue except the bodies, in a fixed order of numbered
// steps. A failure stops it at once and names the last step begun. The tables are built
// apart and handed over only when every step has succeeded, so a failed load never leaves
// half-filled tables behind.
class LoadingSequence {
public:
    static constexpr double kStepSize = 30.0;

    LoadingSequence(QString programFolder, MessageService& messages);

    void setCallbacks(LoadingCallbacks callbacks) { m_callbacks = std::move(callbacks); }
    void setDerivedTableBuilders(DerivedTableBuilders builders) { m_builders = std::move(builders); }

    // Needs catalogues.rsCuerpos loaded; on success replaces every other table of `catalogues`.
    std::expected<void, LoadingFailure> run(Catalogues& catalogues);

    double value() const { return m_value; }
    double maximum() const { return m_maximum; }
    int step() const { return m_step; }
    const QString& title() const { return m_title; }
    const QString& caption() const { return m_caption; }
    // "conf.xml" as the sequence read it (once it has passed that step).
    const std::optional<ConfFile>& conf() const { return m_conf; }

private:
    std::expected<void, LoadingFailure> runSteps(Catalogues& c);
    void begin(int step);
    void advance(double amount = kStepSize);
    void setMaximum(double maximum);
    LoadingFailure failure(const Error& error, LoadingFailureKind kind = LoadingFailureKind::Step) const;
    static void call(const std::function<void()>& f);

    QString m_programFolder;
    QString m_dataFolder;
    MessageService& m_messages;
    CatalogueReader m_reader;
    LoadingCallbacks m_callbacks;
    DerivedTableBuilders m_builders;
    double m_value = 0;
    double m_maximum = 0;
    int m_step = 0;
    QString m_title;
    QString m_caption;
    std::optional<ConfFile> m_conf;
};

// The text of "FicheroTexto.txt": every line preceded by CR LF, so it starts with a line break.
Result<QString> readNoticeText(const QString& path);
// Name, one blank, and the program's version as major.minor.revision.
QString windowCaption(const QString& name);

} // namespace velantor::catalogues
