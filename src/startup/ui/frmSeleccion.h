#pragma once

#include <QDialog>
#include <QString>

#include "tables/Table.h"

class QLabel;
class QPushButton;

namespace velantor {

class DataCombo;
struct RunValues;

// The selection window: the saved applications of the logged-in identity number in a
// drop-down list, to open one, delete one or start a new application. The window does
// not load catalogues or open the form itself: it hides, tells its owner what was
// chosen (cargarSolicitud or solicitudNueva, with FicheroSolicitud set in the run
// values) and then closes Accepted. Closing it without a choice finishes it Rejected.
//
// Deleting removes the document, its positions XML and its printed PDF, and lists the
// folder again; when nothing is left only "Solicitud Nueva" stays enabled. Brought back
// from the form by "Cargar otra solicitud" the window has no "Solicitud Nueva".
class frmSeleccion : public QDialog {
    Q_OBJECT
public:
    enum class Modo {
        Inicio,     // after the login: open, delete or new
        CargarOtra, // from the form: open or delete only
    };
    enum class Eleccion { Ninguna, Cargar, Nueva };

    // `solicitudes` is the saved-applications list to offer (ListarSolicitudes);
    // `rsCuerpos` gives the body descriptions when the list is built again after a deletion.
    frmSeleccion(TablePtr solicitudes, QString applicationsFolder, TablePtr rsCuerpos, RunValues& run,
                 Modo modo, QWidget* parent = nullptr);

    Modo modo() const { return m_modo; }
    Eleccion eleccion() const { return m_eleccion; }
    // The list shown now: a new one after every deletion.
    const TablePtr& solicitudes() const { return m_solicitudes; }
    // File name of the application chosen in the list; empty until the user chooses one.
    const QString& ficheroElegido() const { return m_fichero; }

    DataCombo* cboSolicitudes() const { return m_cboSolicitudes; }
    QPushButton* cmdCargar() const { return m_cmdCargar; }
    QPushButton* cmdBorrar() const { return m_cmdBorrar; }
    QPushButton* cmdNueva() const { return m_cmdNueva; }

signals:
    // The owner shows the loading window and opens the form with this application.
    void cargarSolicitud(const QString& fichero);
    // The owner shows the loading window and opens an empty form.
    void solicitudNueva();
    // A deletion built a new saved-applications list.
    void solicitudesCambiadas(const TablePtr& solicitudes);

private:
    void buildLayout();
    void mostrarLista();
    void elegirFila(int row);
    bool hayEleccion();
    void cargar();
    void borrar();
    void nueva();

    TablePtr m_solicitudes;
    QString m_applicationsFolder;
    TablePtr m_rsCuerpos;
    RunValues& m_run;
    Modo m_modo;
    Eleccion m_eleccion = Eleccion::Ninguna;
    QString m_fichero;

    QLabel* m_lblSolicitudes = nullptr;
    DataCombo* m_cboSolicitudes = nullptr;
    QPushButton* m_cmdCargar = nullptr;
    QPushButton* m_cmdBorrar = nullptr;
    QPushButton* m_cmdNueva = nullptr;
};

} // namespace velantor
