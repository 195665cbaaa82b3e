#pragma once

#include <optional>

#include <QDialog>
#include <QString>

#include "catalogues/LoadingSequence.h"
#include "catalogues/ProgramRun.h"
#include "platform/MessageService.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace velantor::catalogues {

// The loading window: on its first showing it loads every catalogue of the run but the
// bodies (which must already be loaded) with an hourglass pointer and a progress bar, then
// enables "Continuar". It cannot be closed while loading. When loading fails it shows the
// failure, closes and finishes Rejected; the caller then ends the program without opening
// the form. After a successful load "Continuar" or the close box finish it Accepted.
class frmProgreso : public QDialog {
    Q_OBJECT
public:
    enum class Outcome { NotRun, Loaded, StepFailed, PositionsFailed };

    frmProgreso(ProgramRun& run, MessageService& messages, QWidget* parent = nullptr);

    bool cargaTerminada() const { return m_cargaTerminada; }
    bool loading() const { return m_loading; }
    Outcome outcome() const { return m_outcome; }
    // The failure of the last load, when it failed.
    const std::optional<LoadingFailure>& failure() const { return m_failure; }

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void cargar();
    void showProgress(double value, double maximum);

    ProgramRun& m_run;
    MessageService& m_messages;

    QLabel* m_lblTitulo;
    QLabel* m_label1;
    QProgressBar* m_prg;
    QPushButton* m_cmdContinuar;

    bool m_started = false;
    bool m_loading = false;
    bool m_cargaTerminada = false;
    Outcome m_outcome = Outcome::NotRun;
    std::optional<LoadingFailure> m_failure;
};

} // namespace velantor::catalogues
