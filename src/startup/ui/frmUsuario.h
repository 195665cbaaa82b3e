#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace velantor {

class UserRegistry;
struct RunValues;

// The login window, the first window of every run. The user gives the identity number
// ("NIF"); a number without a registry entry logs in at once, a registered one goes on
// to the password step. The window writes the run values DNIUsuario, UsuarioValidado
// and UsuarioConPwd, and finishes Accepted when the login succeeded, Rejected when the
// user left (cmdSalir, Escape, the close box) or the registry could not be loaded.
//
// The identity number field drops "," "-" and "."; nine characters move the focus on;
// it selects its whole text on getting the focus; leaving it checks the number and an
// invalid one is cleared and gets the focus back. Going to cmdSalir does not check, so
// the user can always leave.
class frmUsuario : public QDialog {
    Q_OBJECT
public:
    // Loads the registry from `registryPath` into `registry`, which stays loaded for
    // the rest of the run (the password window uses it).
    frmUsuario(UserRegistry& registry, const QString& registryPath, RunValues& run,
               QWidget* parent = nullptr);

    // False when the registry could not be loaded: the window closes as soon as it shows.
    bool registroCargado() const { return m_registroCargado; }
    // Whether the password step is showing.
    bool pasoContrasena() const { return m_pasoContrasena; }

    QLineEdit* txtDNI() const { return m_txtDNI; }
    QLineEdit* txtPwd() const { return m_txtPwd; }
    QLabel* lblPwd() const { return m_lblPwd; }
    QPushButton* cmdAceptarDNI() const { return m_cmdAceptarDNI; }
    QPushButton* cmdAceptarPwd() const { return m_cmdAceptarPwd; }
    QPushButton* cmdSalir() const { return m_cmdSalir; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void aceptarDNI();
    void aceptarPwd();
    void mostrarPasoContrasena();
    void dniEditado(const QString& text);
    void dniAbandonado();
    void showMessage(const QString& text);

    UserRegistry& m_registry;
    RunValues& m_run;
    bool m_registroCargado = false;
    bool m_pasoContrasena = false;
    bool m_closing = false;

    QLabel* m_lblAyuda = nullptr;
    QLabel* m_lblDNI = nullptr;
    QLineEdit* m_txtDNI = nullptr;
    QPushButton* m_cmdAceptarDNI = nullptr;
    QLabel* m_lblPwd = nullptr;
    QLineEdit* m_txtPwd = nullptr;
    QPushButton* m_cmdAceptarPwd = nullptr;
    QPushButton* m_cmdSalir = nullptr;
};

} // namespace velantor
