#include "document/ui/frmProgresoGeneral.h"
#include "widgets/ScreenFit.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace velantor {

frmProgresoGeneral::frmProgresoGeneral(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_lblAccion(new QLabel(QStringLiteral("Guadando datos ..."), this)), m_prgBar(new QProgressBar(this)) {
    setObjectName(QStringLiteral("frmProgresoGeneral"));
    setWindowTitle(QCoreApplication::applicationName());
    setModal(false);
    m_lblAccion->setObjectName(QStringLiteral("lblAccion"));
    m_prgBar->setObjectName(QStringLiteral("prgBar"));
    m_prgBar->setAccessibleName(QStringLiteral("Progreso"));
    m_prgBar->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblAccion);
    layout->addWidget(m_prgBar);
    setMinimumWidth(360);
    fitToScreen(this, sizeHint(), QStringLiteral("ventanas/frmProgresoGeneral"));
}

void frmProgresoGeneral::setText(const QString& text) {
    m_lblAccion->setText(text);
    m_prgBar->setAccessibleDescription(text);
    repaintNow();
}

void frmProgresoGeneral::setMaximum(int maximum) {
    m_prgBar->setMaximum(maximum);
}

void frmProgresoGeneral::setValue(int value) {
    m_prgBar->setValue(value);
    repaintNow();
}

int frmProgresoGeneral::value() const {
    return m_prgBar->value();
}

int frmProgresoGeneral::maximum() const {
    return m_prgBar->maximum();
}

QString frmProgresoGeneral::text() const {
    return m_lblAccion->text();
}

void frmProgresoGeneral::repaintNow() {
    if (isVisible()) {
        m_lblAccion->repaint();
        m_prgBar->repaint();
    }
}

} // namespace velantor
