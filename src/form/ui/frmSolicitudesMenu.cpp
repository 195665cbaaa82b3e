// The command menu and the closing of the window.
#include "form/ui/frmSolicitudes.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMenuBar>
#include <QTimer>
#include <QUrl>

#include "document/ApplicationLock.h"
#include "form/CompletenessChecks.h"
#include "form/CourseDocumentEditor.h"
#include "form/RequestedPositionList.h"
#include "form/ui/FormWidgetView.h"
#include "form/ui/HelpManual.h"
#include "platform/MessageService.h"
#include "widgets/DataGrid.h"
#include "form/ControlNames.h"

namespace velantor {
namespace {

QString s(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace

void frmSolicitudes::buildMenu() {
    const struct {
        int index;
        const char* caption;
        const char* description;
    } items[] = {
        {Imprimir, "&Imprimir", "Guarda e imprime la solicitud"},
        {Guardar, "&Guardar", "Guarda la solicitud"},
        {CargarOtra, "&Cargar otra solicitud", "Guarda esta solicitud y abre otra"},
        {Salir, "&Salir", "Cierra la solicitud"},
        {Ayuda, "A&yuda", "Abre el manual de usuario"},
        {CambiarPwd, "Cambiar c&ontraseña", "Cambia la contraseña del usuario"},
    };
    QMenuBar* bar = menuBar();
    bar->setObjectName(ctl::name(ctl::mnuP));
    bar->setAccessibleName(s("Menú de la solicitud"));
    for (const auto& item : items) {
        auto* action = new QAction(s(item.caption), this);
        action->setObjectName(QStringLiteral("mnuP%1").arg(item.index));
        action->setStatusTip(s(item.description));
        action->setToolTip(s(item.description));
        const int index = item.index;
        connect(action, &QAction::triggered, this, [this, index] { runMenuCommand(index); });
        bar->addAction(action);
        m_menu.insert(item.index, action);
    }
}

void frmSolicitudes::menuPreamble() {
    QApplication::processEvents();
    m_cursosEditor->reset();
    m_vacantesEditor->resetEntryPanel();
    m_resultasEditor->resetEntryPanel();
    for (const char* name : {"grdCursos", "grdResultas", "grdVacantes"})
        grid(QString::fromLatin1(name))->clearSelection();
}

void frmSolicitudes::runMenuCommand(int index) {
    menuPreamble();
    switch (index) {
    case Imprimir:
        if (ComprobarSolicitudCompleta(*m_view, *m_working.vacantes, *m_working.resultas, m_messages)) {
            saveAndPrint(true, false);
        } else if (m_messages.ask(
                       s("Faltan datos por rellenar. ¿Desea imprimir una copia borrador de la solicitud?"),
                       s("Copia Borrador"), MessageIcon::Question,
                       MessageButtons::YesNo) == MessageAnswer::Yes) {
            saveAndPrint(true, true);
        }
        break;
    case Guardar:
        saveAndPrint(false, false);
        break;
    case CargarOtra:
        switch (m_messages.ask(s("¿Guardar la solicitud actual?"), s("GUARDAR"), MessageIcon::None,
                               MessageButtons::YesNoCancel)) {
        case MessageAnswer::Yes:
            saveAndPrint(false, false);
            break;
        case MessageAnswer::No:
            m_switching = true;
            emit switchApplicationRequested();
            close();
            break;
        default:
            break;
        }
        break;
    case Salir:
        close();
        break;
    case Ayuda: {
        // A copy opens in the word processor: the shipped manual is never edited.
        const Result<QString> copy = manualCopy(m_programFolder);
        if (!copy)
            m_messages.inform(copy.error().description, s("Ayuda"), MessageIcon::Exclamation);
        else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(*copy)))
            m_messages.inform(s("No se ha podido abrir el manual «%1».").arg(QDir::toNativeSeparators(*copy)),
                              s("Ayuda"), MessageIcon::Exclamation);
        break;
    }
    case CambiarPwd:
        emit changePasswordRequested(m_view->text(ctl::txtDNI));
        break;
    default:
        break;
    }
}

void frmSolicitudes::keepStoredApplication(const QString& reason) {
    m_keptReason = reason;
    // Another application may still be chosen ("Cargar otra solicitud").
    for (int index : {int(Imprimir), int(Guardar)})
        m_menu.value(index)->setEnabled(false);
}

void frmSolicitudes::holdApplicationLock(std::unique_ptr<ApplicationLock> lock) {
    m_applicationLock = std::move(lock);
}

bool frmSolicitudes::saveAndPrint(bool print, bool draft) {
    if (keepsStoredApplication()) {
        m_messages.inform(m_keptReason, s("Guardar solicitud"), MessageIcon::Exclamation);
        return false;
    }
    if (!ComprobarDatosGrabar(*m_view, m_messages))
        return false;
    if (m_passwordStep && m_passwordStep(m_view->text(ctl::txtDNI)))
        setUserHasPassword(true);
    if (!m_saveHandler) {
        m_messages.inform(
            s("No hay ningún generador de documentos instalado: la solicitud no se ha guardado."),
            s("Guardar solicitud"), MessageIcon::Information);
        return false;
    }
    return m_saveHandler(print, draft);
}

void frmSolicitudes::endWithoutSaving() {
    m_existingClose = true;
    close();
}

void frmSolicitudes::closeEvent(QCloseEvent* event) {
    // A print in progress keeps the window open until the timer has closed the word processor.
    if (m_timer1->isActive()) {
        event->ignore();
        return;
    }
    if (m_switching || m_existingClose) {
        m_switching = false;
        event->accept();
        return;
    }
    if (keepsStoredApplication()) {
        // Saving would put what this window holds over the stored application.
        if (m_messages.ask(m_keptReason + s("\n\nLa solicitud guardada se conserva tal como estaba. ¿Desea "
                                            "cerrar sin guardar?"),
                           s("Solicitud"), MessageIcon::Warning, MessageButtons::YesNo) == MessageAnswer::Yes)
            event->accept();
        else
            event->ignore();
        return;
    }
    switch (m_messages.ask(s("La aplicación se cerrará, ¿desea guardar los cambios?"), s("Solicitud"),
                           MessageIcon::Warning, MessageButtons::YesNoCancel)) {
    case MessageAnswer::Yes:
        if (saveAndPrint(false, false))
            event->accept();
        else
            event->ignore();
        break;
    case MessageAnswer::No:
        event->accept();
        break;
    default:
        event->ignore();
        break;
    }
}

} // namespace velantor
