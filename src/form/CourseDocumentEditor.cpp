#include "form/CourseDocumentEditor.h"

#include "form/EntryRules.h"
#include "form/FormView.h"
#include "form/NextValue.h"
#include "form/ControlNames.h"

namespace velantor {

CourseDocumentEditor::CourseDocumentEditor(Kind kind, FormView& view, TablePtr table)
    : m_kind(kind), m_view(view), m_table(std::move(table)) {}

const QList<CourseDocumentEditor::Binding>& CourseDocumentEditor::bindings() const {
    static const QList<Binding> cursos{
        {ctl::txtCurso, "Curso", "Curso"},
        {ctl::txtHoras, "NHoras", "Nº de Horas"},
        {ctl::txtAno, "Ano", "Año"},
        {ctl::txtCentro, "Centro", "Centro"},
    };
    static const QList<Binding> documentos{
        {ctl::txtDoc, "Documento", "Documento"},
        {ctl::txtNumHoras, "Horas", "Nº Horas"},
        {ctl::txtFechaFin, "Fecha", "Fecha Fin."},
        {ctl::txtCentroFormacion, "Centro", "Centro Formación"},
    };
    return m_kind == Kind::Cursos ? cursos : documentos;
}

QString CourseDocumentEditor::nameField() const {
    return bindings().front().control.toString();
}

QString CourseDocumentEditor::idField() const {
    return m_kind == Kind::Cursos ? ctl::name(ctl::txtIdCurso) : ctl::name(ctl::txtIdDoc);
}

QString CourseDocumentEditor::idColumn() const {
    return m_kind == Kind::Cursos ? QStringLiteral("IdCurso") : QStringLiteral("IdDocumento");
}

void CourseDocumentEditor::add() {
    m_mode = Adding;
    m_view.setFocus(nameField());
}

void CourseDocumentEditor::modify(const QList<int>& selectedRows) {
    if (selectedRows.size() != 1)
        return;
    const int row = selectedRows.front();
    if (row < 0 || row >= m_table->rowCount())
        return;
    m_table->setPosition(row);
    m_mode = Modifying;
    for (const Binding& binding : bindings())
        m_view.setText(binding.control,
                       m_table->textAt(row, m_table->requireField(QString::fromLatin1(binding.column))));
    m_view.setText(idField(), m_table->textAt(row, m_table->requireField(idColumn())));
}

CourseDocumentEditor::AcceptResult CourseDocumentEditor::validate(QDate today) {
    const QList<Binding>& fields = bindings();
    // The untitled notices of an empty field, and the "Datos erróneos" of a wrong one.
    const auto missing = [](Refused reason, const char* text) {
        return refuse(reason, Message{QString::fromUtf8(text), QString(), MessageIcon::None, MessageButtons::Ok});
    };
    const auto wrong = [](Refused reason, const QString& text, const char* title) {
        return refuse(reason, Message{text, QString::fromUtf8(title), MessageIcon::Exclamation});
    };
    if (m_kind == Kind::Documentos) {
        if (m_view.text(nameField()).trimmed().isEmpty()) {
            m_view.setFocus(nameField());
            return missing(Refused::MissingName, "Es obligatorio rellenar el nombre del documento");
        }
    } else {
        static const std::pair<Refused, const char*> required[] = {
            {Refused::MissingName, "Es obligatorio rellenar el nombre del curso "},
            {Refused::MissingHours, "Es obligatorio rellenar el nº de horas del curso "},
            {Refused::MissingYear, "Es obligatorio rellenar el año de realización del curso "},
            {Refused::MissingCentre, "Es obligatorio rellenar el centro que impartió el curso "},
        };
        for (int i = 0; i < fields.size(); ++i) {
            if (m_view.text(fields[i].control).trimmed().isEmpty())
                return missing(required[i].first, required[i].second);
        }
        // Hours and year go into integer columns: a text that is no number, or out of
        // range, would be stored as something the user never typed.
        if (!isValidHours(m_view.text(ctl::txtHoras))) {
            m_view.setFocus(ctl::txtHoras);
            return wrong(Refused::InvalidHours, QStringLiteral("El número de horas debe ser mayor de 0"),
                         "Datos Erróneos");
        }
        if (!isValidYear(m_view.text(ctl::txtAno), today.year())) {
            m_view.setFocus(ctl::txtAno);
            return wrong(Refused::InvalidYear, QStringLiteral("El año introducido es erróneo"), "Datos erróneos");
        }
    }
    // Text columns have a maximum length; longer text would be cut without a word.
    for (const Binding& binding : fields) {
        const FieldDef& column = m_table->field(m_table->requireField(QString::fromLatin1(binding.column)));
        if (column.type == FieldType::Text && m_view.text(binding.control).size() > column.maxLength) {
            m_view.setFocus(binding.control);
            return wrong(Refused::TooLong,
                         QStringLiteral("El campo %1 admite como máximo %2 caracteres")
                             .arg(QString::fromUtf8(binding.label))
                             .arg(column.maxLength),
                         "Datos erróneos");
        }
    }
    return {};
}

void CourseDocumentEditor::writeRow() {
    const int idIndex = m_table->requireField(idColumn());
    int row = -1;
    if (m_mode == Modifying)
        row = m_table->findEqual(idIndex, m_view.text(idField()).trimmed());
    qint64 id = 0;
    if (row >= 0) {
        m_table->setPosition(row);
        id = m_table->number(idIndex);
    } else {
        // Adding, or the row being modified is no longer there: the entry becomes a new row
        // rather than being dropped.
        id = nextValue(*m_table, idColumn());
        m_table->addRow();
    }
    m_table->setNumber(idIndex, id);
    for (const Binding& binding : bindings()) {
        const int column = m_table->requireField(QString::fromLatin1(binding.column));
        const QString text = m_view.text(binding.control);
        if (m_table->field(column).type == FieldType::Integer)
            m_table->setNumber(column, roundHalfEven(parseDecimal(text).value_or(0)));
        else
            m_table->setText(column, text);
    }
}

CourseDocumentEditor::AcceptResult CourseDocumentEditor::accept(QDate today) {
    if (AcceptResult checked = validate(today); !checked)
        return checked;
    writeRow();
    if (m_table->rowCount() > 0)
        m_table->moveLast();
    reset();
    return {};
}

bool CourseDocumentEditor::remove(const QList<int>& selectedRows, const Confirm& confirm) {
    bool deleted = false;
    if (selectedRows.size() == 1 && selectedRows.front() >= 0 && selectedRows.front() < m_table->rowCount()) {
        if (confirm({QStringLiteral("¿Desea borrar la fila seleccionada?"), QStringLiteral("Solicitudes"),
                     MessageIcon::Warning, MessageButtons::YesNo})) {
            m_table->setPosition(selectedRows.front());
            m_table->deleteCurrent();
            if (m_kind == Kind::Documentos)
                m_table->moveFirst();
            deleted = true;
        }
    }
    reset();
    return deleted;
}

void CourseDocumentEditor::reset() {
    for (const Binding& binding : bindings())
        m_view.setText(binding.control, QString());
    m_view.setText(idField(), QString());
    m_view.setFocus(nameField());
    m_mode = Adding;
    if (m_clearSelection)
        m_clearSelection();
}

} // namespace velantor
