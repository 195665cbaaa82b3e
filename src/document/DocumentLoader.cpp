#include "document/DocumentLoader.h"

#include <QDir>
#include <QFile>

#include "document/ApplicationIdentity.h"
#include "document/ProgressIndicator.h"
#include "form/search/PositionSearch.h"
#include "form/EntryRules.h"
#include "form/FormControl.h"
#include "form/FormView.h"
#include "docengine/DocxLegacyConverter.h"
#include "docengine/WordDocument.h"
#include "form/ControlNames.h"

namespace velantor {
namespace {

constexpr int kProgressMaximum = 324;

bool startsInBinaryFormat(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && DocxLegacyConverter::isLegacy(file.read(8));
}

bool missingField(const Error& error) {
    return error.number == errors::kMissingFormField;
}

void positionOnFirstRow(Table& table) {
    if (table.rowCount() > 0)
        table.moveFirst();
}

} // namespace

QString LoadRequest::documentPath() const {
    return QDir(applicationsFolder).filePath(fileName);
}

QString LoadRequest::xmlPath() const {
    return QDir(applicationsFolder).filePath(PositionsXml::fileNameFor(fileName));
}

DocumentLoader::DocumentLoader(FormView& view, const ApplicationTables& lists, ProgressIndicator* progress)
    : m_view(view), m_lists(lists), m_progress(progress) {}

void DocumentLoader::setPositionSearch(catalogues::PositionSearch& search) {
    m_selectPositions = [this, &search] {
        const catalogues::BodyResult chosen = search.SeleccionaPlazasRS();
        if (!chosen && !chosen.error().message.text.isEmpty())
            m_positionsRefusal = chosen.error().message;
        return chosen.has_value();
    };
}

void DocumentLoader::select(QStringView option) {
    if (m_view.isChecked(option))
        applyOptionRule(m_view, option);
    else
        m_view.setChecked(option, true);
}

Result<LoadedApplication> DocumentLoader::load(const LoadRequest& request) {
    m_formTouched = false;
    m_positionsRefusal.reset();
    if (m_progress)
        m_progress->setText(QStringLiteral("Recuperando información de la solicitud ..."));

    const QString path = request.documentPath();
    const bool binary = startsInBinaryFormat(path);
    Result<WordDocument> document = WordDocument::open(path);
    if (!document)
        return std::unexpected(document.error());
    if (binary && !request.templatePath.isEmpty()) {
        // A word processor that saved the document again in the binary format may have
        // dropped the check boxes' names; without the template they are simply missing.
        if (Result<WordDocument> model = WordDocument::openTemplate(request.templatePath))
            document->nameUnnamedFieldsLike(*model);
    }
    if (Result<void> application = checkIsApplication(*document, request.fileName); !application)
        return std::unexpected(application.error());

    if (m_progress) {
        m_progress->setMaximum(kProgressMaximum);
        m_progress->setValue(0);
    }
    m_serviceCounter = 0;
    m_formTouched = true;
    if (Result<void> read = readFormFields(*document); !read)
        return std::unexpected(read.error());

    // Without a marked service check box the application was saved without a current
    // post. With one, the current post is shown again (the form starts with it hidden).
    select(m_serviceCounter == 0 ? ctl::OptNo : ctl::OptSi);

    LoadedApplication loaded;
    const QString xmlPath = request.xmlPath();
    if (PositionsXml::isDamaged(xmlPath))
        loaded.damagedPositions = makeError(errors::kMalformedXml, PositionsXml::damagedText(xmlPath));
    else if (Result<void> lists = PositionsXml::read(xmlPath, m_lists); !lists)
        return std::unexpected(lists.error());
    if (m_progress)
        m_progress->setValue(m_progress->maximum() - 10);
    for (Table* table :
         {m_lists.cursos.get(), m_lists.vacantes.get(), m_lists.resultas.get(), m_lists.documentos.get()})
        positionOnFirstRow(*table);

    restoreDependentControls();

    if (m_progress)
        m_progress->setValue(m_progress->maximum());
    for (QStringView command : {ctl::mnuP1000, ctl::mnuP2000, ctl::mnuP2500})
        m_view.setEnabled(command, true);
    loaded.positionsRefusal = m_positionsRefusal;
    return loaded;
}

Result<void> DocumentLoader::readFormFields(const WordDocument& document) {
    for (const FormControl& control : formControls()) {
        if (m_progress)
            m_progress->advance();
        if (control.tag.isEmpty())
            continue;
        if (control.kind == ControlKind::Option) {
            const Result<bool> checked = document.isChecked(control.tag);
            if (!checked) {
                if (missingField(checked.error()))
                    continue;
                return std::unexpected(checked.error());
            }
            m_view.setChecked(control.name, *checked);
            if (*checked && (control.tag == u"ONDEX" || control.tag == u"SSOTROS"))
                ++m_serviceCounter;
            continue;
        }
        const Result<QString> text = document.fieldText(control.tag);
        if (!text) {
            if (missingField(text.error()))
                continue;
            return std::unexpected(text.error());
        }
        m_view.setText(control.name, *text);
        if (control.tag == u"CUERPOOESCALA")
            m_view.setText(ctl::lblCat, *text);
    }
    return {};
}

void DocumentLoader::restoreDependentControls() {
    if (m_view.isChecked(ctl::optPetConyugeSi))
        m_view.setVisible(ctl::fraDNIConyuge, true);
    if (m_view.isChecked(ctl::optDiscSi))
        for (QStringView control : {ctl::lblAdap, ctl::lblTipoDis, ctl::txtAdaptaciones, ctl::txtTipoDisc})
            m_view.setVisible(control, true);

    // The situation list comes back from its code, kept in txtSitAdm; a situation the
    // user named is not a code, so the list shows "Otra" (08) and the name stays in txtSitAdm.
    m_view.setText(ctl::cboSituaciones, m_view.text(ctl::txtSitAdm));
    if (!m_view.isChecked(ctl::optActivo) && !m_view.holdsValidEntry(ctl::cboSituaciones))
        m_view.setText(ctl::cboSituaciones, QStringLiteral("08"));
    if (m_view.isChecked(ctl::optOtras) && m_view.comboColumn(ctl::cboSituaciones, 1) == u"Otra")
        m_view.setVisible(ctl::txtSitAdm, true);

    const bool definitive = m_view.isChecked(ctl::optDefinitivo);
    m_view.setVisible(ctl::txtFecPosesion, definitive);
    m_view.setVisible(ctl::lblPosesion, definitive);

    if (m_selectPositions)
        m_selectPositions();
    for (QStringView control : {ctl::cboCuerpo, ctl::cboGrupo, ctl::txtDNI})
        m_view.setEnabled(control, false);
}

} // namespace velantor
