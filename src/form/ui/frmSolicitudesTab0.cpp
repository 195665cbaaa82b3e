// Tab 0: the competition, personal and professional data.
#include "form/ui/frmSolicitudes.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "form/ui/FormWidgetFactory.h"
#include "widgets/DataCombo.h"
#include "widgets/ScreenFit.h"
#include "form/ControlNames.h"

namespace velantor {
namespace {

QString s(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Rows of "label  field" pairs, two pairs per row where asked, labels right-aligned.
class FieldGrid {
public:
    explicit FieldGrid(QGridLayout* grid) : m_grid(grid) {
        m_grid->setColumnStretch(1, 1);
        m_grid->setColumnStretch(3, 1);
        m_grid->setHorizontalSpacing(8);
    }
    FieldGrid(QGridLayout* grid, FormWidgetFactory& factory) : FieldGrid(grid) { m_factory = &factory; }
    QLabel* pair(const QString& caption, QWidget* field, int column = 0, int span = 1) {
        QLabel* label = m_factory->label(caption, field);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_grid->addWidget(label, m_row, column);
        m_grid->addWidget(field, m_row, column + 1, 1, span);
        return label;
    }
    void full(QWidget* widget) { m_grid->addWidget(widget, m_row, 0, 1, 4); }
    void next() { ++m_row; }

private:
    QGridLayout* m_grid;
    FormWidgetFactory* m_factory = nullptr;
    int m_row = 0;
};

QHBoxLayout* optionRow(QGroupBox* frame, QRadioButton* first, QRadioButton* second) {
    auto* row = new QHBoxLayout;
    row->addWidget(first);
    row->addSpacing(16);
    row->addWidget(second);
    row->addStretch(1);
    (void)frame;
    return row;
}

} // namespace

QWidget* frmSolicitudes::buildDatosTab() {
    auto* page = new QWidget;
    auto* outer = new QVBoxLayout(page);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->addWidget(m_lblGrid.at(0));
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(buildFramePersonales());
    left->addWidget(buildFrameConcurso());
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(buildFrameProfesionales());
    right->addStretch(1);
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    layout->addLayout(columns);
    outer->addWidget(scrolledPage(content));
    return page;
}

QWidget* frmSolicitudes::buildFramePersonales() {
    FormWidgetFactory& f = *m_factory;
    QGroupBox* frame = f.frame(ctl::name(ctl::fraPersonales), s("Datos Personales"));
    FieldGrid grid(new QGridLayout(frame), f);

    grid.pair(s("Primer Apellido"), f.text(ctl::name(ctl::txtApellido1), s("Primer apellido")));
    grid.pair(s("Segundo Apellido"), f.text(ctl::name(ctl::txtApellido2), s("Segundo apellido")), 2);
    grid.next();
    grid.pair(s("Nombre"), f.text(ctl::name(ctl::txtNombre), s("Nombre")));
    QLineEdit* dni = f.text(ctl::name(ctl::txtDNI), s("NIF del solicitante"));
    dni->setAccessibleDescription(s("Ocho cifras y la letra de control"));
    grid.pair(s("NIF"), dni, 2);
    grid.next();
    QLineEdit* birth = f.text(ctl::name(ctl::txtFecNacimiento), s("Fecha de nacimiento"));
    birth->setAccessibleDescription(s("Día, mes y año: DD/MM/AAAA"));
    birth->setPlaceholderText(s("DD/MM/AAAA"));
    grid.pair(s("Fec Nacimiento"), birth);
    grid.pair(s("Teléfono"), f.text(ctl::name(ctl::txtTelefono), s("Teléfono")), 2);
    grid.next();
    grid.pair(s("Domicilio"), f.text(ctl::name(ctl::txtDomicilio), s("Domicilio")), 0, 3);
    grid.next();
    grid.pair(s("Localidad"), f.text(ctl::name(ctl::txtLocalidad), s("Localidad del domicilio")));
    grid.pair(s("Provincia"), f.combo(ctl::name(ctl::cboProvincia), s("Provincia del domicilio")), 2);
    grid.next();
    grid.pair(s("Cº Postal"), f.text(ctl::name(ctl::txtCP), s("Código postal")));
    grid.next();

    QGroupBox* disability = f.frame(ctl::name(ctl::Frame2), s("Discapacidad"));
    QButtonGroup* pair = f.pair(disability);
    auto* inner = new QGridLayout(disability);
    inner->addLayout(optionRow(disability, f.option(ctl::name(ctl::optDiscSi), s("Sí"), s("Discapacidad: sí"), pair),
                               f.option(ctl::name(ctl::optDiscNo), s("No"), s("Discapacidad: no"), pair)),
                     0, 0, 1, 2);
    QLineEdit* type = f.text(ctl::name(ctl::txtTipoDisc), s("Tipo de discapacidad"));
    QLabel* typeLabel = f.label(s("Tipo"), type, ctl::name(ctl::lblTipoDis));
    typeLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    inner->addWidget(typeLabel, 1, 0);
    inner->addWidget(type, 1, 1);
    QLineEdit* adaptations = f.text(ctl::name(ctl::txtAdaptaciones), s("Adaptaciones precisas"));
    QLabel* adaptationsLabel = f.label(s("Adaptaciones Precisas"), adaptations, ctl::name(ctl::lblAdap));
    adaptationsLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    inner->addWidget(adaptationsLabel, 2, 0);
    inner->addWidget(adaptations, 2, 1);
    inner->setColumnStretch(1, 1);
    grid.full(disability);
    return frame;
}

QWidget* frmSolicitudes::buildFrameConcurso() {
    FormWidgetFactory& f = *m_factory;
    QGroupBox* frame = f.frame(ctl::name(ctl::Frame1), s("Datos del Concurso"));
    auto* layout = new QGridLayout(frame);

    QGroupBox* participation = f.frame(ctl::name(ctl::fraForzVol), s("Forma de participación"));
    QButtonGroup* participationPair = f.pair(participation);
    participation->setLayout(optionRow(
        participation,
        f.option(ctl::name(ctl::optVoluntario), s("Voluntario"), s("Participación voluntaria"), participationPair),
        f.option(ctl::name(ctl::optForzoso), s("Forzoso"), s("Participación forzosa"), participationPair)));
    layout->addWidget(participation, 0, 0);

    QGroupBox* reentry = f.frame(ctl::name(ctl::fraReingreso), s("Solicita Reingreso"));
    QButtonGroup* reentryPair = f.pair(reentry);
    reentry->setLayout(
        optionRow(reentry, f.option(ctl::name(ctl::optReingesoSi), s("Sí"), s("Solicita reingreso: sí"), reentryPair),
                  f.option(ctl::name(ctl::optReingresoNo), s("No"), s("Solicita reingreso: no"), reentryPair)));
    layout->addWidget(reentry, 0, 1);

    QGroupBox* conditioned =
        f.frame(ctl::name(ctl::fraAcopPetConyu), s("Condiciona su solicitud por convivencia familiar"));
    QButtonGroup* conditionedPair = f.pair(conditioned);
    conditioned->setLayout(
        optionRow(conditioned,
                  f.option(ctl::name(ctl::optPetConyugeSi), s("Sí"),
                           s("Condiciona su solicitud por convivencia familiar: sí"), conditionedPair),
                  f.option(ctl::name(ctl::optPetConyugeNo), s("No"),
                           s("Condiciona su solicitud por convivencia familiar: no"), conditionedPair)));
    layout->addWidget(conditioned, 1, 0, 1, 2);

    QGroupBox* spouse =
        f.frame(ctl::name(ctl::fraDNIConyuge), s("Datos del/la solicitante con el/la que condiciona su solicitud"));
    FieldGrid spouseGrid(new QGridLayout(spouse), f);
    QLineEdit* spouseDni = f.text(ctl::name(ctl::txtDNIConyuge), s("NIF del/la solicitante con el/la que condiciona"));
    spouseDni->setAccessibleDescription(s("Ocho cifras y la letra de control"));
    spouseGrid.pair(s("NIF"), spouseDni);
    spouseGrid.pair(s("Nombre"), f.text(ctl::name(ctl::txtConyuNombre), s("Nombre del/la otro/a solicitante")), 2);
    spouseGrid.next();
    spouseGrid.pair(s("Primer Apellido"),
                    f.text(ctl::name(ctl::txtConyuApellido1), s("Primer apellido del/la otro/a solicitante")));
    spouseGrid.pair(s("Segundo Apellido"),
                    f.text(ctl::name(ctl::txtCOnyuApellido2), s("Segundo apellido del/la otro/a solicitante")), 2);
    layout->addWidget(spouse, 2, 0, 1, 2);

    QGroupBox* preference = f.frame(ctl::name(ctl::fraPreferencia), s("Preferencia que alega"));
    preference->setProperty("tag", s("inventario_linux"));
    FieldGrid preferenceGrid(new QGridLayout(preference), f);
    preferenceGrid.pair(s("Área"), f.combo(ctl::name(ctl::cboPrefArea), s("Área de preferencia")));
    preferenceGrid.pair(s("ZBS"), f.combo(ctl::name(ctl::cboPrefProvincia), s("Zona básica de salud de preferencia")),
                        2);
    preferenceGrid.next();
    preferenceGrid.pair(s("Localidad"), f.combo(ctl::name(ctl::cboPrefLocalidad), s("Localidad de preferencia")));
    layout->addWidget(preference, 3, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    return frame;
}

QWidget* frmSolicitudes::buildFrameProfesionales() {
    FormWidgetFactory& f = *m_factory;
    QGroupBox* frame = f.frame(ctl::name(ctl::fraProfesionales), s("Datos Profesionales"));
    auto* layout = new QVBoxLayout(frame);
    auto* top = new QGridLayout;
    FieldGrid grid(top, f);
    DataCombo* body = f.combo(ctl::name(ctl::cboCuerpo), s("Categoría o cuerpo"));
    grid.pair(s("Categoría"), body, 0, 3);
    grid.next();
    grid.pair(s("Grupo"), f.combo(ctl::name(ctl::cboGrupo), s("Grupo")));
    grid.pair(s("Registro Personal"), f.text(ctl::name(ctl::txtNRP), s("Número de registro personal")), 2);
    grid.next();
    QLineEdit* entry = f.text(ctl::name(ctl::txtFechaIngreso), s("Fecha de ingreso en la categoría como fijo"));
    entry->setPlaceholderText(s("DD/MM/AAAA"));
    grid.pair(s("Fecha Ingreso en la categoría como fijo"), entry, 0, 3);
    layout->addLayout(top);

    QGroupBox* current = f.frame(ctl::name(ctl::Frame9), s("Destino Actual"));
    FieldGrid currentGrid(new QGridLayout(current), f);
    currentGrid.pair(s("Provincia"), f.text(ctl::name(ctl::txtProvAct), s("Provincia del destino actual")));
    currentGrid.pair(s("Localidad/ZBS"), f.text(ctl::name(ctl::txtZBSAct), s("Localidad o zona del destino actual")), 2);
    currentGrid.next();
    currentGrid.pair(s("Institución"), f.text(ctl::name(ctl::txtInstiAct), s("Institución del destino actual")), 0, 3);
    layout->addWidget(current);

    QGroupBox* situation = f.frame(ctl::name(ctl::fraSitAdmva), s("Situación Administrativa"));
    QButtonGroup* situationPair = f.pair(situation);
    auto* situationGrid = new QGridLayout(situation);
    situationGrid->addLayout(
        optionRow(situation,
                  f.option(ctl::name(ctl::optActivo), s("Activo"), s("Situación administrativa: activo"), situationPair),
                  f.option(ctl::name(ctl::optOtras), s("Otras"), s("Situación administrativa: otras"), situationPair)),
        0, 0, 1, 4);
    DataCombo* situations = f.combo(ctl::name(ctl::cboSituaciones), s("Otra situación administrativa"));
    QLabel* situationLabel = f.label(s("Situación"), situations, ctl::name(ctl::lblSituacion));
    situationLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    situationGrid->addWidget(situationLabel, 1, 0);
    situationGrid->addWidget(situations, 1, 1);
    QLineEdit* which = f.text(ctl::name(ctl::txtSitAdm), s("Otra situación: cuál"));
    situationGrid->addWidget(which, 1, 2, 1, 2);
    QLineEdit* situationDate = f.text(ctl::name(ctl::txtFechaSit), s("Fecha de la situación"));
    situationDate->setPlaceholderText(s("DD/MM/AAAA"));
    QLabel* situationDateLabel = f.label(s("Fecha"), situationDate, ctl::name(ctl::lblFechaSit));
    situationDateLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    situationGrid->addWidget(situationDateLabel, 2, 0);
    situationGrid->addWidget(situationDate, 2, 1);
    situationGrid->setColumnStretch(1, 1);
    situationGrid->setColumnStretch(3, 1);
    layout->addWidget(situation);

    layout->addWidget(buildPuestoActual());
    return frame;
}

QWidget* frmSolicitudes::buildPuestoActual() {
    FormWidgetFactory& f = *m_factory;
    QGroupBox* frame = f.frame(ctl::name(ctl::fraPuestoTrabajo), s("Desempeña un puesto de trabajo"));
    QButtonGroup* postPair = f.pair(frame);
    auto* layout = new QVBoxLayout(frame);
    layout->addLayout(
        optionRow(frame, f.option(ctl::name(ctl::OptSi), s("Sí"), s("Desempeña un puesto de trabajo: sí"), postPair),
                  f.option(ctl::name(ctl::OptNo), s("No"), s("Desempeña un puesto de trabajo: no"), postPair)));

    QGroupBox* service = f.frame(ctl::name(ctl::Frame7), s("Servicio de Salud"));
    QButtonGroup* servicePair = f.pair(service);
    auto* serviceRow = new QHBoxLayout(service);
    serviceRow->addWidget(f.option(ctl::name(ctl::optSSOndex), s("ONDEX"), s("Servicio de salud: ONDEX"), servicePair));
    serviceRow->addSpacing(16);
    serviceRow->addWidget(f.option(ctl::name(ctl::optSSOtros), s("Otros"), s("Servicio de salud: otros"), servicePair));
    serviceRow->addWidget(f.text(ctl::name(ctl::txtSS), s("Otro servicio de salud: cuál")), 1);
    layout->addWidget(service);

    QGroupBox* place = f.frame(ctl::name(ctl::Frame3), s("Ubicación del puesto"));
    FieldGrid placeGrid(new QGridLayout(place), f);
    placeGrid.pair(s("Provincia"), f.combo(ctl::name(ctl::cboProvinciasVrk), s("Provincia del puesto")));
    placeGrid.pair(s("Área"), f.combo(ctl::name(ctl::cboAreaVrk), s("Área del puesto")), 2);
    placeGrid.next();
    placeGrid.pair(s("ZBS"), f.combo(ctl::name(ctl::cboZBSVrk), s("Zona básica de salud del puesto")));
    placeGrid.pair(s("Localidad"), f.combo(ctl::name(ctl::cboLocalidadesVrk), s("Localidad del puesto")), 2);
    placeGrid.next();
    placeGrid.pair(s("Institución"), f.text(ctl::name(ctl::txtPuesto), s("Institución del puesto")), 0, 3);
    placeGrid.next();
    placeGrid.pair(s("Provincia (fuera de la región)"),
                   f.text(ctl::name(ctl::txtProvinciaPuesto), s("Provincia del puesto fuera de la región")), 0, 3);
    placeGrid.next();
    placeGrid.pair(s("Localidad (fuera de la región)"),
                   f.text(ctl::name(ctl::txtLocalidadPuesto), s("Localidad del puesto fuera de la región")), 0, 3);
    layout->addWidget(place);

    QGroupBox* nature = f.frame(ctl::name(ctl::fraDefTemp), s("Carácter del puesto"));
    QButtonGroup* naturePair = f.pair(nature);
    auto* natureGrid = new QGridLayout(nature);
    natureGrid->addLayout(optionRow(nature,
                                    f.option(ctl::name(ctl::optDefinitivo), s("De carácter definitivo"), {}, naturePair),
                                    f.option(ctl::name(ctl::optTemporal), s("De carácter provisional"), {}, naturePair)),
                          0, 0, 1, 2);
    QLineEdit* taking = f.text(ctl::name(ctl::txtFecPosesion), s("Fecha de toma de posesión"));
    taking->setPlaceholderText(s("DD/MM/AAAA"));
    QLabel* takingLabel = f.label(s("Fecha toma posesión"), taking, ctl::name(ctl::lblPosesion));
    takingLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    natureGrid->addWidget(takingLabel, 1, 0);
    natureGrid->addWidget(taking, 1, 1);
    natureGrid->setColumnStretch(1, 1);
    layout->addWidget(nature);
    return frame;
}

} // namespace velantor
