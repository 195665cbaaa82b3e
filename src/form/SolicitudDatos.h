#pragma once

#include <QHash>
#include <QString>

#include "platform/Table.h"

namespace velantor {

class FormView;

// The whole application as values, independent of widgets: every data control's value
// by control name (texts for text boxes and lists, states for options), the columns of
// the chosen rows that later steps need, and the four working tables. The document
// generator, the barcode record and the loader work on this object; the window fills
// it from its controls and writes it back; the command-line tool builds it from JSON.
class SolicitudDatos {
public:
    SolicitudDatos();

    QString text(QStringView control) const;
    void setText(const QString& control, const QString& value);
    bool option(QStringView control) const;
    void setOption(const QString& control, bool selected);

    // Chosen-row columns: the group column of the chosen body, and the name and
    // "esOtras" flag of the chosen situation.
    QString bodyGroup;
    QString situationName;
    QString situationEsOtras;

    // The four working tables (created empty with their layouts).
    TablePtr vacantes;
    TablePtr resultas;
    TablePtr cursos;
    TablePtr documentos;

    // The form field value of a tagged control: its text, or for an option "1"/"0".
    // Reads and writes the window through the view, in the form's control order.
    void readFrom(const FormView& view);
    void writeTo(FormView& view) const;

private:
    QHash<QString, QString> m_texts;
    QHash<QString, bool> m_options;
};

} // namespace velantor
