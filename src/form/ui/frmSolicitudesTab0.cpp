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
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus); // the fields take the focus; the area follows it
    outer->addWidget(scroll);

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
    scroll->setWidget(content);
    return page;
}

QWidget* frmSolicitudes::buildFramePersonales() {
    FormWidgetFactory& f = *m_factory;
    QGroupBox* frame = f.frame(s("fraPersonales"), s("Datos Personales"));
    FieldGrid grid(new QGridLayout(frame), f);

    grid.pair(s("Primer Apellido"), f.text(s("txtApellido1"), s("Primer apellido")));
    grid.pair(s("Segundo Apellido"), f.text(s("txtApellido2"), s("Segundo apellido")), 2);
    grid.next();
    grid.pair(s("Nombre"), f.text(s("txtNombre"), s("Nombre")));
    QLineEdit* dni = f.text(s("txtDNI"), s("NIF del solicitante"));
    dni->setAccessibleDescription(s("Ocho cifras y la letra de control"));
    grid.pair(s("NIF"), dni, 2);
    grid.next();
    QLineEdit* birth = f.text(s("txtFecNacimiento"), s("Fecha de nacimiento"));
    birth->setAccessibleDescription(s("Día, mes y año: DD/MM/AAAA"));
    birth->setPlaceholderText(s("DD/MM/AAAA"));
    grid.pair(s("Fec Nacimiento"), birth);
    grid.pair(s("Teléfono"), f.text(s("txtTelefono"), s("Teléfono")), 2);
    grid.next();
    grid.pair(s("Domicilio"), f.text(s("txtDomicilio"), s("Domicilio")), 0, 3);
    grid.next();
    grid.pair(s("Localidad"), f.text(s("txtLocalidad"), s("Localidad del domicilio")));
    grid.pair(s("Provincia"), f.combo(s("cboProvincia"), s("Provincia del domicilio")), 2);
    grid.next();
    grid.pair(s("Cº Postal"), f.text(s("txtCP"), s("Código postal")));
    grid.next();

    QGroupBox* disability = f.frame(s("Frame2"), s("Discapacidad"));
    QButtonGroup* pair = f.pair(disability);
    auto* inner = new QGridLayout(disability);
    inner->addLayout(optionRow(disability, f.option(s("optDiscSi"), s("Sí"), s("Discapacidad: sí"), pair),
                               f.option(s("optDiscNo"), s("No"), s("Discapacidad: no"), pair)),
                     0, 0, 1, 2);
    QLineEdit* type = f.text(s("txtTipoDisc"), s("Tipo de discapacidad"));
    QLabel* typeLabel = f.label(s("Tipo"), type, s("lblTipoDis"));
    typeLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    inner->addWidget(typeLabel, 1, 0);
    inner->addWidget(type, 1, 1);
    QLineEdit* adaptations = f.text(s("txtAdaptaciones"), s("Adaptaciones precisas"));
    QLabel* adaptationsLabel = f.label(s("Adaptaciones Precisas"), adaptations, s("lblAdap"));
    adaptationsLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    inner->addWidget(adaptationsLabel, 2, 0);
    inner->addWidget(adaptations, 2, 1);
    inner->setColumnStretch(1, 1);
    grid.full(disability);
    return frame;
}

QWidget* frmSolicitudes::buildFrameConcurso() {
    FormWidgetFactory& f = *m_factory;
    QGroupBox* frame = f.frame(s("Frame1"), s("Datos del Concurso"));
    auto* layout = new QGridLayout(frame);

    QGroupBox* participation = f.frame(s("fraForzVol"), s("Forma de participación"));
    QButtonGroup* participationPair = f.pair(participation);
    participation->setLayout(optionRow(
        participation,
        f.option(s("optVoluntario"), s("Voluntario"), s("Participación voluntaria"), participationPair),
        f.option(s("optForzoso"), s("Forzoso"), s("Participación forzosa"), participationPair)));
    layout->addWidget(participation, 0, 0);

    QGroupBox* reentry = f.frame(s("fraReingreso"), s("Solicita Reingreso"));
    QButtonGroup* reentryPair = f.pair(reentry);
    reentry->setLayout(
        optionRow(reentry, f.option(s("optReingesoSi"), s("Sí"), s("Solicita reingreso: sí"), reentryPair),
                  f.option(s("optReingresoNo"), s("No"), s("Solicita reingreso: no"), reentryPair)));
    layout->addWidget(reentry, 0, 1);

    QGroupBox* conditioned =
        f.frame(s("fraAcopPetConyu"), s("Condiciona su solicitud por convivencia familiar"));
    QButtonGroup* conditionedPair = f.pair(conditioned);
    conditioned->setLayout(
        optionRow(conditioned,
                  f.option(s("optPetConyugeSi"), s("Sí"),
                           s("Condiciona su solicitud por convivencia familiar: sí"), conditionedPair),
                  f.option(s("optPetConyugeNo"), s("No"),
                           s("Condiciona su solicitud por convivencia familiar: no"), conditionedPair)));
    layout->addWidget(conditioned, 1, 0, 1, 2);

    QGroupBox* spouse =
        f.frame(s("fraDNIConyuge"), s("Datos del/la solicitante con el/la que condiciona su solicitud"));
    FieldGrid spouseGrid(new QGridLayout(spouse), f);
    QLineEdit* spouseDni = f.text(s("txtDNIConyuge"), s("NIF del/la solicitante con el/la que condiciona"));
    spouseDni->setAccessibleDescription(s("Ocho cifras y la letra de control"));
    spouseGrid.pair(s("NIF"), spouseDni);
    spouseGrid.pair(s("Nombre"), f.text(s("txtConyuNombre"), s("Nombre del/la otro/a solicitante")), 2);
    spouseGrid.next();
    spouseGrid.pair(s("Primer Apellido"),
                    f.text(s("txtConyuApellido1"), s("Primer apellido del/la otro/a solicitante")));
    spouseGrid.pair(s("Segundo Apellido"),
                    f.text(s("txtCOnyuApellido2"), s("Segundo apellido del/la otro/a solicitante")), 2);
    layout->addWidget(spouse, 2, 0, 1, 2);

    QGroupBox* preference = f.frame(s("fraPreferencia"), s("Preferencia que alega"));
    preference->setProperty("tag", s("inventario_linux"));
    FieldGrid preferenceGrid(new QGridLayout(preference), f);
    preferenceGrid.pair(s("Área"), f.combo(s("cboPrefArea"), s("Área de preferencia")));
    preferenceGrid.pair(s("ZBS"), f.combo(s("cboPrefProvincia"), s("Zona básica de salud de preferencia")),
                        2);
    preferenceGrid.next();
    preferenceGrid.pair(s("Localidad"), f.combo(s("cboPrefLocalidad"), s("Localidad de preferencia")));
    layout->addWidget(preference, 3, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    return frame;
}

QWidget* frmSolicitudes::buildFrameProfesionales() {
    FormWidgetFactory& f = *m_factory;
    QGroupBox* frame = f.frame(s("fraProfesionales"), s("Datos Profesionales"));
    auto* layout = new QVBoxLayout(frame);
    auto* top = new QGridLayout;
    FieldGrid grid(top, f);
    DataCombo* body = f.combo(s("cboCuerpo"), s("Categoría o cuerpo"));
    grid.pair(s("Categoría"), body, 0, 3);
    grid.next();
    grid.pair(s("Grupo"), f.combo(s("cboGrupo"), s("Grupo")));
    grid.pair(s("Registro Personal"), f.text(s("txtNRP"), s("Número de registro personal")), 2);
    grid.next();
    QLineEdit* entry = f.text(s("txtFechaIngreso"), s("Fecha de ingreso en la categoría como fijo"));
    entry->setPlaceholderText(s("DD/MM/AAAA"));
    grid.pair(s("Fecha Ingreso en la categoría como fijo"), entry, 0, 3);
    layout->addLayout(top);

    QGroupBox* current = f.frame(s("Frame9"), s("Destino Actual"));
    FieldGrid currentGrid(new QGridLayout(current), f);
    currentGrid.pair(s("Provincia"), f.text(s("txtProvAct"), s("Provincia del destino actual")));
    currentGrid.pair(s("Localidad/ZBS"), f.text(s("txtZBSAct"), s("Localidad o zona del destino actual")), 2);
    currentGrid.next();
    currentGrid.pair(s("Institución"), f.text(s("txtInstiAct"), s("Institución del destino actual")), 0, 3);
    layout->addWidget(current);

    QGroupBox* situation = f.frame(s("fraSitAdmva"), s("Situación Administrativa"));
    QButtonGroup* situationPair = f.pair(situation);
    auto* situationGrid = new QGridLayout(situation);
    situationGrid->addLayout(
        optionRow(situation,
                  f.option(s("optActivo"), s("Activo"), s("Situación administrativa: activo"), situationPair),
                  f.option(s("optOtras"), s("Otras"), s("Situación administrativa: otras"), situationPair)),
        0, 0, 1, 4);
    DataCombo* situations = f.combo(s("cboSituaciones"), s("Otra situación administrativa"));
    QLabel* situationLabel = f.label(s("Situación"), situations, s("lblSituacion"));
    situationLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    situationGrid->addWidget(situationLabel, 1, 0);
    situationGrid->addWidget(situations, 1, 1);
    QLineEdit* which = f.text(s("txtSitAdm"), s("Otra situación: cuál"));
    situationGrid->addWidget(which, 1, 2, 1, 2);
    QLineEdit* situationDate = f.text(s("txtFechaSit"), s("Fecha de la situación"));
    situationDate->setPlaceholderText(s("DD/MM/AAAA"));
    QLabel* situationDateLabel = f.label(s("Fecha"), situationDate, s("lblFechaSit"));
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
    QGroupBox* frame = f.frame(s("fraPuestoTrabajo"), s("Desempeña un puesto de trabajo"));
    QButtonGroup* postPair = f.pair(frame);
    auto* layout = new QVBoxLayout(frame);
    layout->addLayout(
        optionRow(frame, f.option(s("OptSi"), s("Sí"), s("Desempeña un puesto de trabajo: sí"), postPair),
                  f.option(s("OptNo"), s("No"), s("Desempeña un puesto de trabajo: no"), postPair)));

    QGroupBox* service = f.frame(s("Frame7"), s("Servicio de Salud"));
    QButtonGroup* servicePair = f.pair(service);
    auto* serviceRow = new QHBoxLayout(service);
    serviceRow->addWidget(f.option(s("optSSOndex"), s("ONDEX"), s("Servicio de salud: ONDEX"), servicePair));
    serviceRow->addSpacing(16);
    serviceRow->addWidget(f.option(s("optSSOtros"), s("Otros"), s("Servicio de salud: otros"), servicePair));
    serviceRow->addWidget(f.text(s("txtSS"), s("Otro servicio de salud: cuál")), 1);
    layout->addWidget(service);

    QGroupBox* place = f.frame(s("Frame3"), s("Ubicación del puesto"));
    FieldGrid placeGrid(new QGridLayout(place), f);
    placeGrid.pair(s("Provincia"), f.combo(s("cboProvinciasVrk"), s("Provincia del puesto")));
    placeGrid.pair(s("Área"), f.combo(s("cboAreaVrk"), s("Área del puesto")), 2);
    placeGrid.next();
    placeGrid.pair(s("ZBS"), f.combo(s("cboZBSVrk"), s("Zona básica de salud del puesto")));
    placeGrid.pair(s("Localidad"), f.combo(s("cboLocalidadesVrk"), s("Localidad del puesto")), 2);
    placeGrid.next();
    placeGrid.pair(s("Institución"), f.text(s("txtPuesto"), s("Institución del puesto")), 0, 3);
    placeGrid.next();
    placeGrid.pair(s("Provincia (fuera de la región)"),
                   f.text(s("txtProvinciaPuesto"), s("Provincia del puesto fuera de la región")), 0, 3);
    placeGrid.next();
    placeGrid.pair(s("Localidad (fuera de la región)"),
                   f.text(s("txtLocalidadPuesto"), s("Localidad del puesto fuera de la región")), 0, 3);
    layout->addWidget(place);

    QGroupBox* nature = f.frame(s("fraDefTemp"), s("Carácter del puesto"));
    QButtonGroup* naturePair = f.pair(nature);
    auto* natureGrid = new QGridLayout(nature);
    natureGrid->addLayout(optionRow(nature,
                                    f.option(s("optDefinitivo"), s("De carácter definitivo"), {}, naturePair),
                                    f.option(s("optTemporal"), s("De carácter provisional"), {}, naturePair)),
                          0, 0, 1, 2);
    QLineEdit* taking = f.text(s("txtFecPosesion"), s("Fecha de toma de posesión"));
    taking->setPlaceholderText(s("DD/MM/AAAA"));
    QLabel* takingLabel = f.label(s("Fecha toma posesión"), taking, s("lblPosesion"));
    takingLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    natureGrid->addWidget(takingLabel, 1, 0);
    natureGrid->addWidget(taking, 1, 1);
    natureGrid->setColumnStretch(1, 1);
    layout->addWidget(nature);
    return frame;
}

} // namespace velantor
