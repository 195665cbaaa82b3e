#pragma once

#include <QHash>
#include <QString>

#include "catalogues/ApplicationTables.h"
#include "form/FormControl.h"
#include "tables/Table.h"

namespace velantor {

class FormView;

// The whole application as values, independent of widgets: every data control's value
// by control name (texts for text boxes and lists, states for options), the columns of
// the chosen rows that later steps need, and the four working tables (created empty with
// their layouts). The document
// generator, the barcode record and the loader work on this object; the window fills
// it from its controls and writes it back; the command-line tool builds it from JSON.
class SolicitudDatos : public ApplicationTables {
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

    // The form field value of a data control: its text, or for an option "1"/"0".
    QString fieldValue(const FormControl& control) const;
    // The value the document's form field of that tag ends up with when the controls are
    // written in the form's control order: the last control carrying the tag wins.
    QString valueByTag(QStringView tag) const;

    // Reads every data control from the window (and the chosen-row columns above), or
    // writes them back, in the form's control order followed by OptSi, OptNo and
    // cboSituaciones. Options are selected through the view, so their rules run as when
    // the user selects them. The tables are not touched: the window shows these same
    // tables in its grids.
    void readFrom(const FormView& view);
    void writeTo(FormView& view) const;

private:
    QHash<QString, QString> m_texts;
    QHash<QString, bool> m_options;
};

} // namespace velantor
