#include "startup/ui/frmSeleccion.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/MessageService.h"
#include "startup/RunValues.h"
#include "startup/SavedApplications.h"
#include "widgets/DataCombo.h"
#include "widgets/MessageBoxService.h"
#include "widgets/ScreenFit.h"

namespace velantor {
namespace {

DataGridColumns listColumns() {
    return {DataGridColumn::shown(QStringLiteral("DNI"), QStringLiteral("DNI")),
            DataGridColumn::shown(QStringLiteral("Cuerpo"), QStringLiteral("Categoría")),
            DataGridColumn::shown(QStringLiteral("Grupo"), QStringLiteral("Grupo")),
            DataGridColumn::shown(QStringLiteral("Fichero"), QStringLiteral("Fichero")),
            DataGridColumn::shown(QStringLiteral("DescCuerpo"), QStringLiteral("Descripción"))};
}

QPushButton* button(const QString& caption, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAccessibleName(QString(caption).remove(u'&'));
    return b;
}

} // namespace

frmSeleccion::frmSeleccion(TablePtr solicitudes, QString applicationsFolder, TablePtr rsCuerpos,
                           RunValues& run, Modo modo, QWidget* parent)
    : QDialog(parent), m_solicitudes(std::move(solicitudes)),
      m_applicationsFolder(std::move(applicationsFolder)), m_rsCuerpos(std::move(rsCuerpos)), m_run(run),
      m_modo(modo) {
    setObjectName(QStringLiteral("frmSeleccion"));
    setWindowTitle(QStringLiteral("CargarSolicitud"));
    buildLayout();
    connect(m_cboSolicitudes, &DataCombo::rowChosen, this, &frmSeleccion::elegirFila);
    connect(m_cmdCargar, &QPushButton::clicked, this, &frmSeleccion::cargar);
    connect(m_cmdBorrar, &QPushButton::clicked, this, &frmSeleccion::borrar);
    connect(m_cmdNueva, &QPushButton::clicked, this, &frmSeleccion::nueva);
    mostrarLista();
    fitToScreen(this, sizeHint(), QStringLiteral("ventanas/frmSeleccion"));
}

void frmSeleccion::buildLayout() {
    m_lblSolicitudes = new QLabel(QStringLiteral("&Ficheros de Solicitudes"), this);
    m_lblSolicitudes->setObjectName(QStringLiteral("lblSolicitudes"));
    QFont heading = m_lblSolicitudes->font();
    heading.setBold(true);
    m_lblSolicitudes->setFont(heading);

    m_cboSolicitudes = new DataCombo(this);
    m_cboSolicitudes->setObjectName(QStringLiteral("cboSolicitudes"));
    // Only a row of the list can be chosen; the text names the chosen document.
    m_cboSolicitudes->lineEdit()->setReadOnly(true);
    m_cboSolicitudes->lineEdit()->setPlaceholderText(QStringLiteral("Elija una solicitud (Alt+Abajo)"));
    m_cboSolicitudes->setAccessibleLabel(
        QStringLiteral("Ficheros de Solicitudes"),
        QStringLiteral("Lista desplegable de las solicitudes guardadas. Pulse Alt+Abajo para verlas."));
    m_cboSolicitudes->setMinimumWidth(m_cboSolicitudes->fontMetrics().averageCharWidth() * 70);
    m_lblSolicitudes->setBuddy(m_cboSolicitudes);

    auto* ayuda = new QLabel(
        QStringLiteral("Elija una solicitud para cargarla o borrarla, o empiece una nueva."), this);
    ayuda->setObjectName(QStringLiteral("lblAyuda"));

    m_cmdCargar = button(QStringLiteral("&Cargar Solicitud"), QStringLiteral("cmdCargar"), this);
    m_cmdBorrar = button(QStringLiteral("&Borrar Solicitud"), QStringLiteral("cmdBorrar"), this);
    m_cmdNueva = button(QStringLiteral("Solicitud &Nueva"), QStringLiteral("cmdNueva"), this);
    m_cmdCargar->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addWidget(m_cmdCargar);
    buttons->addWidget(m_cmdBorrar);
    buttons->addStretch(1);
    buttons->addWidget(m_cmdNueva);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->setSpacing(8);
    layout->addWidget(m_lblSolicitudes);
    layout->addWidget(m_cboSolicitudes);
    layout->addWidget(ayuda);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(m_cboSolicitudes, m_cmdCargar);
    setTabOrder(m_cmdCargar, m_cmdBorrar);
    setTabOrder(m_cmdBorrar, m_cmdNueva);
}

void frmSeleccion::mostrarLista() {
    const bool any = m_solicitudes && m_solicitudes->rowCount() > 0;
    if (any)
        m_cboSolicitudes->bind(m_solicitudes, listColumns());
    else
        m_cboSolicitudes->unbind();
    m_cboSolicitudes->clear();
    m_fichero.clear();
    m_cboSolicitudes->setEnabled(any);
    m_cmdCargar->setEnabled(any);
    m_cmdBorrar->setEnabled(any);
    // With nothing left to open, starting a new application is the one way on, also
    // when the window came back from the form without it.
    m_cmdNueva->setVisible(m_modo == Modo::Inicio || !any);
    if (!any)
        m_cmdNueva->setFocus(Qt::OtherFocusReason);
}

void frmSeleccion::elegirFila(int row) {
    const int field = m_solicitudes ? m_solicitudes->fieldIndex(u"Fichero") : -1;
    if (field < 0 || row < 0 || row >= m_solicitudes->rowCount())
        return;
    // The list's own text would be the identity number, the same on every row: the
    // document's name tells the applications apart.
    m_fichero = m_solicitudes->textAt(row, field);
    m_cboSolicitudes->setText(m_fichero);
}

bool frmSeleccion::hayEleccion() {
    if (!m_cboSolicitudes->text().isEmpty() && !m_fichero.isEmpty())
        return true;
    messageService().show(Message{QStringLiteral("Seleccione una Solicitud"), QStringLiteral("Solicitudes"),
                                  MessageIcon::Exclamation, MessageButtons::Ok});
    return false;
}

void frmSeleccion::cargar() {
    if (!hayEleccion())
        return;
    m_run.FicheroSolicitud = m_fichero;
    m_eleccion = Eleccion::Cargar;
    QPointer<frmSeleccion> self(this);
    hide();
    emit cargarSolicitud(m_fichero);
    if (self)
        accept();
}

void frmSeleccion::nueva() {
    m_run.FicheroSolicitud.clear();
    m_eleccion = Eleccion::Nueva;
    QPointer<frmSeleccion> self(this);
    hide();
    emit solicitudNueva();
    if (self)
        accept();
}

void frmSeleccion::borrar() {
    if (!hayEleccion())
        return;
    const MessageAnswer answer =
        messageService().ask(QStringLiteral("¿Desea borrar esta solicitud?"), QStringLiteral("Borrar"),
                             MessageIcon::Question, MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes)
        return;
    m_run.FicheroSolicitud = m_fichero;
    const Result<int> removed = borrarSolicitud(m_applicationsFolder, m_run.FicheroSolicitud);
    if (!removed)
        messageService().show(Message{removed.error().description, QStringLiteral("Borrar"),
                                      MessageIcon::Critical, MessageButtons::Ok});

    // What is really left in the folder, whatever the deletion managed.
    const TablePtr bodies = m_rsCuerpos ? m_rsCuerpos : Table::create(QStringLiteral("rsCuerpos"), {});
    m_solicitudes = ListarSolicitudes(m_applicationsFolder, m_run.FicheroSolicitud.left(9), *bodies);
    emit solicitudesCambiadas(m_solicitudes);
    mostrarLista();
    m_run.FicheroSolicitud.clear();
}

} // namespace velantor
