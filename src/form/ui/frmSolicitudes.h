#pragma once

#include <array>
#include <functional>
#include <memory>

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QSet>

#include "catalogues/ListBindings.h"
#include "catalogues/ConfiguracionSolicitud.h"
#include "catalogues/ApplicationTables.h"

class QAction;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTimer;

namespace velantor {

namespace catalogues {
class PositionSearch;
enum class ListEvent;
enum class SearchTab;
} // namespace catalogues

class ApplicationLock;
class CourseDocumentEditor;
class DataCombo;
class DataGrid;
class FormView;
class FormWidgetFactory;
class FormWidgetView;
class MessageService;
class RequestedPositionList;
class PrintJob;

// The application form: five tabs (personal and professional data, courses, requested
// vacancies, requested "Resultas", documents), the command menu and the four grids over
// the working tables. Every control's objectName is its design name (txtDNI, cboCuerpo,
// optForzoso, Frame7 …), so rules, tests and later code find it with control().
//
// The window only translates: the rules live in the form core (entry rules, checks,
// editors) and the catalogue core (the position search behind the body, group and search
// lists), and work on the window through FormView.
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

    // `tables` are the tables behind the selection lists (SearchTables::fromCatalogues).
    frmSolicitudes(catalogues::SearchTables tables, const ApplicationTables& working,
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

    const catalogues::SearchTables& searchTables() const { return m_tables; }
    const ApplicationTables& workingTables() const { return m_working; }
    const ConfiguracionSolicitud& configuration() const { return m_conf; }
    QString templateFolderName() const { return m_conf.templateFolderName(); }
    const QString& programFolder() const { return m_programFolder; }

    CourseDocumentEditor& cursosEditor() const { return *m_cursosEditor; }
    CourseDocumentEditor& documentosEditor() const { return *m_documentosEditor; }
    RequestedPositionList& vacantesEditor() const { return *m_vacantesEditor; }
    RequestedPositionList& resultasEditor() const { return *m_resultasEditor; }
    // The rules behind the body, group and search lists; SeleccionaPlazasRS chooses the
    // position tables of the body and group the lists hold.
    catalogues::PositionSearch& positionSearch() const { return *m_search; }

    // "Cambiar contraseña" is offered only to a user who already has a password.
    void setUserHasPassword(bool hasPassword);
    bool userHasPassword() const { return m_userHasPassword; }
    void setSaveHandler(SaveHandler handler) { m_saveHandler = std::move(handler); }
    // Runs before every save of a user who may have no password yet: it offers the
    // password window when the registry has no entry for the identity number, and answers
    // whether it did; the "Cambiar contraseña" item is shown afterwards.
    void setPasswordStep(std::function<bool(const QString& dni)> step) { m_passwordStep = std::move(step); }
    // Whether a document already exists for the identity number, body and group typed
    // (it warns the user itself). Without one, no document is assumed to exist. Leaving the
    // identity number and choosing or leaving the body and group lists run it.
    void setExistingApplicationCheck(std::function<bool()> check);

    // Enables or disables the six search lists of both position tabs; the vacancy side
    // then follows its province rule (only the province list until a province is chosen).
    void setSearchListsEnabled(bool enabled);
    // Enables the print, save and "Cargar otra solicitud" commands (or disables them).
    // While a print is under way (from startPrintTimer until its timer has seen it end)
    // they stay disabled.
    void setDocumentCommandsEnabled(bool enabled);
    // Closes the window without the save question (the user chose to end the program
    // when warned that the application already exists).
    void endWithoutSaving();
    // A window whose application is open elsewhere or did not load in full never writes
    // over the stored pair: a save only says `reason`, and closing asks whether to close
    // keeping the stored application as it is, instead of offering to save.
    void keepStoredApplication(const QString& reason);
    bool keepsStoredApplication() const { return !m_keptReason.isEmpty(); }
    // The lock on the pair this window writes, held until the window goes.
    void holdApplicationLock(std::unique_ptr<ApplicationLock> lock);
    const ApplicationLock* applicationLock() const { return m_applicationLock.get(); }
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
    // frmSolicitudesTabOrder.cpp
    void setTabOrder0();
    void setListTabOrder();

    // Load sequence and behaviour (frmSolicitudes.cpp, frmSolicitudesRules.cpp,
    // frmSolicitudesEditors.cpp, frmSolicitudesMenu.cpp).
    void applyConfiguration();
    void bindGrids();
    void setInitialStates();
    void wireEntryRules();
    void wireEditors();
    // The lists on their tables and the position search (frmSolicitudesSearch.cpp).
    void wireSearch();
    void wireSearchList(QStringView name, std::function<void(catalogues::ListEvent)> handler);
    void wireChangingList(QStringView name, std::function<void()> handler);
    void wireIdentifyingList(QStringView name, bool body);
    void leaveIdentifyingList(QStringView name, bool body);
    void chooseIdentifyingList(bool body);
    void runSearchHandler(QWidget* source, const std::function<void()>& handler);
    void rebindPositionLists();
    // The requested vacancies and "Resultas" (frmSolicitudesPositionLists.cpp).
    void wireRequestedLists();
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

    catalogues::SearchTables m_tables;
    ApplicationTables m_working;
    ConfiguracionSolicitud m_conf;
    MessageService& m_messages;
    QString m_programFolder;

    std::unique_ptr<FormWidgetFactory> m_factory;
    std::unique_ptr<FormWidgetView> m_view;
    std::unique_ptr<CourseDocumentEditor> m_cursosEditor;
    std::unique_ptr<CourseDocumentEditor> m_documentosEditor;
    std::unique_ptr<catalogues::PositionSearch> m_search;
    std::unique_ptr<RequestedPositionList> m_vacantesEditor;
    std::unique_ptr<RequestedPositionList> m_resultasEditor;
    // The list whose event the search is handling: the focus moves on from it only.
    QPointer<QWidget> m_searchSource;
    // Body or group text typed since it was last chosen: leaving the list chooses it.
    QSet<QString> m_editedIdentifyingLists;
    QTabWidget* m_tabs = nullptr;
    std::array<QLabel*, 5> m_lblGrid{};
    QHash<int, QAction*> m_menu;
    QTimer* m_timer1 = nullptr;
    QTimer* m_timer2 = nullptr;
    QPointer<PrintJob> m_printJob;
    bool m_printTimerFired = false;
    SaveHandler m_saveHandler;
    std::function<bool(const QString&)> m_passwordStep;
    std::function<bool()> m_existingCheck;

    bool m_returningToFirstTab = false;
    bool m_userHasPassword = false;
    bool m_switching = false;
    bool m_existingClose = false;
    QString m_keptReason;
    std::unique_ptr<ApplicationLock> m_applicationLock;
};

} // namespace velantor
