#pragma once

#include <memory>

#include <QStringList>

#include "catalogues/Catalogues.h"
#include "catalogues/ConfiguracionSolicitud.h"
#include "form/FormView.h"
#include "catalogues/ApplicationTables.h"
#include "form/ui/frmSolicitudes.h"
#include "platform/MessageService.h"

namespace velantor::testing {

// A table filled from rows of texts, one text per field in field order.
TablePtr makeTable(const QString& name, const QList<FieldDef>& fields, const QList<QStringList>& rows);

// Small hand-made catalogues: three bodies (one of group "X"), two provinces of the
// region (06 with areas 01 and 02, 10 with area 03), their zones, localities and
// institutions, two situations (one "esOtras"), and position tables for the bodies 00101
// (vacancies 30001..30004, "Resultas" 70001..70003) and 00202 (40001 and 80001).
catalogues::Catalogues smallCatalogues();
ApplicationTables emptyWorkingTables();
// Five tabs, captions "Pestaña 0" … and grid titles "Título 0" …; visibility one
// letter per tab.
ConfiguracionSolicitud testConfiguration(const QString& visibility = QStringLiteral("SSSSS"));

// The form over the small catalogues, shown and active, with a recording message service.
// Its program folder does not exist unless one is given.
struct FormFixture {
    explicit FormFixture(const QString& visibility = QStringLiteral("SSSSS"),
                         const QString& programFolder = QStringLiteral("/nonexistent"));
    ~FormFixture();

    frmSolicitudes& form() { return *window; }
    // Focus a line edit, type into it and press Tab, letting the check run.
    void typeAndLeave(const char* field, const QString& text);
    void fillIdentity(); // a valid DNI, a body and its group
    void settle();       // processes pending events (deferred checks, focus)

    RecordingMessageService messages;
    catalogues::Catalogues catalogues;
    ApplicationTables working;
    std::unique_ptr<frmSolicitudes> window;
};

} // namespace velantor::testing
