#pragma once

#include <array>

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace velantor {

class UserRegistry;

// The password window: sets or changes the password of one identity number. The new
// password is typed twice (txtPwd index 0 and 1, objectNames "txtPwd_0" and "txtPwd_1");
// "Aceptar" replaces the number's registry entry by one with the new password, placed
// last, and writes the registry file. Too short or different passwords are refused with
// a message and both fields emptied. When the registry file cannot be written the user
// is told why and the window stays open with the fields as typed, so nothing is lost
// without notice. "Salir" leaves the registry as it was.
//
// The window finishes Accepted only when the password was stored.
class frmCreaPwd : public QDialog {
    Q_OBJECT
public:
    explicit frmCreaPwd(UserRegistry& registry, QWidget* parent = nullptr);

    // The identity number whose password is set; set before showing the window.
    const QString& strDNI() const { return m_strDNI; }
    void setStrDNI(const QString& dni) { m_strDNI = dni; }

    bool guardada() const { return m_guardada; }

    QLineEdit* txtPwd(int index) const { return m_txtPwd.at(size_t(index)); }
    QPushButton* cmdAceptar() const { return m_cmdAceptar; }
    QPushButton* cmdSalir() const { return m_cmdSalir; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void aceptar();
    void vaciar();

    UserRegistry& m_registry;
    QString m_strDNI;
    bool m_guardada = false;

    std::array<QLineEdit*, 2> m_txtPwd{};
    QPushButton* m_cmdAceptar = nullptr;
    QPushButton* m_cmdSalir = nullptr;
};

} // namespace velantor
