#include "docengine/OoxmlPackage.h"

#include <memory>

#include <zip.h>

namespace velantor {

namespace {

// A word-processing document is a few hundred kilobytes; these bounds only stop an
// archive that claims absurd sizes (a "zip bomb") from exhausting the memory.
constexpr zip_uint64_t kMaxPartSize = 256u * 1024u * 1024u;
constexpr zip_uint64_t kMaxTotalSize = 512u * 1024u * 1024u;
constexpr zip_int64_t kMaxParts = 20000;

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using ArchivePtr = std::unique_ptr<zip_t, ArchiveCloser>;

struct FileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using FilePtr = std::unique_ptr<zip_file_t, FileCloser>;

Error notAPackage(const QString& sourceName, const QString& reason) {
    return makeError(errors::kMalformedXml,
                     QStringLiteral("El archivo «%1» no es un documento de procesador de textos válido (%2).")
                         .arg(sourceName, reason));
}

// Why an archive would not open, in the user's language; the library's own words for
// the rare cases.
QString zipReason(zip_error_t& error) {
    switch (zip_error_code_zip(&error)) {
    case ZIP_ER_NOZIP:
        return QStringLiteral("no es un archivo zip");
    case ZIP_ER_INCONS:
    case ZIP_ER_EOF:
        return QStringLiteral("el archivo está cortado o dañado");
    case ZIP_ER_CRC:
    case ZIP_ER_ZLIB:
        return QStringLiteral("el contenido comprimido está dañado");
    case ZIP_ER_MEMORY:
        return QStringLiteral("no hay memoria suficiente");
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
        return QStringLiteral("está cifrado");
    default:
        return QStringLiteral("archivo dañado: %1").arg(QString::fromUtf8(zip_error_strerror(&error)));
    }
}

Error packFailed(const char* reason) {
    return makeError(errors::kWriteFailed,
                     QStringLiteral("No se pudo componer el documento: %1.").arg(QString::fromUtf8(reason)));
}

} // namespace

Result<OoxmlPackage> OoxmlPackage::fromZip(const QByteArray& zip, const QString& sourceName) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(zip.constData(), zip_uint64_t(zip.size()), 0, &error);
    if (source == nullptr) {
        const QString reason = zipReason(error);
        zip_error_fini(&error);
        return std::unexpected(notAPackage(sourceName, reason));
    }
    ArchivePtr archive(zip_open_from_source(source, ZIP_RDONLY, &error));
    if (!archive) {
        zip_source_free(source);
        const QString reason = zipReason(error);
        zip_error_fini(&error);
        return std::unexpected(notAPackage(sourceName, reason));
    }
    zip_error_fini(&error);

    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    if (count > kMaxParts) {
        return std::unexpected(notAPackage(sourceName, QStringLiteral("demasiadas partes")));
    }
    OoxmlPackage package;
    zip_uint64_t total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive.get(), zip_uint64_t(i), 0, &stat) != 0 || stat.name == nullptr) {
            return std::unexpected(notAPackage(sourceName, QStringLiteral("entrada ilegible")));
        }
        const QString name = QString::fromUtf8(stat.name);
        if (name.endsWith(u'/')) {
            continue; // a folder entry carries no part
        }
        total += stat.size;
        if (stat.size > kMaxPartSize || total > kMaxTotalSize) {
            return std::unexpected(notAPackage(sourceName, QStringLiteral("tamaño desmesurado")));
        }
        FilePtr file(zip_fopen_index(archive.get(), zip_uint64_t(i), 0));
        if (!file) {
            return std::unexpected(
                notAPackage(sourceName, QStringLiteral("no se puede leer «%1»").arg(name)));
        }
        QByteArray data(qsizetype(stat.size), Qt::Uninitialized);
        const zip_int64_t read = zip_fread(file.get(), data.data(), stat.size);
        if (read < 0 || zip_uint64_t(read) != stat.size) {
            return std::unexpected(notAPackage(sourceName, QStringLiteral("«%1» está dañado").arg(name)));
        }
        package.m_parts.emplace_back(name, std::move(data));
    }
    return package;
}

Result<QByteArray> OoxmlPackage::toZip() const {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_error_fini(&error);
    if (target == nullptr) {
        return std::unexpected(packFailed("sin memoria"));
    }
    // The archive frees its source on close; keep ours to read the result back.
    zip_source_keep(target);
    struct SourceRelease {
        zip_source_t* source;
        ~SourceRelease() { zip_source_free(source); }
    } release{target};

    zip_t* archive = zip_open_from_source(target, ZIP_TRUNCATE, nullptr);
    if (archive == nullptr) {
        return std::unexpected(packFailed("no se pudo abrir el archivo zip"));
    }
    // The content-types part goes first, as word processors write it.
    std::vector<const std::pair<QString, QByteArray>*> ordered;
    for (const auto& p : m_parts) {
        if (p.first == QStringLiteral("[Content_Types].xml")) {
            ordered.insert(ordered.begin(), &p);
        } else {
            ordered.push_back(&p);
        }
    }
    for (const auto* p : ordered) {
        zip_source_t* data =
            zip_source_buffer(archive, p->second.constData(), zip_uint64_t(p->second.size()), 0);
        if (data == nullptr) {
            zip_discard(archive);
            return std::unexpected(packFailed(zip_strerror(archive)));
        }
        const QByteArray name = p->first.toUtf8();
        if (zip_file_add(archive, name.constData(), data, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
            zip_source_free(data);
            QByteArray reason = zip_strerror(archive);
            zip_discard(archive);
            return std::unexpected(packFailed(reason.constData()));
        }
    }
    if (zip_close(archive) != 0) {
        QByteArray reason = zip_strerror(archive);
        zip_discard(archive);
        return std::unexpected(packFailed(reason.constData()));
    }

    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(target, &stat) != 0 || zip_source_open(target) != 0) {
        return std::unexpected(packFailed("no se pudo leer el archivo zip compuesto"));
    }
    QByteArray bytes(qsizetype(stat.size), Qt::Uninitialized);
    const zip_int64_t read = zip_source_read(target, bytes.data(), stat.size);
    zip_source_close(target);
    if (read < 0 || zip_uint64_t(read) != stat.size) {
        return std::unexpected(packFailed("no se pudo leer el archivo zip compuesto"));
    }
    return bytes;
}

bool OoxmlPackage::contains(const QString& name) const {
    for (const auto& p : m_parts) {
        if (p.first == name) {
            return true;
        }
    }
    return false;
}

QByteArray OoxmlPackage::part(const QString& name) const {
    for (const auto& p : m_parts) {
        if (p.first == name) {
            return p.second;
        }
    }
    return {};
}

void OoxmlPackage::setPart(const QString& name, const QByteArray& data) {
    for (auto& p : m_parts) {
        if (p.first == name) {
            p.second = data;
            return;
        }
    }
    m_parts.emplace_back(name, data);
}

QStringList OoxmlPackage::partNames() const {
    QStringList names;
    for (const auto& p : m_parts) {
        names << p.first;
    }
    return names;
}

} // namespace velantor
