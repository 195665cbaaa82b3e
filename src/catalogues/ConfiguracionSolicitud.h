#pragma once

#include <array>
#include <memory>

#include <QString>

#include "platform/Error.h"

namespace velantor {

// One tab of the application form as "conf.xml" configures it.
struct TabConfig {
    int index = 0;
    QString nombreTab;
    QString visibilidad;
    QString tituloTab;
    QString tituloSobreGrid;

    // Only the exact text "S" shows the tab ("s" or "S " hide it).
    bool visible() const;
};

// The competition's configuration: its name, the five tabs and the number of
// requested positions printed per page.
struct ConfiguracionSolicitud {
    QString nombre;
    QString numPlazasPorPag;
    std::array<TabConfig, 5> tabs;

    // "DOT_" and one digit per tab, "1" for a visible tab: the template's folder.
    QString templateFolderName() const;
    // numPlazasPorPag as a number (leerConfiguracion only accepts a whole number above 0).
    int plazasPorPagina() const;
    // The window caption: the competition's name and the program's version.
    QString caption() const;
};

// "conf.xml" of a program folder, read and parsed once. The loading sequence only needs the
// competition's name; the form needs the whole configuration.
class ConfFile {
public:
    // A missing or unreadable file or a document that does not parse gives an error whose
    // description names the file.
    static Result<ConfFile> read(const QString& programFolder);

    // The Nombre attribute of the Configuracion element.
    Result<QString> nombre() const;
    // Name, page size and the five tabs; a missing item or a page size that is not a whole
    // number above 0 names the file and the item.
    Result<ConfiguracionSolicitud> configuracion() const;

private:
    struct Parsed;
    std::shared_ptr<const Parsed> m_parsed;
};

// Reads "conf.xml" in the program folder. A missing or unreadable file, a document that
// does not parse, a missing Tab element, child element or attribute, or a page size that
// is not a whole number above 0 gives an error whose description names the file and item.
Result<ConfiguracionSolicitud> leerConfiguracion(const QString& programFolder);

} // namespace velantor
