#include "FuzzEntries.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "catalogues/CatalogueReader.h"
#include "catalogues/CatalogueTables.h"
#include "catalogues/Decoding.h"
#include "catalogues/LoadingSequence.h"
#include "catalogues/PlainRecord.h"
#include "catalogues/ApplicationTables.h"
#include "document/BarcodeImage.h"
#include "document/BarcodeReader.h"
#include "document/BarcodeText.h"
#include "document/PositionsXml.h"
#include "catalogues/ConfiguracionSolicitud.h"
#include "tables/FilterExpression.h"
#include "platform/MessageService.h"
#include "docengine/OoxmlPackage.h"
#include "platform/SafeFile.h"
#include "tables/Table.h"
#include "docengine/WordDocument.h"
#include "startup/UserRegistry.h"

namespace velantor::fuzz {
namespace {

[[noreturn]] void broken(const char* what) {
    std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
    std::abort();
}

void require(bool holds, const char* what) {
    if (!holds)
        broken(what);
}

// A folder of the process for the files the readers open: in memory where the system
// offers it, so that the writes' flushes to disk cost nothing.
const QDir& scratch() {
    static QTemporaryDir dir = [] {
        if (QDir(QStringLiteral("/dev/shm")).exists())
            return QTemporaryDir(QStringLiteral("/dev/shm/velantor-fuzz-XXXXXX"));
        return QTemporaryDir();
    }();
    static const QDir folder(dir.path());
    if (!dir.isValid())
        broken("no scratch folder");
    return folder;
}

QString writeScratch(const QString& name, QByteArrayView bytes) {
    const QString path = scratch().filePath(name);
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "scratch file cannot be written");
    require(file.write(bytes.data(), bytes.size()) == bytes.size(), "scratch file written short");
    return path;
}

// Fails every write at its last stage while alive: the code runs up to the rename, and
// nothing reaches the disk.
struct FailingCommits {
    FailingCommits() {
        setWriteFaultHook([](const QString&, WriteStage stage) { return stage == WriteStage::Rename; });
    }
    ~FailingCommits() { setWriteFaultHook({}); }
};

// ---- table filter expressions

TablePtr filterTable() {
    TablePtr table = Table::create(QStringLiteral("Fuzz"), {FieldDef::text(QStringLiteral("Codigo"), 5),
                                                           FieldDef::text(QStringLiteral("Nombre"), 50),
                                                           FieldDef::integer(QStringLiteral("Orden")),
                                                           FieldDef::integer(QStringLiteral("Horas"))});
    const struct {
        const char16_t* code;
        const char16_t* name;
        qint64 order;
        qint64 hours;
    } rows[] = {{u"10001", u"León", 1, 20},          {u"0042", u"ÑANDÚ 'x'", -3, 0},
                {u"", u"", 0, 9223372036854775807}, {u"ab%_", u"a%b_c", 42, -9223372036854775807 - 1},
                {u"99999", u"Zamora", 7, 100},      {u"10001", u"león", 2, 20}};
    for (const auto& r : rows) {
        table->addRow();
        table->setText(0, QString::fromUtf16(r.code));
        table->setText(1, QString::fromUtf16(r.name));
        table->setNumber(2, r.order);
        table->setNumber(3, r.hours);
    }
    return table;
}

void runFilter(QByteArrayView input) {
    if (input.isEmpty())
        return;
    const int mode = static_cast<unsigned char>(input[0]) % 4;
    const QString text = QString::fromUtf8(input.sliced(1));
    TablePtr table = filterTable();
    try {
        switch (mode) {
        case 0:
            table->setFilter(text);
            require(table->rowCount() <= table->totalRowCount(), "more visible rows than rows");
            for (int r = 0; r < table->rowCount(); ++r)
                (void)table->textAt(r, 1);
            break;
        case 1:
            table->sort(text);
            require(table->rowCount() == table->totalRowCount(), "a sort lost rows");
            break;
        case 2:
            table->moveFirst();
            while (table->find(text)) {
                table->moveNext();
            }
            require(table->eof(), "find ended before the end");
            break;
        default: {
            QList<FieldDef> fields;
            for (int f = 0; f < table->fieldCount(); ++f)
                fields.append(table->field(f));
            const FilterExpression expression = FilterExpression::parse(text, fields);
            (void)expression.asEquality();
            table->setFilter(text);
            const int visible = table->rowCount();
            table->clearFilter();
            int matching = 0;
            for (int r = 0; r < table->totalRowCount(); ++r) {
                table->setPosition(r);
                matching += table->find(text) && table->position() == r ? 1 : 0;
            }
            require(matching == visible, "filter and find disagree");
            break;
        }
        }
    } catch (const FilterError&) {
        // The expected answer to text that does not parse.
    }
}

// ---- catalogue files, their decoding and their readers

void runCatalogue(QByteArrayView input) {
    if (input.isEmpty())
        return;
    const int reader = static_cast<unsigned char>(input[0]) % 16;
    const QByteArrayView stored = input.sliced(1);
    RecordingMessageService messages;

    // In memory and through the work file the decoding gives the same text.
    const Result<QByteArray> inMemory = catalogues::shiftCatalogueLines(stored, -1, QStringLiteral("F.enc"));
    const QString path = writeScratch(QStringLiteral("F.enc"), stored);
    catalogues::CatalogueReader catalogue(scratch().path(), messages);
    const Result<QString> plain = catalogue.plainText(QStringLiteral("F.enc"));
    require(bool(inMemory) == bool(plain), "the two decodings disagree on failure");
    require(messages.messages().size() == (plain ? 0u : 1u), "a decoding failure not shown exactly once");
    if (plain)
        require(*plain == catalogues::fromAnsi(*inMemory), "the two decodings give different text");
    else
        require(inMemory.error().number == plain.error().number, "the two decodings fail differently");

    using namespace catalogues;
    const QString name = QStringLiteral("F.enc");
    switch (reader) {
    case 0:
        (void)catalogue.readProvincias(*createProvinceTable(QStringLiteral("t")), name);
        break;
    case 1:
        (void)catalogue.readLocalidades(*createLocalityTable(QStringLiteral("t")), name);
        break;
    case 2:
        (void)catalogue.readCuerpos(*createBodyTable(QStringLiteral("t")), name);
        break;
    case 3:
        (void)catalogue.readGrupos(*createGroupTable(QStringLiteral("t")), name);
        break;
    case 4:
        (void)catalogue.readConsejerias(*createInstitutionTable(QStringLiteral("t")), name);
        break;
    case 5:
        (void)catalogue.readPlazasGrupo(*createGroupMapTable(QStringLiteral("t")), name);
        break;
    case 6:
        (void)catalogue.readPlazasCuerpo(*createBodyMapTable(QStringLiteral("t")), name);
        break;
    case 7: {
        TablePtr areas = createAreaTable(QStringLiteral("a"));
        (void)catalogue.readAreasA(*areas, name);
        (void)catalogue.readConvocatorias(*createPositionTable(QStringLiteral("t")), name, *areas);
        break;
    }
    case 8: {
        TablePtr details = createPositionTable(QStringLiteral("d"));
        (void)catalogue.readConvocatorias(*details, name, *createAreaTable(QStringLiteral("a")));
        (void)catalogue.readListaPlazas(*createCodeListTable(QStringLiteral("t")), name, *details);
        break;
    }
    case 9: {
        TablePtr zones = createZoneTable(QStringLiteral("t"));
        TablePtr areas = createAreaTable(QStringLiteral("a"));
        (void)catalogue.readZonas(*zones, name);
        (void)catalogue.readAreasA(*areas, name);
        completeZoneProvinces(*zones, *areas);
        break;
    }
    case 10:
        (void)catalogue.readAreasB(*createAreaTable(QStringLiteral("t")), name);
        break;
    case 11:
        (void)catalogue.readSituaciones(*createSituationTable(QStringLiteral("t")), name);
        break;
    case 12:
        (void)catalogue.readInstitucionLocalidad(*createInstitutionLocalityTable(QStringLiteral("t")), name);
        break;
    case 13: {
        // "FicheroTexto.txt": plain text, not shifted.
        const Result<QString> notice = readNoticeText(path);
        require(bool(notice), "a readable notice file failed");
        break;
    }
    case 14: {
        const QString text = fromAnsi(stored.first(qMin<qsizetype>(stored.size(), 4096)));
        const Result<QString> shifted = DesplazaTexto(text, -1);
        if (shifted)
            require(DesplazaTexto(*shifted, 1).value_or(QString()) == text, "DesplazaTexto does not come back");
        break;
    }
    default: {
        // Encoding the plain text again gives lines that decode to the same text.
        if (!inMemory)
            break;
        const Result<QByteArray> encoded = shiftCatalogueLines(*inMemory, 1, name);
        if (encoded) {
            const Result<QByteArray> again = shiftCatalogueLines(*encoded, -1, name);
            require(bool(again), "re-encoded catalogue does not decode");
        }
        break;
    }
    }
}

// ---- the positions XML beside a document

ApplicationTables freshLists() {
    return ApplicationTables{createPositionListTable(QStringLiteral("Vacantes")),
                            createPositionListTable(QStringLiteral("Resultas")), createCursosTable(),
                            createDocumentosTable()};
}

int rows(const ApplicationTables& lists) {
    return lists.vacantes->totalRowCount() * 1000000 + lists.resultas->totalRowCount() * 10000 +
           lists.cursos->totalRowCount() * 100 + lists.documentos->totalRowCount();
}

void runPositionsXml(QByteArrayView input) {
    const QString path = writeScratch(QStringLiteral("solicitud.xml"), input);
    const ApplicationTables read = freshLists();
    const Result<void> loaded = PositionsXml::read(path, read);
    if (!loaded)
        require(!loaded.error().description.isEmpty(), "an error without a description");
    // What was read writes back, and the written file reads back to the same rows.
    const QString copy = scratch().filePath(QStringLiteral("copia.xml"));
    QFile::remove(copy);
    const Result<void> written = PositionsXml::write(copy, read, scratch().filePath(QStringLiteral("traza.txt")));
    if (written) {
        const ApplicationTables again = freshLists();
        const Result<void> reread = PositionsXml::read(copy, again);
        require(bool(reread), "a written positions file does not read back");
        require(rows(again) == rows(read), "a written positions file reads back other rows");
    } else {
        require(!QFile::exists(copy), "a refused positions file was written");
    }
}

// ---- the user registry

void runRegistry(QByteArrayView input) {
    const QString path = writeScratch(QStringLiteral("usuarios.xml"), input);
    const QString dni = QStringLiteral("12345678Z");
    UserRegistry registry;
    if (!registry.CargarUsuarios(path))
        return;
    const int before = registry.entryCount();
    (void)registry.ExisteUsuario(dni);
    (void)registry.PwdUsuario(dni);
    (void)registry.ComprobarUsuario(dni, QStringLiteral("secreto"));
    {
        const FailingCommits failing;
        require(!registry.replaceUser(dni, QStringLiteral("secreto")), "a failed write reported as saved");
        require(registry.entryCount() == before, "a failed write changed the registry in memory");
    }
    QFile original(path);
    require(original.open(QIODevice::ReadOnly) && original.readAll() == input.toByteArray(),
            "a failed write changed the registry file");
    if (!registry.canSave())
        return;
    require(bool(registry.replaceUser(dni, QStringLiteral("secreto"))), "a savable registry was not saved");
    require(registry.ComprobarUsuario(dni, QStringLiteral("SECRETO")), "the new password does not open");
    UserRegistry reloaded;
    require(reloaded.CargarUsuarios(path), "a saved registry does not load");
    require(reloaded.ComprobarUsuario(dni, QStringLiteral("secreto")), "a saved password is lost on reload");
}

// ---- "conf.xml"

void runConf(QByteArrayView input) {
    writeScratch(QStringLiteral("conf.xml"), input);
    const Result<ConfiguracionSolicitud> conf = leerConfiguracion(scratch().path());
    if (!conf) {
        require(conf.error().description.contains(QStringLiteral("conf.xml")), "an error not naming conf.xml");
        return;
    }
    require(conf->plazasPorPagina() > 0, "a page size below 1 accepted");
    require(conf->templateFolderName().size() == 9, "a template folder name of the wrong length");
    (void)conf->caption();
}

// ---- word-processing documents

void exercise(WordDocument& document) {
    for (const QString& name : document.formFieldNames()) {
        (void)document.fieldText(name);
        (void)document.isChecked(name);
    }
    for (const QString& name : document.bookmarkNames())
        (void)document.bookmarkText(name);
    const int tables = document.tableCount();
    for (int t = 1; t <= tables && t <= 8; ++t) {
        const Result<int> rowCount = document.rowCount(t);
        (void)document.columnCount(t);
        (void)document.columnWidths(t);
        if (rowCount && *rowCount > 0) {
            (void)document.cellText(t, 1, 1);
            (void)document.cellWidth(t, 1, 1);
            (void)document.rowHeight(t, 1);
        }
    }
    (void)document.text();
}

void exerciseChanges(WordDocument& document) {
    const QStringList fields = document.formFieldNames();
    if (!fields.isEmpty()) {
        (void)document.setFieldText(fields.first(), QStringLiteral("Texto\ncon salto & <marcas>"));
        (void)document.setChecked(fields.last(), true);
    }
    const QStringList bookmarks = document.bookmarkNames();
    if (!bookmarks.isEmpty())
        (void)document.typeAtBookmark(bookmarks.first(), QStringLiteral("marcador"));
    if (document.tableCount() > 0) {
        if (Result<int> row = document.appendRow(1)) {
            (void)document.setCellText(1, *row, 1, QStringLiteral("celda"));
            (void)document.mergeCells(1, *row, 1, 2);
        }
        (void)document.setColumnWidth(1, 1, 1440);
        (void)document.setBorders(1, true);
        (void)document.typeBelowTable(1, QStringLiteral("debajo"));
        (void)document.insertPageBreakBelowTable(1);
        (void)document.insertTableAfter(1, 2, 2);
    }
    exercise(document);
}

void runDocument(QByteArrayView input) {
    // The older binary format goes to an outside converter, which is not what is tested here.
    if (input.startsWith(QByteArrayView("\xD0\xCF\x11\xE0", 4)))
        return;
    const QString path = writeScratch(QStringLiteral("solicitud.docx"), input);
    Result<WordDocument> document = WordDocument::open(path);
    if (!document) {
        require(!document.error().description.isEmpty(), "an error without a description");
        return;
    }
    exercise(*document);
    // A document that opened and saved opens again with the same fields and tables.
    const QString copy = scratch().filePath(QStringLiteral("copia.docx"));
    if (!document->saveAs(copy))
        return;
    Result<WordDocument> reopened = WordDocument::open(copy);
    require(bool(reopened), "a saved document does not open");
    require(reopened->formFieldNames() == document->formFieldNames(), "saving changed the form fields");
    require(reopened->tableCount() == document->tableCount(), "saving changed the tables");
}

// The main part of a document taken from the input, in an otherwise sound package: the
// document engine's own XML handling, past the archive layer.
void runDocumentXml(QByteArrayView input) {
    OoxmlPackage package;
    package.setPart(
        QStringLiteral("[Content_Types].xml"),
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types "
        "xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"><Default Extension=\"rels\" "
        "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/><Default Extension=\"xml\" "
        "ContentType=\"application/xml\"/><Override PartName=\"/word/document.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.template.main+xml\"/>"
        "</Types>");
    package.setPart(QStringLiteral("_rels/.rels"),
                    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships "
                    "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship "
                    "Id=\"rId1\" "
                    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
                    "officeDocument\" Target=\"word/document.xml\"/></Relationships>");
    package.setPart(QStringLiteral("word/document.xml"), input.toByteArray());
    const Result<QByteArray> zip = package.toZip();
    require(bool(zip), "a package does not pack");
    const QString path = writeScratch(QStringLiteral("plantilla.dotx"), *zip);
    Result<WordDocument> document = WordDocument::open(path);
    if (!document)
        return;
    exerciseChanges(*document);
    const FailingCommits failing;
    require(!document->saveAs(scratch().filePath(QStringLiteral("nunca.docx"))), "a failed save succeeded");
}

// ---- barcodes: pictures read back and the payload text

void runBarcode(QByteArrayView input) {
    const QString text = barcode::barcodeTextFromBytes(input.toByteArray());
    require(text.size() == input.size(), "Windows-1252 text of another length");
    const QString folded = barcode::foldBarcodeText(text);
    require(barcode::barcodeBytes(folded).size() == folded.size(), "barcode bytes of another length");

    const Result<BarcodeImage> image = BarcodeImage::fromBmp(input.toByteArray());
    if (!image)
        return;
    require(image->pixels().size() == qsizetype(image->width()) * image->height(), "picture of the wrong size");
    // Only small pictures go to the decoder: its time grows with the area.
    if (qint64(image->width()) * image->height() <= 128 * 128)
        (void)BarcodeReader::read(*image);
}

constexpr FuzzEntry kEntries[] = {
    {"filter", &runFilter},
    {"catalogue", &runCatalogue},
    {"positions_xml", &runPositionsXml},
    {"registry", &runRegistry},
    {"conf", &runConf},
    {"document", &runDocument},
    {"document_xml", &runDocumentXml},
    {"barcode", &runBarcode},
};

} // namespace

std::span<const FuzzEntry> fuzzEntries() {
    return kEntries;
}

const FuzzEntry* fuzzEntry(const char* name) {
    for (const FuzzEntry& entry : kEntries) {
        if (std::strcmp(entry.name, name) == 0)
            return &entry;
    }
    return nullptr;
}

} // namespace velantor::fuzz
