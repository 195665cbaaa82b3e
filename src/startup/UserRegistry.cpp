#include "startup/UserRegistry.h"

#include <string>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <pugixml.hpp>

#include "platform/FileLock.h"
#include "platform/SafeFile.h"
#include "startup/Validacion.h"

namespace velantor {
namespace {

constexpr char kAllEntries[] = "//Usuarios/*";
constexpr char kRoot[] = "//Usuarios";

// Whitespace between elements and comments are kept, so that a save changes nothing
// in the file beyond the entries added or removed.
constexpr unsigned kParseFlags = pugi::parse_full | pugi::parse_ws_pcdata;

std::string utf8(const QString& text) {
    return text.toStdString();
}

// The text of a node as XPath compares it (all its text, concatenated).
QString stringValue(const pugi::xml_node& node, const char* child) {
    const pugi::xpath_query query((std::string("string(") + child + ")").c_str());
    return QString::fromStdString(query.evaluate_string(node));
}

struct StringWriter : pugi::xml_writer {
    std::string bytes;
    void write(const void* data, size_t size) override { bytes.append(static_cast<const char*>(data), size); }
};

} // namespace

struct UserRegistry::Private {
    pugi::xml_document document;
    QString path;
    pugi::xml_encoding encoding = pugi::encoding_utf8;
    bool canSave = false;
    // Removals made in memory only, done again on the file as it is at the next write.
    QStringList pendingRemovals;

    pugi::xml_node entryOf(const QString& digest) const {
        const std::string query = "//Usuarios/Usuario[DNI='" + utf8(digest) + "']";
        return document.select_node(query.c_str()).node();
    }

    Result<void> save() {
        if (path.isEmpty())
            return std::unexpected(
                makeError(errors::kFileAccess, QStringLiteral("No se ha cargado el registro de usuarios.")));
        if (!canSave)
            return std::unexpected(makeError(
                errors::kMalformedXml,
                QStringLiteral("El registro de usuarios «%1» no se puede leer o está dañado; no se modifica "
                               "para no perder lo que contiene.")
                    .arg(QDir::toNativeSeparators(path))));
        StringWriter writer;
        document.save(writer, "", pugi::format_raw, encoding);
        // The registry is only digests, but still nobody else's business: the file is
        // owner-only before it takes its name.
        return writeFileAtomically(path, QByteArray(writer.bytes.data(), qsizetype(writer.bytes.size())),
                                   QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    // Runs a change and writes the file; when the write fails the document goes back
    // to how it was before the change.
    template <class Change> Result<void> changeAndSave(Change change) {
        pugi::xml_document before;
        before.reset(document);
        change();
        Result<void> saved = save();
        if (!saved)
            document.reset(before);
        return saved;
    }

    void appendEntry(const QString& dni, const QString& pwd) {
        pugi::xml_node root = document.select_node(kRoot).node();
        if (!root) {
            // Inside whatever element the file has, or as the document's root.
            pugi::xml_node parent = document.document_element();
            root = (parent ? parent : pugi::xml_node(document)).append_child("Usuarios");
        }
        const QString entry = QStringLiteral("<Usuario><DNI>%1</DNI><Pwd>%2</Pwd></Usuario>")
                                  .arg(HashTexto(normalisedDni(dni)), HashTexto(pwd.toUpper()));
        pugi::xml_document parsed;
        parsed.load_string(utf8(entry).c_str());
        root.append_copy(parsed.document_element());
    }

    // Entries are visited by position, which XPath counts from 1.
    void removeEntry(const QString& dni) {
        const QString digest = HashTexto(normalisedDni(dni));
        const size_t count = document.select_nodes(kAllEntries).size();
        for (size_t index = 1; index <= count; ++index) {
            const std::string at = "//Usuarios/Usuario[" + std::to_string(index) + "]";
            const pugi::xml_node entry = document.select_node(at.c_str()).node();
            if (entry && stringValue(entry, "DNI") == digest) {
                entry.parent().remove_child(entry);
                return;
            }
        }
    }
};

UserRegistry::UserRegistry() : d(std::make_unique<Private>()) {}

UserRegistry::~UserRegistry() = default;

QString UserRegistry::normalisedDni(const QString& dni) {
    return checkDni(dni.toUpper()).text;
}

bool UserRegistry::CargarUsuarios(const QString& path) {
    d->document.reset();
    d->path = path;
    d->pendingRemovals.clear();
    d->encoding = pugi::encoding_utf8;
    d->canSave = false;

    QFile file(path);
    if (!QFileInfo::exists(path)) {
        d->canSave = true; // a new registry
        return true;
    }
    if (!file.open(QIODevice::ReadOnly))
        return true; // unreadable: empty, and left alone
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return true;

    const pugi::xml_parse_result parsed =
        d->document.load_buffer(bytes.constData(), size_t(bytes.size()), kParseFlags);
    if (parsed.status == pugi::status_out_of_memory) {
        d->document.reset();
        return false;
    }
    if (!parsed) {
        d->document.reset();
        // An empty file holds nothing that a save could lose.
        d->canSave = bytes.trimmed().isEmpty();
        return true;
    }
    d->encoding = parsed.encoding;
    d->canSave = true;
    return true;
}

const QString& UserRegistry::path() const {
    return d->path;
}

bool UserRegistry::canSave() const {
    return d->canSave;
}

int UserRegistry::entryCount() const {
    return int(d->document.select_nodes(kAllEntries).size());
}

bool UserRegistry::ExisteUsuario(const QString& dni) const {
    return bool(d->entryOf(HashTexto(normalisedDni(dni))));
}

QString UserRegistry::PwdUsuario(const QString& dni) const {
    const QString digest = HashTexto(normalisedDni(dni));
    for (const pugi::xpath_node& entry : d->document.select_nodes(kAllEntries)) {
        if (stringValue(entry.node(), "DNI") == digest)
            return stringValue(entry.node(), "Pwd");
    }
    return {};
}

bool UserRegistry::ComprobarUsuario(const QString& dni, const QString& pwd) const {
    const QString registered = PwdUsuario(dni);
    return !registered.isEmpty() && registered == HashTexto(pwd.toUpper());
}

Result<void> UserRegistry::changeLocked(const std::function<void()>& change) {
    if (d->path.isEmpty())
        return d->changeAndSave(change); // nowhere to write: the save says so
    // Other runs on this program folder may have added users since this one read the file:
    // the change is made on the file as it is now, while no other run can write it.
    FileLock lock(d->path);
    if (Result<void> locked = lock.lock(
            10000, QStringLiteral("El registro de usuarios «%1» está en uso en otro equipo o ventana; "
                                  "inténtelo de nuevo dentro de un momento.")
                       .arg(QDir::toNativeSeparators(d->path)));
        !locked)
        return locked;
    const QStringList removals = d->pendingRemovals;
    CargarUsuarios(d->path);
    for (const QString& dni : removals)
        d->removeEntry(dni);
    Result<void> saved = d->changeAndSave(change);
    if (saved)
        d->pendingRemovals.clear();
    else
        d->pendingRemovals = removals;
    return saved;
}

Result<void> UserRegistry::AltaUsuario(const QString& dni, const QString& pwd) {
    return changeLocked([&] { d->appendEntry(dni, pwd); });
}

void UserRegistry::BajaUsuario(const QString& dni) {
    d->removeEntry(dni);
    d->pendingRemovals.append(dni);
}

Result<void> UserRegistry::replaceUser(const QString& dni, const QString& pwd) {
    return changeLocked([&] {
        d->removeEntry(dni);
        d->appendEntry(dni, pwd);
    });
}

} // namespace velantor
