#include <cstring>
#include <functional>
#include <optional>

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "catalogues/Catalogues.h"
#include "catalogues/Decoding.h"
#include "catalogues/LoadingSequence.h"
#include "catalogues/ApplicationTables.h"
#include "document/PositionsXml.h"
#include "catalogues/ConfiguracionSolicitud.h"
#include "platform/CodePage.h"
#include "platform/MessageService.h"
#include "docengine/OoxmlPackage.h"
#include "docengine/WordDocument.h"
#include "robustness/FolderSnapshot.h"
#include "startup/PasswordChange.h"
#include "startup/UserRegistry.h"

using namespace velantor;
using velantor::test::FolderSnapshot;

// Every file the program reads from outside, in every bad state a user's disk can hold it,
// through the same core calls the windows make, with the scripted message service. A new
// file is one line of kFiles; a new state one entry of kStates and one case of badContents.

namespace {

const QString kDni = QStringLiteral("12345678Z");
const QString kDocument = QStringLiteral("ficheros/temp/12345678Z_00101 A.doc");
const QString kPositions = QStringLiteral("ficheros/temp/12345678Z_00101 A.xml");
const QString kTemplate = QStringLiteral("ficheros/DOT_11111/PlantillaWXP.dot");
constexpr qsizetype kLongLine = 10 * 1024 * 1024;

enum class State { Missing, Empty, Truncated, Garbage, WrongEncoding, LongLine, OutOfRange };
constexpr State kStates[] = {State::Missing,       State::Empty,    State::Truncated, State::Garbage,
                             State::WrongEncoding, State::LongLine, State::OutOfRange};

const char* stateName(State state) {
    switch (state) {
    case State::Missing:
        return "falta";
    case State::Empty:
        return "vacío";
    case State::Truncated:
        return "cortado";
    case State::Garbage:
        return "basura binaria";
    case State::WrongEncoding:
        return "otra codificación";
    case State::LongLine:
        return "línea de 10 MB";
    case State::OutOfRange:
        return "carácter fuera de rango";
    }
    return "?";
}

// What the program should do with a file in a state, one letter per state in kStates order:
//   M  a message naming the file (the Part's own wording where it has one);
//   L  it loads: the file's content is taken as it is, without a message;
//   S  nothing happens and nothing is said (the Part's answer for a file it may do without).
// In every case: no crash, no hang, and nothing written that was not asked for.
struct Outcome {
    std::vector<Message> messages;
};

// How the file's bytes are turned into its bad states.
enum class Kind { Catalogue, Text, Xml, Document };

struct OutsideFile {
    const char* label;
    QString path; // in the program folder
    Kind kind;
    std::function<Outcome(const QString& programFolder)> open;
    const char* expected;
};

// ---- the windows' core calls

// The entry point and the loading window: the bodies first, then every other catalogue,
// then the form's configuration, each failure shown as those windows show it.
Outcome loadProgram(const QString& programFolder) {
    RecordingMessageService messages;
    catalogues::Catalogues loaded;
    const Result<TablePtr> bodies =
        catalogues::cargaCuerpos(catalogues::dataFolderFor(programFolder), messages);
    if (!bodies) {
        messages.inform(catalogues::bodiesLoadFailureText(), {}, MessageIcon::Critical);
        return {messages.messages()};
    }
    loaded.rsCuerpos = *bodies;
    catalogues::LoadingSequence sequence(programFolder, messages);
    if (const auto run = sequence.run(loaded); !run) {
        messages.show(Message{run.error().message(), {}, MessageIcon::None, MessageButtons::Ok});
        return {messages.messages()};
    }
    const Result<ConfiguracionSolicitud> configuration = leerConfiguracion(programFolder);
    if (!configuration)
        messages.inform(configuration.error().description, QStringLiteral("Configuración"), MessageIcon::Critical);
    return {messages.messages()};
}

// The login window, then the password window storing a password for the number.
Outcome logIn(const QString& programFolder) {
    RecordingMessageService messages;
    UserRegistry registry;
    if (!registry.CargarUsuarios(QDir(programFolder).filePath(QStringLiteral("usuarios.xml"))))
        return {}; // the login window closes and the program ends without a word
    (void)registry.ExisteUsuario(kDni);
    (void)registry.ComprobarUsuario(kDni, QStringLiteral("clave01"));
    const PasswordChange change =
        acceptNewPassword(registry, kDni, QStringLiteral("clave02"), QStringLiteral("clave02"));
    if (change.outcome != PasswordChangeOutcome::Stored)
        messages.inform(change.message);
    return {messages.messages()};
}

Outcome openDocument(const QString& programFolder, const QString& relative, bool asTemplate) {
    RecordingMessageService messages;
    const QString path = QDir(programFolder).filePath(relative);
    const Result<WordDocument> document = asTemplate ? WordDocument::openTemplate(path) : WordDocument::open(path);
    if (!document)
        messages.inform(document.error().description, {}, MessageIcon::Critical);
    else
        (void)document->formFieldNames();
    return {messages.messages()};
}

Outcome readPositions(const QString& programFolder) {
    RecordingMessageService messages;
    const ApplicationTables lists{createPositionListTable(QStringLiteral("Vacantes")),
                                 createPositionListTable(QStringLiteral("Resultas")), createCursosTable(),
                                 createDocumentosTable()};
    const Result<void> read = PositionsXml::read(QDir(programFolder).filePath(kPositions), lists);
    if (!read)
        messages.inform(read.error().description, {}, MessageIcon::Critical);
    return {messages.messages()};
}

OutsideFile catalogue(const char* name) {
    return {name, QStringLiteral("ficheros/") + QString::fromLatin1(name), Kind::Catalogue, &loadProgram, "MLLMLLM"};
}

const std::vector<OutsideFile>& files() {
    static const std::vector<OutsideFile> all = {
        catalogue("F0001.enc"),
        catalogue("F0002.enc"),
        catalogue("F0003.enc"),
        catalogue("F0004.enc"),
        catalogue("F0005.enc"),
        catalogue("F0006.enc"),
        catalogue("F0007.enc"),
        catalogue("F0008.enc"),
        catalogue("F0009.enc"),
        catalogue("F0010.enc"),
        catalogue("F0011.enc"),
        catalogue("F0012.enc"),
        catalogue("F0013.enc"),
        catalogue("F0014.enc"),
        catalogue("F0015.enc"),
        catalogue("F0016.enc"),
        {"FicheroTexto.txt", QStringLiteral("ficheros/FicheroTexto.txt"), Kind::Text, &loadProgram, "MLLLLLL"},
        {"conf.xml", QStringLiteral("conf.xml"), Kind::Xml, &loadProgram, "MMMMLLL"},
        {"usuarios.xml", QStringLiteral("usuarios.xml"), Kind::Xml, &logIn, "LLMMLLL"},
        {"plantilla", kTemplate, Kind::Document, [](const QString& f) { return openDocument(f, kTemplate, true); },
         "MMMMLLL"},
        {"documento guardado", kDocument, Kind::Document,
         [](const QString& f) { return openDocument(f, kDocument, false); }, "MMMMLLL"},
        {"XML de plazas", kPositions, Kind::Xml, &readPositions, "SSSSLLL"},
    };
    return all;
}

// ---- the bad states

QByteArray garbage() {
    QByteArray bytes(4096, Qt::Uninitialized);
    quint32 seed = 12345;
    for (char& c : bytes) {
        seed = seed * 1103515245u + 12345u;
        c = char(seed >> 24);
    }
    bytes[100] = '\0';
    return bytes;
}

QByteArray plainCatalogue(const QByteArray& stored) {
    return catalogues::shiftCatalogueLines(stored, -1, QStringLiteral("x")).value();
}

QByteArray storedCatalogue(const QByteArray& plain) {
    return catalogues::shiftCatalogueLines(plain, 1, QStringLiteral("x")).value();
}

// Puts `inserted` right after the first occurrence of `after` (or at the start).
QByteArray insertAfter(const QByteArray& bytes, const QByteArray& after, const QByteArray& inserted) {
    const qsizetype at = bytes.indexOf(after);
    const qsizetype position = at < 0 ? 0 : at + after.size();
    return bytes.left(position) + inserted + bytes.mid(position);
}

QByteArray withMainPart(const QByteArray& zip, const std::function<QByteArray(const QByteArray&)>& change) {
    OoxmlPackage package = OoxmlPackage::fromZip(zip, QStringLiteral("x")).value();
    package.setPart(QStringLiteral("word/document.xml"), change(package.part(QStringLiteral("word/document.xml"))));
    return package.toZip().value();
}

QByteArray utf16(const QString& text) {
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return bytes;
}

QByteArray xmlInOtherEncoding(const QByteArray& valid) {
    // Declared one way, written another: Latin-1 text behind a UTF-8 declaration, UTF-8
    // behind a Latin-1 one, and a file without accents as UTF-16.
    const QString text = valid.contains("iso-8859-1") ? QString::fromLatin1(valid) : QString::fromUtf8(valid);
    if (valid.contains("iso-8859-1"))
        return text.toUtf8();
    if (text.toLatin1() != valid)
        return text.toLatin1();
    return utf16(text);
}

std::optional<QByteArray> badContents(Kind kind, State state, const QByteArray& valid) {
    switch (state) {
    case State::Missing:
        return std::nullopt;
    case State::Empty:
        return QByteArray();
    case State::Truncated:
        return valid.left(valid.size() / 2);
    case State::Garbage:
        return garbage();
    case State::WrongEncoding:
        switch (kind) {
        case Kind::Catalogue:
            return storedCatalogue(codepage::fromWindows1252(plainCatalogue(valid)).toUtf8());
        case Kind::Text:
            return utf16(codepage::fromWindows1252(valid));
        case Kind::Xml:
            return xmlInOtherEncoding(valid);
        case Kind::Document:
            return withMainPart(valid, [](const QByteArray& part) { return utf16(QString::fromUtf8(part)); });
        }
        break;
    case State::LongLine: {
        const QByteArray line(kLongLine, 'A');
        switch (kind) {
        case Kind::Catalogue:
            return valid + storedCatalogue(line + "\r\n");
        case Kind::Text:
            return valid + "\r\n" + line + "\r\n";
        case Kind::Xml:
            return insertAfter(valid, "?>", "<!--" + line + "-->");
        case Kind::Document:
            return withMainPart(valid, [&](const QByteArray& part) {
                return insertAfter(part, "<w:body>", "<w:p><w:r><w:t>" + line + "</w:t></w:r></w:p>");
            });
        }
        break;
    }
    case State::OutOfRange:
        switch (kind) {
        case Kind::Catalogue: // a stored code 0 decodes to -1
            return insertAfter(valid, valid.left(3), QByteArray(1, '\0'));
        case Kind::Text: // no character of Windows-1252 has this code
            return insertAfter(valid, valid.left(3), "\x81\x8D");
        case Kind::Xml: // beyond the last character there is
            return insertAfter(valid, "?>", "<!-- &#x110000; \xF4\x90\x80\x80 -->");
        case Kind::Document:
            return withMainPart(valid, [](const QByteArray& part) {
                return insertAfter(part, "<w:body>", "<w:p><w:r><w:t>&#x110000;\xF4\x90\x80\x80</w:t></w:r></w:p>");
            });
        }
        break;
    }
    return valid;
}

// ---- the program folder

bool copyFile(const QString& from, const QString& to) {
    QDir().mkpath(QFileInfo(to).absolutePath());
    QFile::remove(to);
    return QFile::copy(from, to) && QFile::setPermissions(to, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

// A program folder as a user has it: the sample catalogues and template, a registry with
// one password, and one saved application with its positions XML.
class ProgramFolder {
public:
    ProgramFolder() {
        const QDir sample(QStringLiteral(VELANTOR_SAMPLE_PROGRAM_DIR));
        const QDir here(m_dir.path());
        QStringList copied{QStringLiteral("conf.xml"), QStringLiteral("ficheros/FicheroTexto.txt"), kTemplate};
        for (int i = 1; i <= 16; ++i)
            copied << QStringLiteral("ficheros/F%1.enc").arg(i, 4, 10, QLatin1Char('0'));
        for (const QString& file : copied)
            m_ok = copyFile(sample.filePath(file), here.filePath(file)) && m_ok;
        QDir().mkpath(here.filePath(QStringLiteral("ficheros/temp")));

        UserRegistry registry;
        m_ok = registry.CargarUsuarios(here.filePath(QStringLiteral("usuarios.xml"))) && m_ok;
        m_ok = registry.AltaUsuario(QStringLiteral("87654321X"), QStringLiteral("CLAVE1")).has_value() && m_ok;

        Result<WordDocument> document = WordDocument::openTemplate(here.filePath(kTemplate));
        m_ok = document && document->saveAs(here.filePath(kDocument)) && m_ok;
        ApplicationTables lists{createPositionListTable(QStringLiteral("Vacantes")),
                               createPositionListTable(QStringLiteral("Resultas")), createCursosTable(),
                               createDocumentosTable()};
        for (int i = 0; i < 3; ++i) {
            lists.vacantes->addRow();
            lists.vacantes->setText(u"CodConvocatoria", QString::number(10001 + i));
            lists.vacantes->setText(u"Localidad", QStringLiteral("León"));
        }
        m_ok = PositionsXml::write(here.filePath(kPositions), lists, here.filePath(QStringLiteral("traza.txt")))
                   .has_value() &&
               m_ok;
    }

    bool ok() const { return m_ok && m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QByteArray bytes(const QString& relative) const {
        QFile file(QDir(m_dir.path()).filePath(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // A copy of the whole folder for one cell of the matrix.
    bool copyTo(const QString& target) const {
        const QDir from(m_dir.path());
        bool ok = true;
        QDirIterator it(m_dir.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            ok = copyFile(file, QDir(target).filePath(from.relativeFilePath(file))) && ok;
        }
        QDir().mkpath(QDir(target).filePath(QStringLiteral("ficheros/temp")));
        return ok;
    }

private:
    QTemporaryDir m_dir;
    bool m_ok = true;
};

const ProgramFolder& sampleFolder() {
    static const ProgramFolder folder;
    return folder;
}

// The whole folder but the file under test.
QString unexpectedChanges(const FolderSnapshot& after, const FolderSnapshot& before, const QString& underTest) {
    QString changes;
    for (const QString& line : after.differenceFrom(before).split(u'\n', Qt::SkipEmptyParts)) {
        if (!line.endsWith(u' ' + underTest))
            changes += line + u'\n';
    }
    return changes;
}

QString shownMessages(const Outcome& outcome) {
    QString text;
    for (const Message& message : outcome.messages)
        text += QStringLiteral("«%1» ").arg(message.text.left(300));
    return text;
}

} // namespace

TEST(BadInputMatrix, EveryOutsideFileInEveryBadState) {
    ASSERT_TRUE(sampleFolder().ok()) << "the sample program folder could not be set up";
    ASSERT_EQ(std::strlen(files().front().expected), std::size(kStates));
    int tried = 0;
    for (const OutsideFile& file : files()) {
        const QByteArray valid = sampleFolder().bytes(file.path);
        ASSERT_FALSE(valid.isEmpty()) << file.label;
        for (std::size_t s = 0; s < std::size(kStates); ++s) {
            const State state = kStates[s];
            const char expected = file.expected[s];
            SCOPED_TRACE(std::string(file.label) + " / " + stateName(state) + " / se espera " + expected);

            QTemporaryDir folder;
            ASSERT_TRUE(folder.isValid() && sampleFolder().copyTo(folder.path()));
            const QString path = QDir(folder.path()).filePath(file.path);
            const std::optional<QByteArray> bad = badContents(file.kind, state, valid);
            QFile::remove(path);
            if (bad) {
                QFile out(path);
                ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(*bad) == bad->size());
            }
            const FolderSnapshot before(folder.path());

            QElapsedTimer clock;
            clock.start();
            const Outcome outcome = file.open(folder.path());
            EXPECT_LT(clock.elapsed(), 60000) << "took " << clock.elapsed() << " ms";
            ++tried;

            const QString name = QFileInfo(file.path).fileName();
            const QString said = shownMessages(outcome);
            if (expected == 'M') {
                EXPECT_FALSE(outcome.messages.empty()) << "no message";
                bool named = false;
                for (const Message& message : outcome.messages)
                    named = named || message.text.contains(name);
                EXPECT_TRUE(named) << "no message names " << name.toStdString() << ": " << said.toStdString();
            } else {
                EXPECT_TRUE(outcome.messages.empty()) << said.toStdString();
            }

            // Nothing else in the folder changed: saved applications, registry, catalogues.
            const FolderSnapshot after(folder.path());
            EXPECT_EQ(unexpectedChanges(after, before, file.path), QString());
            // A file that could not be used is never written over: what the user had stays.
            if (expected == 'M' || expected == 'S') {
                EXPECT_EQ(after.contains(file.path), bool(bad));
                if (bad) {
                    EXPECT_TRUE(after.file(file.path) == *bad) << "the damaged file was rewritten";
                }
            }
        }
    }
    RecordProperty("cells", tried);
    EXPECT_EQ(tried, int(files().size() * std::size(kStates)));
}
