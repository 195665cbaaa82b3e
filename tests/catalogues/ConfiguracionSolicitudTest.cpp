#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "catalogues/ConfiguracionSolicitud.h"

using namespace velantor;

namespace {

struct TabText {
    QString nombre, visibilidad, titulo, sobreGrid;
};

QByteArray confXml(const QList<TabText>& tabs,
                   const QString& attributes =
                       QStringLiteral(R"(Nombre="Concurso de Traslados 2024" numPlazasPorPag="40")")) {
    QString xml =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Configuracion %1>\n").arg(attributes);
    for (const TabText& tab : tabs)
        xml += QStringLiteral("  <Tab><NombreTab>%1</NombreTab><Visibilidad>%2</Visibilidad>"
                              "<TituloTab>%3</TituloTab><TituloSobreGrid>%4</TituloSobreGrid></Tab>\n")
                   .arg(tab.nombre, tab.visibilidad, tab.titulo, tab.sobreGrid);
    xml += QStringLiteral("</Configuracion>\n");
    return xml.toUtf8();
}

QList<TabText> fiveTabs() {
    return {
        {QStringLiteral("Personales"), QStringLiteral("S"), QStringLiteral("Datos Personales"),
         QStringLiteral("DATOS")},
        {QStringLiteral("Cursos"), QStringLiteral("S"), QStringLiteral("Cursos"),
         QStringLiteral("CURSOS DE FORMACIÓN")},
        {QStringLiteral("Vacantes"), QStringLiteral("S"), QStringLiteral("Plazas Vacantes"),
         QStringLiteral("VACANTES")},
        {QStringLiteral("Resultas"), QStringLiteral("S"), QStringLiteral("Plazas Resultas"),
         QStringLiteral("RESULTAS")},
        {QStringLiteral("Documentos"), QStringLiteral("S"), QStringLiteral("Cursos Realizados"),
         QStringLiteral("DOCUMENTACIÓN QUE APORTA")},
    };
}

class ConfiguracionTest : public ::testing::Test {
protected:
    void write(const QByteArray& contents) {
        QFile file(m_dir.filePath(QStringLiteral("conf.xml")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    Result<ConfiguracionSolicitud> read() { return leerConfiguracion(m_dir.path()); }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(ConfiguracionTest, ReadsNameTabsAndPageSize) {
    write(confXml(fiveTabs()));
    const auto conf = read();
    ASSERT_TRUE(conf.has_value()) << conf.error().description.toStdString();
    EXPECT_EQ(conf->nombre, u"Concurso de Traslados 2024");
    EXPECT_EQ(conf->plazasPorPagina(), 40);
    EXPECT_EQ(conf->caption(), u"Concurso de Traslados 2024 1.2.0");
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(conf->tabs[size_t(i)].index, i);
    EXPECT_EQ(conf->tabs[1].nombreTab, u"Cursos");
    EXPECT_EQ(conf->tabs[1].tituloSobreGrid, u"CURSOS DE FORMACIÓN");
    EXPECT_EQ(conf->tabs[4].tituloTab, u"Cursos Realizados");
    EXPECT_EQ(conf->templateFolderName(), u"DOT_11111");
}

TEST_F(ConfiguracionTest, OnlyAnUpperCaseSShowsATab) {
    auto tabs = fiveTabs();
    tabs[1].visibilidad = QStringLiteral("N");
    write(confXml(tabs));
    auto conf = read();
    ASSERT_TRUE(conf.has_value());
    EXPECT_FALSE(conf->tabs[1].visible());
    EXPECT_TRUE(conf->tabs[0].visible());
    EXPECT_EQ(conf->templateFolderName(), u"DOT_10111");

    tabs = fiveTabs();
    tabs[2].visibilidad = QStringLiteral("s");
    tabs[3].visibilidad = QStringLiteral("S ");
    write(confXml(tabs));
    conf = read();
    ASSERT_TRUE(conf.has_value());
    EXPECT_EQ(conf->templateFolderName(), u"DOT_11001");
}

TEST_F(ConfiguracionTest, TabsAreTakenInDocumentOrderWhereverTheyStand) {
    // Tabs under different parents still count in the order they appear.
    QByteArray xml = confXml(fiveTabs());
    xml.replace("<Tab><NombreTab>Vacantes", "<Grupo><Tab><NombreTab>Vacantes");
    xml.replace("VACANTES</TituloSobreGrid></Tab>", "VACANTES</TituloSobreGrid></Tab></Grupo>");
    write(xml);
    const auto conf = read();
    ASSERT_TRUE(conf.has_value()) << conf.error().description.toStdString();
    EXPECT_EQ(conf->tabs[2].nombreTab, u"Vacantes");
    EXPECT_EQ(conf->tabs[3].nombreTab, u"Resultas");
}

TEST_F(ConfiguracionTest, ReadsAWindows1252File) {
    QByteArray xml = confXml(fiveTabs());
    xml.replace("encoding=\"UTF-8\"", "encoding=\"windows-1252\"");
    xml.replace("FORMACIÓN", "FORMACI\xD3N");
    xml.replace("DOCUMENTACIÓN", "DOCUMENTACI\xD3N");
    write(xml);
    const auto conf = read();
    ASSERT_TRUE(conf.has_value()) << conf.error().description.toStdString();
    EXPECT_EQ(conf->tabs[1].tituloSobreGrid, u"CURSOS DE FORMACIÓN");
}

TEST_F(ConfiguracionTest, MissingOrBrokenFileNamesTheFile) {
    auto conf = read();
    ASSERT_FALSE(conf.has_value());
    EXPECT_EQ(conf.error().number, errors::kFileNotFound);
    EXPECT_TRUE(conf.error().description.startsWith(u"No se encuentra el archivo de configuración "));
    EXPECT_TRUE(conf.error().description.endsWith(u"conf.xml"));

    write("<?xml version=\"1.0\"?>\n<Configuracion Nombre=\"x\">\n<Tab>\n</Configuracion>");
    conf = read();
    ASSERT_FALSE(conf.has_value());
    EXPECT_EQ(conf.error().number, errors::kMalformedXml);
    EXPECT_TRUE(conf.error().description.contains(u"conf.xml"));
    EXPECT_TRUE(conf.error().description.contains(u"no es un documento XML válido"));
    EXPECT_TRUE(conf.error().description.contains(u"línea 4")) << conf.error().description.toStdString();
}

TEST_F(ConfiguracionTest, MissingItemsAreNamed) {
    const auto errorFor = [&](const QByteArray& xml) {
        write(xml);
        const auto conf = read();
        EXPECT_FALSE(conf.has_value());
        EXPECT_EQ(conf.error().number, errors::kMissingXmlItem);
        EXPECT_TRUE(conf.error().description.endsWith(u"conf.xml"));
        return conf.error().description;
    };

    auto tabs = fiveTabs();
    tabs.removeLast();
    EXPECT_TRUE(errorFor(confXml(tabs)).startsWith(u"Falta el elemento Tab de la pestaña 5 "));

    QByteArray xml = confXml(fiveTabs());
    xml.replace("<TituloTab>Plazas Vacantes</TituloTab>", "");
    EXPECT_TRUE(errorFor(xml).startsWith(u"Falta el elemento TituloTab de la pestaña 3 "));

    xml = confXml(fiveTabs());
    xml.replace("<Visibilidad>S</Visibilidad><TituloTab>Datos Personales", "<TituloTab>Datos Personales");
    EXPECT_TRUE(errorFor(xml).startsWith(u"Falta el elemento Visibilidad de la pestaña 1 "));

    EXPECT_TRUE(errorFor(confXml(fiveTabs(), QStringLiteral(R"(numPlazasPorPag="40")")))
                    .startsWith(u"Falta el atributo Nombre del elemento Configuracion "));
    EXPECT_TRUE(errorFor(confXml(fiveTabs(), QStringLiteral(R"(Nombre="x")")))
                    .startsWith(u"Falta el atributo numPlazasPorPag "));
    EXPECT_TRUE(errorFor("<Otra/>").startsWith(u"Falta el elemento Configuracion "));
}

TEST_F(ConfiguracionTest, PageSizeMustBeAWholeNumberAboveZero) {
    // The generator divides the positions into pages of this size.
    for (const char* value : {"0", "-3", "cuarenta", "", "12,5"}) {
        write(confXml(fiveTabs(),
                      QStringLiteral(R"(Nombre="x" numPlazasPorPag="%1")").arg(QString::fromLatin1(value))));
        const auto conf = read();
        ASSERT_FALSE(conf.has_value()) << value;
        EXPECT_TRUE(conf.error().description.contains(u"numPlazasPorPag")) << value;
    }
    write(confXml(fiveTabs(), QStringLiteral(R"(Nombre="" numPlazasPorPag=" 25 ")")));
    const auto conf = read();
    ASSERT_TRUE(conf.has_value());
    EXPECT_EQ(conf->plazasPorPagina(), 25);
    EXPECT_EQ(conf->caption(), u" 1.2.0");
}
