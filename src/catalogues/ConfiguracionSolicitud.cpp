#include "catalogues/ConfiguracionSolicitud.h"

#include <QDir>
#include <QFile>

#include <pugixml.hpp>

#include "Version.h"
#include "platform/CodePage.h"

namespace velantor {
namespace {

const QString kFileName = QStringLiteral("conf.xml");

int lineOf(const QByteArray& text, qsizetype offset) {
    return int(text.left(offset).count('\n')) + 1;
}

Error missing(const QString& item, const QString& path) {
    return makeError(errors::kMissingXmlItem, QStringLiteral("Falta %1 en el archivo de configuración %2")
                                                  .arg(item, QDir::toNativeSeparators(path)));
}

} // namespace

bool TabConfig::visible() const {
    return visibilidad == u"S";
}

QString ConfiguracionSolicitud::templateFolderName() const {
    QString name = QStringLiteral("DOT_");
    for (const TabConfig& tab : tabs)
        name += tab.visible() ? u'1' : u'0';
    return name;
}

int ConfiguracionSolicitud::plazasPorPagina() const {
    return numPlazasPorPag.trimmed().toInt();
}

QString ConfiguracionSolicitud::caption() const {
    return QStringLiteral("%1 %2.%3.%4")
        .arg(nombre)
        .arg(kVersionMajor)
        .arg(kVersionMinor)
        .arg(kVersionRevision);
}

struct ConfFile::Parsed {
    QString path;
    pugi::xml_document document;
};

Result<ConfFile> ConfFile::read(const QString& programFolder) {
    auto parsed = std::make_shared<Parsed>();
    parsed->path = QDir(programFolder).filePath(kFileName);
    const QString shown = QDir::toNativeSeparators(parsed->path);
    QFile file(parsed->path);
    if (!file.exists())
        return std::unexpected(
            makeError(errors::kFileNotFound,
                      QStringLiteral("No se encuentra el archivo de configuración %1").arg(shown)));
    if (!file.open(QIODevice::ReadOnly))
        return std::unexpected(makeError(errors::kFileAccess,
                                         QStringLiteral("No se puede leer el archivo de configuración %1: %2")
                                             .arg(shown, file.errorString())));
    const QByteArray text = codepage::xmlAsUtf8(file.readAll());
    const pugi::xml_parse_result result = parsed->document.load_buffer(text.constData(), size_t(text.size()),
                                                                       pugi::parse_default, pugi::encoding_utf8);
    if (!result)
        return std::unexpected(
            makeError(errors::kMalformedXml,
                      QStringLiteral("El archivo de configuración %1 no es un documento XML válido "
                                     "(error en la línea %2)")
                          .arg(shown)
                          .arg(lineOf(text, qsizetype(result.offset)))));
    ConfFile conf;
    conf.m_parsed = std::move(parsed);
    return conf;
}

Result<QString> ConfFile::nombre() const {
    const pugi::xml_node root = m_parsed->document.select_node("//Configuracion").node();
    if (!root)
        return std::unexpected(missing(QStringLiteral("el elemento Configuracion"), m_parsed->path));
    const pugi::xml_attribute nombre = root.attribute("Nombre");
    if (!nombre)
        return std::unexpected(
            missing(QStringLiteral("el atributo Nombre del elemento Configuracion"), m_parsed->path));
    return QString::fromUtf8(nombre.value());
}

Result<ConfiguracionSolicitud> ConfFile::configuracion() const {
    const pugi::xml_document& doc = m_parsed->document;
    const QString& path = m_parsed->path;
    const QString shown = QDir::toNativeSeparators(path);
    const Result<QString> name = nombre();
    if (!name)
        return std::unexpected(name.error());
    ConfiguracionSolicitud conf;
    const pugi::xml_node root = doc.select_node("//Configuracion").node();
    conf.nombre = *name;
    const pugi::xml_attribute porPagina = root.attribute("numPlazasPorPag");
    if (!porPagina)
        return std::unexpected(
            missing(QStringLiteral("el atributo numPlazasPorPag del elemento Configuracion"), path));
    conf.numPlazasPorPag = QString::fromUtf8(porPagina.value());
    bool isNumber = false;
    if (conf.numPlazasPorPag.trimmed().toInt(&isNumber) < 1 || !isNumber)
        return std::unexpected(
            makeError(errors::kMissingXmlItem,
                      QStringLiteral("El atributo numPlazasPorPag del archivo de configuración %1 "
                                     "debe ser un número entero mayor que 0 (tiene \"%2\")")
                          .arg(shown, conf.numPlazasPorPag)));

    // The tabs in document order; the messages count them from 1 as they appear in the file.
    for (int i = 0; i < int(conf.tabs.size()); ++i) {
        const std::string query = "(//Tab)[" + std::to_string(i + 1) + "]";
        const pugi::xml_node tab = doc.select_node(query.c_str()).node();
        if (!tab)
            return std::unexpected(
                missing(QStringLiteral("el elemento Tab de la pestaña %1").arg(i + 1), path));
        TabConfig& config = conf.tabs[size_t(i)];
        config.index = i;
        const std::pair<const char*, QString*> items[] = {{"NombreTab", &config.nombreTab},
                                                          {"Visibilidad", &config.visibilidad},
                                                          {"TituloTab", &config.tituloTab},
                                                          {"TituloSobreGrid", &config.tituloSobreGrid}};
        for (const auto& [name, target] : items) {
            const pugi::xml_node item = tab.child(name);
            if (!item)
                return std::unexpected(missing(QStringLiteral("el elemento %1 de la pestaña %2")
                                                   .arg(QString::fromLatin1(name))
                                                   .arg(i + 1),
                                               path));
            *target = QString::fromUtf8(item.text().get());
        }
    }
    return conf;
}

Result<ConfiguracionSolicitud> leerConfiguracion(const QString& programFolder) {
    const Result<ConfFile> file = ConfFile::read(programFolder);
    if (!file)
        return std::unexpected(file.error());
    return file->configuracion();
}

} // namespace velantor
