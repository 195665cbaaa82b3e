#pragma once

#include <QDialog>

#include "document/ProgressIndicator.h"

class QLabel;
class QProgressBar;

namespace velantor {

// The small progress window shown while an application is saved or loaded: a label
// (lblAccion) saying what is being done and a bar (prgBar). It is modeless and has no
// buttons; the work runs in the window thread, so every change repaints at once.
class frmProgresoGeneral : public QDialog, public ProgressIndicator {
    Q_OBJECT
public:
    explicit frmProgresoGeneral(QWidget* parent = nullptr);

    void setText(const QString& text) override;
    void setMaximum(int maximum) override;
    void setValue(int value) override;
    int value() const override;
    int maximum() const override;

    QString text() const;

private:
    void repaintNow();

    QLabel* m_lblAccion;
    QProgressBar* m_prgBar;
};

} // namespace velantor
