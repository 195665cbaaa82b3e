// Time to save an application (document from the template, fields, courses pages,
// positions XML, both files written) and to load it back into a form without a window,
// for an application with few courses and for one whose courses fill many pages. The
// reference is opening the template alone, which every save and load pays once.

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "document/DocumentGenerator.h"
#include "document/DocumentLoader.h"
#include "form/HeadlessForm.h"
#include "form/SolicitudDatos.h"
#include "platform/MessageService.h"

using namespace velantor;

namespace {

QString templatePath() {
    return templatePathFor(
        QDir(QStringLiteral(VELANTOR_SAMPLE_PROGRAM_DIR)).filePath(QStringLiteral("ficheros")),
        QStringLiteral("DOT_11111"));
}

SolicitudDatos application(int courses) {
    SolicitudDatos datos;
    for (const FormControl& control : formControls())
        if (control.kind != ControlKind::Option)
            datos.setText(control.name, QStringLiteral("Texto de %1").arg(control.name));
    datos.setText(QStringLiteral("txtDNI"), QStringLiteral("00000001R"));
    datos.setOption(QStringLiteral("OptSi"), true);
    datos.setOption(QStringLiteral("optSSOndex"), true);
    for (int i = 1; i <= courses; ++i) {
        datos.cursos->addRow();
        datos.cursos->setText(u"Curso", QStringLiteral("Curso de formación continuada número %1").arg(i));
        datos.cursos->setNumber(u"NHoras", 20 + i % 30);
        datos.cursos->setNumber(u"Ano", 2000 + i % 25);
        datos.cursos->setText(u"Centro", QStringLiteral("Escuela regional de salud"));
        datos.cursos->setNumber(u"IdCurso", i);
    }
    for (int i = 1; i <= 40; ++i) {
        datos.vacantes->addRow();
        datos.vacantes->setNumber(u"Orden", i);
        datos.vacantes->setText(u"CodConvocatoria", QString::number(10000 + i));
        datos.vacantes->setText(u"NomConvocatoria", QStringLiteral("F.E.A. Alergología"));
    }
    return datos;
}

GenerationRequest request(const QString& folder) {
    GenerationRequest r;
    r.fileName = QStringLiteral("00000001R_001010A.doc");
    r.applicationsFolder = folder;
    r.templatePath = templatePath();
    r.tracePath = QDir(folder).filePath(QStringLiteral("traza.txt"));
    r.at = QDateTime(QDate(2026, 12, 7), QTime(10, 15, 0));
    return r;
}

void openTemplate(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(WordDocument::openTemplate(templatePath()).has_value());
}

void saveApplication(benchmark::State& state) {
    QTemporaryDir dir;
    const SolicitudDatos datos = application(int(state.range(0)));
    RecordingMessageService messages;
    const GenerationRequest r = request(dir.path());
    for (auto _ : state) {
        if (!DocumentGenerator(datos, messages).run(r))
            state.SkipWithError("save failed");
    }
}

void loadApplication(benchmark::State& state) {
    QTemporaryDir dir;
    const SolicitudDatos datos = application(int(state.range(0)));
    RecordingMessageService messages;
    const GenerationRequest r = request(dir.path());
    if (!DocumentGenerator(datos, messages).run(r)) {
        state.SkipWithError("save failed");
        return;
    }
    for (auto _ : state) {
        HeadlessForm form;
        SolicitudDatos back;
        DocumentLoader loader(form,
                              ApplicationTables{back.vacantes, back.resultas, back.cursos, back.documentos});
        if (!loader.load(LoadRequest{r.fileName, r.applicationsFolder, r.templatePath}))
            state.SkipWithError("load failed");
    }
}

} // namespace

BENCHMARK(openTemplate)->Unit(benchmark::kMillisecond);
BENCHMARK(saveApplication)->Arg(2)->Arg(36)->Arg(350)->Unit(benchmark::kMillisecond);
BENCHMARK(loadApplication)->Arg(2)->Arg(350)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
