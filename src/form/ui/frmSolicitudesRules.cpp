// Entry rules wired to the widgets: key filters, select-all, checks on leaving a field,
// identity numbers, option pairs and the situation list. The rules themselves are in
// the form core; this file only routes the widgets' events to them.
#include "form/ui/frmSolicitudes.h"

#include <QAction>
#include <QDate>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QSet>
#include <QTimer>

#include "form/search/PositionSearch.h"
#include "form/EntryRules.h"
#include "form/ui/FormWidgetFactory.h"
#include "form/ui/FormWidgetView.h"
#include "platform/MessageService.h"
#include "widgets/DataCombo.h"
#include "startup/ui/ValidarDNI.h"
#include "form/ControlNames.h"

namespace velantor {
namespace {

QString s(const char* utf8) {
    return QString::fromUtf8(utf8);
}

const QSet<QString>& numericFields() {
    static const QSet<QString> names{ctl::name(ctl::txtTelefono),   ctl::name(ctl::txtCP),           ctl::name(ctl::txtAno),
                                     ctl::name(ctl::txtHoras),      ctl::name(ctl::txtOrdenVacante), ctl::name(ctl::txtOrdenResultas),
                                     ctl::name(ctl::txtCodVacante), ctl::name(ctl::txtCodResulta)};
    return names;
}

const QSet<QString>& selectAllFields() {
    static const QSet<QString> names{ctl::name(ctl::txtApellido1),
                                     ctl::name(ctl::txtApellido2),
                                     ctl::name(ctl::txtNombre),
                                     ctl::name(ctl::txtDNI),
                                     ctl::name(ctl::txtFecNacimiento),
                                     ctl::name(ctl::txtTelefono),
                                     ctl::name(ctl::txtDomicilio),
                                     ctl::name(ctl::txtLocalidad),
                                     ctl::name(ctl::txtCP),
                                     ctl::name(ctl::txtTipoDisc),
                                     ctl::name(ctl::txtAdaptaciones),
                                     ctl::name(ctl::txtNRP),
                                     ctl::name(ctl::txtFechaIngreso),
                                     ctl::name(ctl::txtPuesto),
                                     ctl::name(ctl::txtLocalidadPuesto),
                                     ctl::name(ctl::txtFecPosesion),
                                     ctl::name(ctl::txtFechaSit),
                                     ctl::name(ctl::txtDNIConyuge),
                                     ctl::name(ctl::txtConyuApellido1),
                                     ctl::name(ctl::txtCOnyuApellido2),
                                     ctl::name(ctl::txtConyuNombre),
                                     ctl::name(ctl::txtOrdenVacante),
                                     ctl::name(ctl::txtOrdenResultas)};
    return names;
}

// Characters the identity number fields refuse.
QString refusedByDniField(const QString& name) {
    if (name == ctl::txtDNI)
        return s(",-.");
    if (name == ctl::txtDNIConyuge)
        return s(".,");
    return {};
}

bool isUserFocusChange(const QFocusEvent& event) {
    // Opening a menu or switching to another window does not leave the field.
    return event.reason() != Qt::PopupFocusReason && event.reason() != Qt::ActiveWindowFocusReason;
}

} // namespace

void frmSolicitudes::wireEntryRules() {
    for (QWidget* widget : m_factory->controls()) {
        if (auto* field = qobject_cast<QLineEdit*>(widget))
            field->installEventFilter(this);
        if (auto* option = qobject_cast<QRadioButton*>(widget)) {
            const QString name = option->objectName();
            // toggled() also fires when the program selects the option: the rule runs alike.
            connect(option, &QRadioButton::toggled, this, [this, name](bool on) {
                if (on)
                    applyOptionRule(*m_view, name);
            });
        }
    }
    DataCombo* situations = combo(ctl::cboSituaciones);
    connect(situations, &DataCombo::rowChosen, this, [this] { onSituationChosen(*m_view); });
    situations->installEventFilter(this); // its label shows and hides with it
    // A complete identity number moves the focus on by itself.
    QLineEdit* dni = lineEdit(ctl::txtDNI);
    connect(dni, &QLineEdit::textEdited, this, [this, dni](const QString& text) {
        if (text.size() == 9)
            focusNext(dni);
    });
}

bool frmSolicitudes::eventFilter(QObject* watched, QEvent* event) {
    if (watched == control(ctl::cboSituaciones) &&
        (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)) {
        control(ctl::lblSituacion)->setVisible(event->type() == QEvent::ShowToParent);
        return false;
    }
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (!field)
        return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        return filterKey(field, static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn:
        onFieldFocusIn(field);
        break;
    case QEvent::FocusOut:
        if (isUserFocusChange(*static_cast<QFocusEvent*>(event)))
            onFieldFocusOut(field);
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool frmSolicitudes::filterKey(QLineEdit* field, QKeyEvent* key) {
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString name = field->objectName();
    const bool numeric = numericFields().contains(name);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        focusNext(field);
        return true;
    }
    const QString typed = key->text();
    if (typed.size() != 1 || !typed.at(0).isPrint())
        return false; // editing and movement keys go through
    const QChar character = typed.at(0);
    const QString refused = refusedByDniField(name);
    if (!refused.isEmpty())
        return refused.contains(character);

    QString current = field->text();
    if (field->hasSelectedText())
        current.remove(field->selectionStart(), field->selectedText().size());
    const KeyFilterResult result = FiltroTeclas(current, character, numeric);
    if (result.moveFocus) {
        focusNext(field);
        return true;
    }
    if (!result.keep)
        return true;
    if (result.character != character) {
        field->insert(QString(result.character));
        return true;
    }
    return false;
}

void frmSolicitudes::onFieldFocusIn(QLineEdit* field) {
    if (!selectAllFields().contains(field->objectName()))
        return;
    // After the click that gave the focus has placed the cursor.
    QTimer::singleShot(0, field, [field] {
        if (field->hasFocus())
            field->setSelection(0, static_cast<int>(field->text().size()));
    });
}

void frmSolicitudes::onFieldFocusOut(QLineEdit* field) {
    // The check runs once the focus has settled on the next control, so a message box
    // or a return of the focus does not interfere with the change under way.
    QPointer<QLineEdit> left(field);
    QTimer::singleShot(0, this, [this, left] {
        if (!left)
            return;
        const QString name = left->objectName();
        if (name == ctl::txtDNI) {
            if (left->isEnabled())
                leaveDni();
        } else if (name == ctl::txtCodVacante || name == ctl::txtCodResulta) {
            m_search->onCodeLeft(name == ctl::txtCodVacante ? catalogues::SearchTab::Vacantes
                                                          : catalogues::SearchTab::Resultas);
        } else if (name == ctl::txtDNIConyuge) {
            if (!left->text().isEmpty() && !ValidarDNI(*left, m_messages))
                left->setFocus(Qt::OtherFocusReason);
        } else {
            onFieldLeft(*m_view, m_messages, name, QDate::currentDate());
        }
    });
}

void frmSolicitudes::leaveDni() {
    QLineEdit* dni = lineEdit(ctl::txtDNI);
    if (!ValidarDNI(*dni, m_messages)) {
        dni->clear();
        dni->setFocus(Qt::OtherFocusReason);
        setDocumentCommandsEnabled(false);
        return;
    }
    if (m_existingCheck && m_existingCheck())
        return;
    if (!combo(ctl::cboCuerpo)->text().isEmpty() && !combo(ctl::cboGrupo)->text().isEmpty())
        setDocumentCommandsEnabled(true);
}

void frmSolicitudes::focusNext(QWidget* from) {
    if (from->hasFocus())
        focusNextChild();
}

} // namespace velantor
