#pragma once

#include <array>
#include <functional>
#include <memory>

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include "form/ConfiguracionSolicitud.h"
#include "form/ui/FormCatalogueTables.h"

class QAction;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTimer;

namespace velantor {

class CourseDocumentEditor;
class DataCombo;
class DataGrid;
class FormView;
class FormWidgetFactory;
class FormWidgetView;
class MessageService;
class PrintJob;

// The application form: five tabs (personal and professional data, courses, requested
// vacancies, requested "Resultas", documents), the command menu and the four grids over
// the working tables. Every control's objectName is its design name (txtDNI, cboCuerpo,
// optForzoso, Frame7 …), so rules, tests and later code find it with control().
//
// The window only translates: the rules live in the form core (entry rules, checks,
// editors) and work on the window through FormView.
class frmSolicitudes : public QMainWindow {
    Q_OBJECT
public:
    enum MenuIndex {
        Imprimir = 1000,
        Guardar = 2000,
        CargarOtra = 2500,
        Salir = 3000,
        Ayuda = 4000,
        CambiarPwd = 5000
    };
    // Writes the application to its document (print and draft flags); answers whether it
    // was written. Supplied by the document generator.
    using SaveHandler = std::function<bool(bool print, bool draft)>;

    frmSolicitudes(const FormCatalogueTables& catalogues, const FormWorkingTables& working,
                   ConfiguracionSolicitud configuration, MessageService& messages, QString programFolder,
                   QWidget* parent = nullptr);
    ~frmSolicitudes() override;

    QWidget* control(QStringView name) const;
    template <class T> T* controlAs(QStringView name) const { return qobject_cast<T*>(control(name)); }
    DataCombo* combo(QStringView name) const;
    DataGrid* grid(QStringView name) const;
    QLineEdit* lineEdit(QStringView name) const;
    QTabWidget* tabs() const { return m_tabs; }
    QLabel* gridLabel(int tab) const { return m_lblGrid.at(tab); }
    QAction* menuItem(int index) const { return m_menu.value(index); }
    QTimer* printTimer() const { return m_timer1; }
    FormView& view();
    const FormView& view() const;
    MessageService& messages() const { return m_messages; }

    const FormCatalogueTables& catalogues() const { return m_catalogues; }
    const FormWorkingTables& workingTables() const { return m_working; }
    const ConfiguracionSolicitud& configuration() const { return m_conf; }
    QString templateFolderName() const { return m_conf.templateFolderName(); }
    const QString& programFolder() const { return m_programFolder; }

    CourseDocumentEditor& cursosEditor() const { return *m_cursosEditor; }
    CourseDocumentEditor& documentosEditor() const { return *m_documentosEditor; }

    // "Cambiar contraseña" is offered only to a user who already has a password.
    void setUserHasPassword(bool hasPassword);
    bool userHasPassword() const { return m_userHasPassword; }
    void setSaveHandler(SaveHandler handler) { m_saveHandler = std::move(handler); }
    // Whether a document already exists for the identity number, body and group typed
    // (it warns the user itself). Without one, no document is assumed to exist.
    void setExistingApplicationCheck(std::function<bool()> check) { m_existingCheck = std::move(check); }

    // Enables or disables the six search lists of both position tabs; the vacancy side
    // then follows its province rule (only the province list until a province is chosen).
    void setSearchListsEnabled(bool enabled);
    // Enables the print, save and "Cargar otra solicitud" commands (or disables them).
    void setDocumentCommandsEnabled(bool enabled);
    // Closes the window without the save question (the user chose to end the program
    // when warned that the application already exists).
    void endWithoutSaving();
    // Runs a menu command by its index, as a click on the item does.
    void runMenuCommand(int index);
    // Starts the ten-second timer after a print; the commands come back when it fires.
    // Given the print's job, a timer that fires while the job still runs waits for it (it
    // is never stopped from here): the commands stay disabled and the window keeps
    // refusing to close until the job has finished. Started again without a job while one
    // is pending, the timer restarts and keeps waiting for that job.
    void startPrintTimer(PrintJob* job = nullptr);

signals:
    void changePasswordRequested(const QString& dni);
    void switchApplicationRequested();
    // The print timer fired: whoever printed closes the word processor now.
    void printTimerElapsed();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Layout, one tab per function (frmSolicitudesTab0.cpp, frmSolicitudesListTabs.cpp).
    QWidget* buildDatosTab();
    QWidget* buildFrameConcurso();
    QWidget* buildFramePersonales();
    QWidget* buildFrameProfesionales();
    QWidget* buildPuestoActual();
    QWidget* buildCursosTab();
    QWidget* buildPositionTab(bool vacantes);
    QWidget* buildDocumentosTab();
    void buildMenu();
    void setTabOrder0();
    void setListTabOrder();

    // Load sequence and behaviour (frmSolicitudes.cpp, frmSolicitudesRules.cpp,
    // frmSolicitudesEditors.cpp, frmSolicitudesMenu.cpp).
    void applyConfiguration();
    void bindGrids();
    void setInitialStates();
    void wireEntryRules();
    void wireEditors();
    void onActivated();
    void onTabChanged(int index);
    void onPrintTimer();
    void endPrint();
    void onFieldFocusIn(QLineEdit* field);
    void onFieldFocusOut(QLineEdit* field);
    bool filterKey(QLineEdit* field, QKeyEvent* key);
    void leaveDni();
    void menuPreamble();
    bool saveAndPrint(bool print, bool draft);
    void focusNext(QWidget* from);

    FormCatalogueTables m_catalogues;
    FormWorkingTables m_working;
    ConfiguracionSolicitud m_conf;
    MessageService& m_messages;
    QString m_programFolder;

    std::unique_ptr<FormWidgetFactory> m_factory;
    std::unique_ptr<FormWidgetView> m_view;
    std::unique_ptr<CourseDocumentEditor> m_cursosEditor;
    std::unique_ptr<CourseDocumentEditor> m_documentosEditor;
    QTabWidget* m_tabs = nullptr;
    std::array<QLabel*, 5> m_lblGrid{};
    QHash<int, QAction*> m_menu;
    QTimer* m_timer1 = nullptr;
    QTimer* m_timer2 = nullptr;
    QPointer<PrintJob> m_printJob;
    bool m_printTimerFired = false;
    SaveHandler m_saveHandler;
    std::function<bool()> m_existingCheck;

    bool m_returningToFirstTab = false;
    bool m_userHasPassword = false;
    bool m_switching = false;
    bool m_existingClose = false;
};

} // namespace velantor
