// Tabs 1 to 4: a grid over a working table, its buttons and its entry frame.
#include "form/ui/frmSolicitudes.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "form/ui/FormWidgetFactory.h"
#include "widgets/DataCombo.h"
#include "widgets/DataGrid.h"
#include "form/ControlNames.h"

namespace velantor {
namespace {

QString s(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QLabel* rightAligned(QLabel* label) {
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

// The grid with its caption above and its command buttons in a column on the right.
QWidget* gridBlock(const QString& caption, DataGrid* grid, const QList<QPushButton*>& buttons) {
    auto* block = new QWidget;
    auto* layout = new QGridLayout(block);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* title = new QLabel(caption);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    title->setBuddy(grid);
    // On a small screen the grid gives up its height first: a few rows stay visible and
    // it scrolls, while the entry frame below keeps its size.
    grid->setMinimumHeight(grid->fontMetrics().height() * 6);
    grid->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    layout->addWidget(title, 0, 0);
    layout->addWidget(grid, 1, 0);
    auto* commands = new QVBoxLayout;
    for (QPushButton* button : buttons)
        commands->addWidget(button);
    commands->addStretch(1);
    layout->addLayout(commands, 1, 1);
    layout->setRowStretch(1, 1);
    layout->setColumnStretch(0, 1);
    return block;
}

QHBoxLayout* acceptCancel(QPushButton* accept, QPushButton* cancel) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(accept);
    row->addWidget(cancel);
    return row;
}

} // namespace

QWidget* frmSolicitudes::buildCursosTab() {
    FormWidgetFactory& f = *m_factory;
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_lblGrid.at(1));
    DataGrid* grid = f.grid(ctl::name(ctl::grdCursos), s("Cursos de Formación de Funcionarios"));
    layout->addWidget(
        gridBlock(s("Cursos de Formación de Funcionarios"), grid,
                  {f.button(ctl::name(ctl::cmdAdd), s("Añadir"), s("Añadir curso")),
                   f.button(ctl::name(ctl::cmdUpdate), s("Modificar"), s("Modificar el curso seleccionado")),
                   f.button(ctl::name(ctl::cmdDel), s("Borrar"), s("Borrar el curso seleccionado"))}),
        1);

    QGroupBox* frame = f.frame(ctl::name(ctl::Frame4), s("Datos del curso"));
    auto* entry = new QGridLayout(frame);
    QLineEdit* name = f.text(ctl::name(ctl::txtCurso), s("Nombre del curso"), 100);
    entry->addWidget(rightAligned(f.label(s("Curso"), name)), 0, 0);
    entry->addWidget(name, 0, 1, 1, 5);
    QLineEdit* hours = f.text(ctl::name(ctl::txtHoras), s("Número de horas del curso"), 9);
    entry->addWidget(rightAligned(f.label(s("Nº de Horas"), hours)), 1, 0);
    entry->addWidget(hours, 1, 1);
    QLineEdit* year = f.text(ctl::name(ctl::txtAno), s("Año de realización del curso"), 9);
    entry->addWidget(rightAligned(f.label(s("Año"), year)), 1, 2);
    entry->addWidget(year, 1, 3);
    QLineEdit* centre = f.text(ctl::name(ctl::txtCentro), s("Centro que impartió el curso"), 100);
    entry->addWidget(rightAligned(f.label(s("Centro"), centre)), 2, 0);
    entry->addWidget(centre, 2, 1, 1, 5);
    QLineEdit* id = f.text(ctl::name(ctl::txtIdCurso), s("Identificador del curso"));
    id->setVisible(false);
    entry->addWidget(id, 1, 5);
    entry->setColumnStretch(1, 1);
    entry->setColumnStretch(3, 1);
    entry->setColumnStretch(4, 2);
    entry->addLayout(acceptCancel(f.button(ctl::name(ctl::cmdAceptar), s("Aceptar"), s("Aceptar el curso")),
                                  f.button(ctl::name(ctl::cmdCancelar), s("Cancelar"),
                                           s("Cancelar la edición del curso"))),
                     3, 0, 1, 6);
    layout->addWidget(frame);
    return page;
}

QWidget* frmSolicitudes::buildDocumentosTab() {
    FormWidgetFactory& f = *m_factory;
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_lblGrid.at(4));
    DataGrid* grid = f.grid(ctl::name(ctl::grdDocumentos), s("Documentos"));
    layout->addWidget(
        gridBlock(
            s("Documentos"), grid,
            {f.button(ctl::name(ctl::cmdAddDoc), s("Añadir"), s("Añadir documento")),
             f.button(ctl::name(ctl::cmdModDoc), s("Modificar"), s("Modificar el documento seleccionado")),
             f.button(ctl::name(ctl::cmdDelDoc), s("Borrar"), s("Borrar el documento seleccionado"))}),
        1);

    QGroupBox* frame = f.frame(ctl::name(ctl::Frame8), s("Datos del documento"));
    auto* entry = new QGridLayout(frame);
    QLineEdit* name = f.text(ctl::name(ctl::txtDoc), s("Nombre del documento"), 100);
    entry->addWidget(rightAligned(f.label(s("Documento"), name)), 0, 0);
    entry->addWidget(name, 0, 1, 1, 5);
    QLineEdit* hours = f.text(ctl::name(ctl::txtNumHoras), s("Número de horas"), 6);
    entry->addWidget(rightAligned(f.label(s("Nº Horas"), hours)), 1, 0);
    entry->addWidget(hours, 1, 1);
    QLineEdit* end = f.text(ctl::name(ctl::txtFechaFin), s("Fecha de finalización"), 10);
    end->setPlaceholderText(s("DD/MM/AAAA"));
    entry->addWidget(rightAligned(f.label(s("Fecha Fin."), end)), 1, 2);
    entry->addWidget(end, 1, 3);
    QLineEdit* centre = f.text(ctl::name(ctl::txtCentroFormacion), s("Centro de formación"), 100);
    entry->addWidget(rightAligned(f.label(s("Centro Formación"), centre)), 2, 0);
    entry->addWidget(centre, 2, 1, 1, 5);
    QLineEdit* id = f.text(ctl::name(ctl::txtIdDoc), s("Identificador del documento"));
    id->setVisible(false);
    entry->addWidget(id, 1, 5);
    entry->setColumnStretch(1, 1);
    entry->setColumnStretch(3, 1);
    entry->setColumnStretch(4, 2);
    entry->addLayout(
        acceptCancel(
            f.button(ctl::name(ctl::cmdAceptarDoc), s("Aceptar"), s("Aceptar el documento")),
            f.button(ctl::name(ctl::cmdCancelarDoc), s("Cancelar"), s("Cancelar la edición del documento"))),
        3, 0, 1, 6);
    layout->addWidget(frame);

    m_timer2 = new QTimer(this);
    m_timer2->setObjectName(s("Timer2"));
    return page;
}

QWidget* frmSolicitudes::buildPositionTab(bool vacantes) {
    FormWidgetFactory& f = *m_factory;
    const int tab = vacantes ? 2 : 3;
    const QString side = vacantes ? s("Vacante") : s("Resultas");
    const QString what = vacantes ? s("vacante") : s("de resultas");
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_lblGrid.at(tab));
    if (vacantes) {
        auto* category = new QLabel;
        category->setObjectName(ctl::name(ctl::lblCat));
        f.add(category);
        layout->addWidget(category);
    }
    DataGrid* grid = f.grid(vacantes ? ctl::name(ctl::grdVacantes) : ctl::name(ctl::grdResultas),
                            vacantes ? s("Puestos solicitados: plazas vacantes")
                                     : s("Puestos solicitados: plazas de resultas"));
    const QString buttons[] = {
        vacantes ? ctl::name(ctl::cmdAddVacante) : ctl::name(ctl::cmdAddResultas),
        vacantes ? ctl::name(ctl::cmdUpdateVacante) : ctl::name(ctl::cmdUpdateResultas),
        vacantes ? ctl::name(ctl::cmdDelVacante) : ctl::name(ctl::cmdDelResultas),
        vacantes ? ctl::name(ctl::cmdTodasVacantes) : ctl::name(ctl::cmdInsertaTodasResultas),
    };
    layout->addWidget(
        gridBlock(s("Puestos"), grid,
                  {f.button(buttons[0], s("Añadir"), s("Añadir plaza %1").arg(what)),
                   f.button(buttons[1], s("Modificar"), s("Cambiar el orden de la plaza seleccionada")),
                   f.button(buttons[2], s("Borrar"), s("Borrar la plaza seleccionada")),
                   f.button(buttons[3], s("Insertar Todas"), s("Insertar todas las plazas encontradas"))}),
        1);

    QGroupBox* frame =
        f.frame(vacantes ? ctl::name(ctl::Frame5) : ctl::name(ctl::Frame6), s("Plaza solicitada"));
    auto* entry = new QGridLayout(frame);
    const QString suffix = vacantes ? s("Vacantes") : s("Resultas");
    QLineEdit* order = f.text(vacantes ? ctl::name(ctl::txtOrdenVacante) : ctl::name(ctl::txtOrdenResultas),
                              s("Orden de preferencia"), 5);
    entry->addWidget(rightAligned(f.label(s("Orden"), order)), 0, 0);
    entry->addWidget(order, 0, 1);
    DataCombo* position =
        f.combo(vacantes ? ctl::name(ctl::cboPuestoVacante) : ctl::name(ctl::cboPuestoResultas),
                s("Plaza %1 que solicita").arg(what));
    entry->addWidget(rightAligned(f.label(s("Plaza"), position)), 0, 2);
    entry->addWidget(position, 0, 3, 1, 3);
    QLineEdit* code = f.text(vacantes ? ctl::name(ctl::txtCodVacante) : ctl::name(ctl::txtCodResulta),
                             s("Código de la plaza"), 5);
    entry->addWidget(rightAligned(f.label(s("Código"), code)), 1, 0);
    entry->addWidget(code, 1, 1);
    QLineEdit* description =
        f.text(vacantes ? ctl::name(ctl::txtDescVacantes) : ctl::name(ctl::txtDescResultas),
               s("Denominación de la plaza"), 50);
    description->setReadOnly(true);
    description->setVisible(false);
    entry->addWidget(description, 1, 3, 1, 3);
    QLineEdit* id =
        f.text(vacantes ? ctl::name(ctl::txtIdSolicitudVacantes) : ctl::name(ctl::txtIdSolicitudResultas),
               s("Identificador de la plaza solicitada"));
    id->setVisible(false);
    entry->addWidget(id, 1, 2);

    QGroupBox* search =
        f.frame(vacantes ? ctl::name(ctl::fraDemarcacionVacantes) : ctl::name(ctl::fraDemarcacionResultas),
                s("Demarcación"));
    auto* searchGrid = new QGridLayout(search);
    const struct {
        const char* name;
        const char* caption;
        const char* spoken;
    } lists[] = {
        {"cboProvincia", "Provincia", "Provincia de búsqueda"},
        {"cboLocalidad", "Localidad", "Localidad de búsqueda"},
        {"cboConsejeria", "Institución", "Institución de búsqueda"},
        {"cboAreas", "Áreas", "Área de búsqueda"},
        {"cboZonas", "Zonas Básicas", "Zona básica de búsqueda"},
    };
    int index = 0;
    for (const auto& list : lists) {
        DataCombo* combo = f.combo(s(list.name) + suffix, s(list.spoken));
        const int row = index / 2;
        const int column = (index % 2) * 2;
        searchGrid->addWidget(rightAligned(f.label(s(list.caption), combo)), row, column);
        searchGrid->addWidget(combo, row, column + 1);
        ++index;
    }
    searchGrid->setColumnStretch(1, 1);
    searchGrid->setColumnStretch(3, 1);
    if (vacantes) {
        DataCombo* unbound = f.combo(ctl::name(ctl::SSOleDBCombo1), s("Zona básica de salud (sin uso)"));
        unbound->setVisible(false);
        searchGrid->addWidget(unbound, 3, 1);
        auto* found = new QLabel;
        found->setObjectName(ctl::name(ctl::lblPlazas));
        f.add(found);
        searchGrid->addWidget(found, 2, 3);
    }
    entry->addWidget(search, 2, 0, 1, 6);
    entry->setColumnStretch(3, 1);
    entry->addLayout(
        acceptCancel(
            f.button(ctl::name(ctl::cmdAceptar) + side, s("Aceptar"), s("Aceptar la plaza")),
            f.button(ctl::name(ctl::cmdCancelar) + side, s("Cancelar"), s("Cancelar y limpiar la búsqueda"))),
        3, 0, 1, 6);
    layout->addWidget(frame);
    return page;
}

} // namespace velantor
