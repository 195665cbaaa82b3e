#pragma once

#include <functional>
#include <optional>

#include <QString>

#include "document/PositionsXml.h"
#include "platform/Error.h"
#include "platform/MessageService.h"

namespace velantor {

class FormView;
class ProgressIndicator;
class WordDocument;

namespace catalogues {
class PositionSearch;
}

struct LoadRequest {
    QString fileName;           // the document's name (21 characters as a rule)
    QString applicationsFolder; // where the document and its positions XML lie
    // The template the document was made from: a document saved again in the older
    // binary format gets the names of its check boxes back from it.
    QString templatePath;

    QString documentPath() const;
    QString xmlPath() const;
};

// Fills an empty application form back from a saved document and its positions XML:
// the form fields into the tagged controls (in the form's control order, options
// through their rules), the current-post answer, the four lists, the dependent controls,
// the positions of the body and group, the locked identity number, body and group, and
// finally the print, save and load commands enabled.
//
// What a load that went through has to tell: a positions XML that exists but is damaged
// (kMalformedXml, PositionsXml::damagedText naming the file, shown under
// PositionsXml::messageTitle()); the lists then stay empty.
struct LoadedApplication {
    std::optional<Error> damagedPositions;
    // The body's refusal when its positions could not be chosen ("Cuerpo no válido" …).
    std::optional<Message> positionsRefusal;
};

// A document that is not an application, or not the one its name says, is refused before
// anything reaches the form (checkIsApplication). A form field the document lacks is
// passed over (its control keeps its value). Any other error ends the loading where it
// happened: what was filled stays, the commands stay disabled, and the error comes back
// for the caller to show; formTouched() then says the form holds part of the application.
class DocumentLoader {
public:
    DocumentLoader(FormView& view, const ApplicationTables& lists, ProgressIndicator* progress = nullptr);

    // Chooses the position tables for the loaded body and group (SeleccionaPlazasRS).
    void setPositionSelection(std::function<bool()> select) { m_selectPositions = std::move(select); }
    void setPositionSearch(catalogues::PositionSearch& search);

    Result<LoadedApplication> load(const LoadRequest& request);

    // Whether the last load put anything into the form or its lists.
    bool formTouched() const { return m_formTouched; }

    // How many of the service check boxes (ONDEX, SSOTROS) were marked in the document.
    int serviceCounter() const { return m_serviceCounter; }

private:
    Result<void> readFormFields(const WordDocument& document);
    void restoreDependentControls();
    void select(QStringView option);

    FormView& m_view;
    ApplicationTables m_lists;
    ProgressIndicator* m_progress;
    std::function<bool()> m_selectPositions;
    std::optional<Message> m_positionsRefusal;
    int m_serviceCounter = 0;
    bool m_formTouched = false;
};

} // namespace velantor
