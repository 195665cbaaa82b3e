#include "catalogues/CatalogueGenerator.h"

#include <algorithm>
#include <random>
#include <vector>

#include <QDir>
#include <QStringList>

#include "catalogues/CatalogueEncoder.h"
#include "platform/CodePage.h"
#include "platform/SafeFile.h"

namespace velantor::catalogues {
namespace {

constexpr int kProvinces = 52;
constexpr int kRegionProvinces = 3;
constexpr int kLocalitiesPerProvince = 217;
constexpr int kAreas = 5;
constexpr int kZones = 63;
constexpr int kInstitutions = 14;
constexpr int kBodiesPerBlock = 79;
const char kGroups[] = "ABCDE";
// Bodies per group in each block of 79, as in the sample's categories.
constexpr int kGroupSizes[] = {39, 16, 11, 8, 5};

QString fit(const QString& text, int width) {
    return text.left(width).leftJustified(width, u' ');
}
QString number(int value, int width) {
    return QStringLiteral("%1").arg(value, width, 10, QChar(u'0'));
}

QString base36(int value, int width) {
    return QString::number(value, 36).toUpper().rightJustified(width, u'0');
}

// Five-character codes: digits while they last, then a letter and four base-36 characters.
QString positionCode(bool vacancy, int index) {
    if (vacancy)
        return index < 50000 ? number(10000 + index, 5) : u'V' + base36(index - 50000, 4);
    return index < 40000 ? number(60000 + index, 5) : u'R' + base36(index - 40000, 4);
}

class Generator {
public:
    explicit Generator(int scale) : m_scale(scale), m_random(20250101u + unsigned(scale)) {}

    QStringList provinces(bool regionOnly) const {
        QStringList lines;
        for (int p = 1; p <= (regionOnly ? kRegionProvinces : kProvinces); ++p)
            lines << number(p, 2) + fit(QStringLiteral("Provincia %1").arg(p), 20);
        return lines;
    }

    QStringList localities() {
        QStringList lines;
        static const QStringList syllables = {
            QStringLiteral("Val"), QStringLiteral("Villa"), QStringLiteral("Ría"), QStringLiteral("Mon"),
            QStringLiteral("Cas"), QStringLiteral("Sán"),   QStringLiteral("tor"), QStringLiteral("del"),
            QStringLiteral("ña"),  QStringLiteral("be"),    QStringLiteral("ro"),  QStringLiteral("ga")};
        for (int p = 1; p <= kRegionProvinces; ++p) {
            for (int l = 1; l <= kLocalitiesPerProvince; ++l) {
                QString name;
                for (int s = 0; s < 3; ++s)
                    name += syllables[int(m_random() % unsigned(syllables.size()))];
                lines << number(p, 2) + number(l, 3) + fit(name + QStringLiteral(" %1").arg(l), 60);
            }
        }
        return lines;
    }

    int areaProvince(int area) const { return area <= 2 ? 1 : (area == 3 ? 2 : 3); }
    int zoneArea(int zone) const { return (zone - 1) % kAreas + 1; }
    int institutionArea(int institution) const { return (institution - 1) % kAreas + 1; }
    bool isHospital(int institution) const { return institution % 2 == 1; }
    int zoneTown(int zone) const { return zone * 3; }
    int institutionTown(int institution) const { return institution * 7; }

    QString locality7(int province, int town) const {
        return number(province, 2) + number(town, 3) + QStringLiteral("00");
    }

    QStringList areas() const {
        QStringList lines;
        for (int a = 1; a <= kAreas; ++a) {
            const QString province = number(areaProvince(a), 2);
            lines << number(a, 2) + province + QStringLiteral("    ") +
                         fit(QStringLiteral("Área sintética %1").arg(a), 50) + province;
        }
        return lines;
    }

    QStringList zones() const {
        QStringList lines;
        for (int z = 1; z <= kZones; ++z)
            lines << number(zoneArea(z), 2) + number(z, 2) +
                         fit(QStringLiteral("Zona Básica Nº %1").arg(z), 50);
        return lines;
    }

    QStringList institutions() const {
        QStringList lines;
        for (int i = 1; i <= kInstitutions; ++i) {
            const int area = institutionArea(i);
            lines << number(i, 2) + fit(institutionName(i), 50) + fit(number(area, 2), 8) +
                         number(areaProvince(area), 2);
        }
        return lines;
    }

    QString institutionName(int i) const {
        return (isHospital(i) ? QStringLiteral("Hospital sintético %1")
                              : QStringLiteral("Atención Primaria sintética %1"))
            .arg(i);
    }

    QStringList institutionLocalities() const {
        QStringList lines;
        for (int i = 1; i <= kInstitutions; ++i) {
            const int area = institutionArea(i);
            if (isHospital(i)) {
                lines << number(i, 2) + locality7(areaProvince(area), institutionTown(i));
                continue;
            }
            for (int z = 1; z <= kZones; ++z) {
                if (zoneArea(z) == area)
                    lines << number(i, 2) + locality7(areaProvince(area), zoneTown(z));
            }
        }
        return lines;
    }

    QStringList situations() const {
        QStringList lines;
        for (int s = 1; s <= 7; ++s)
            lines << number(s, 2) + u'0' + fit(QStringLiteral("Situación administrativa %1").arg(s), 60);
        lines << QStringLiteral("081Otra");
        return lines;
    }

    // Bodies in blocks of 79 (groups A to E) each followed by one body of group "X".
    void makeBodies() {
        for (int block = 0; block < m_scale; ++block) {
            int n = 0;
            for (int g = 0; g < 5; ++g) {
                for (int k = 0; k < kGroupSizes[g]; ++k, ++n) {
                    const int index = block * kBodiesPerBlock + n;
                    m_bodies.push_back({QChar::fromLatin1(kGroups[g]), number(100 + index, 5),
                                        QStringLiteral("Categoría sintética %1 del grupo %2")
                                            .arg(index + 1)
                                            .arg(QChar::fromLatin1(kGroups[g]))});
                }
            }
            m_bodies.push_back({QChar(u'X'), number(90000 + block, 5),
                                QStringLiteral("Categoría a extinguir %1").arg(block + 1)});
        }
    }

    QStringList bodies() const {
        QStringList lines;
        for (const Body& b : m_bodies)
            lines << b.group + b.code + fit(b.name, 100);
        return lines;
    }

    QStringList groups() const {
        return {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                QStringLiteral("D"), QStringLiteral("E"), QStringLiteral("X")};
    }

    // Positions for every body that is not of group "X": about 14 vacancies and 10 "Resultas" each.
    QStringList positions(bool vacancy) {
        QStringList lines;
        int index = 0;
        for (std::size_t b = 0; b < m_bodies.size(); ++b) {
            const Body& body = m_bodies[b];
            if (body.group == u'X')
                continue;
            const int count = int(m_random() % 25u) + 2;
            const int wanted = vacancy ? count : (count * 3 + 3) / 4;
            for (int k = 0; k < wanted; ++k, ++index) {
                const QString code = positionCode(vacancy, index);
                const int institution = int(m_random() % unsigned(kInstitutions)) + 1;
                const int area = institutionArea(institution);
                const int province = areaProvince(area);
                QString place;
                QString zone;
                int town = institutionTown(institution);
                if (!isHospital(institution)) {
                    int z = int(m_random() % unsigned(kZones)) + 1;
                    while (zoneArea(z) != area)
                        z = z % kZones + 1;
                    zone = number(z, 2);
                    town = zoneTown(z);
                    place = QStringLiteral("Z.B.S. Zona Básica Nº %1 (Provincia %2)").arg(z).arg(province);
                } else {
                    place = QStringLiteral("Localidad %1 (Provincia %2)").arg(town).arg(province);
                }
                lines << code + fit(QStringLiteral("Plaza de ") + body.name, 50) +
                             fit(institutionName(institution), 50) + fit(place, 53) + number(institution, 2) +
                             locality7(province, town) + number(area, 2) + QStringLiteral("000000") +
                             fit(zone, 8);
                m_positions.push_back({code, b});
            }
        }
        return lines;
    }

    // Maps of every position to its body (some to a second body of the same group too) and to
    // its group, with codes found in no position file and codes mapped twice.
    void makeMaps(QStringList& bodyMap, QStringList& groupMap) {
        std::vector<std::pair<QString, QString>> byBody;
        std::vector<std::pair<QString, QString>> byGroup;
        for (const Position& p : m_positions) {
            const Body& body = m_bodies[p.body];
            byBody.emplace_back(p.code, body.code);
            byGroup.emplace_back(p.code, QString(body.group));
            if (m_random() % 10u == 0 && p.body + 1 < m_bodies.size() &&
                m_bodies[p.body + 1].group == body.group)
                byBody.emplace_back(p.code, m_bodies[p.body + 1].code);
        }
        for (int k = 0; k < 2 * m_scale; ++k) {
            const Position& p = m_positions[m_random() % m_positions.size()];
            byBody.emplace_back(p.code, m_bodies[p.body].code);
            byGroup.emplace_back(p.code, QString(m_bodies[p.body].group));
        }
        for (int k = 0; k < 4 * m_scale; ++k) {
            const QString withdrawn = u'W' + base36(k, 4);
            byBody.emplace_back(withdrawn, m_bodies[std::size_t(k) % m_bodies.size()].code);
            byGroup.emplace_back(withdrawn, QStringLiteral("A"));
        }
        std::stable_sort(byBody.begin(), byBody.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::stable_sort(byGroup.begin(), byGroup.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [code, body] : byBody)
            bodyMap << code + u' ' + body;
        for (const auto& [code, group] : byGroup)
            groupMap << code + group;
    }

    // About 85 % of the codes of one position file, with codes that match no position.
    QStringList codeList(const QStringList& positionLines, const QString& unknownPrefix, int unknown) {
        QStringList lines;
        for (const QString& line : positionLines) {
            if (m_random() % 100u < 85u)
                lines << line.left(5);
        }
        for (int k = 0; k < unknown * m_scale; ++k)
            lines << unknownPrefix + base36(k, 4);
        lines.sort();
        return lines;
    }

private:
    struct Body {
        QChar group;
        QString code;
        QString name;
    };
    struct Position {
        QString code;
        std::size_t body;
    };

    int m_scale;
    std::mt19937 m_random;
    std::vector<Body> m_bodies;
    std::vector<Position> m_positions;
};

Result<void> writeCatalogue(const QDir& data, const QString& name, const QStringList& lines) {
    const QString fileName = name + QStringLiteral(".enc");
    const Result<QByteArray> encoded = encodeCatalogue(lines.join(u'\n'), oemColumnsFor(fileName));
    if (!encoded)
        return std::unexpected(encoded.error());
    return writeFileAtomically(data.filePath(fileName), *encoded);
}

QByteArray confXml(int scale) {
    QByteArray xml = QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    xml += QStringLiteral("<Configuracion Nombre=\"Concurso sintético x%1\" numPlazasPorPag=\"40\">\n")
               .arg(scale)
               .toUtf8();
    const char* captions[] = {"Datos Personales", "Cursos", "Plazas Vacantes", "Plazas Resultas",
                              "Documentación"};
    for (int t = 0; t < 5; ++t) {
        xml += QStringLiteral(
                   "  <Tab><NombreTab>Tab%1</NombreTab><Visibilidad>S</Visibilidad><TituloTab>%2</TituloTab>"
                   "<TituloSobreGrid>%2</TituloSobreGrid></Tab>\n")
                   .arg(t)
                   .arg(QString::fromUtf8(captions[t]))
                   .toUtf8();
    }
    xml += "</Configuracion>\n";
    return xml;
}

} // namespace

Result<void> generateProgramFolder(const QString& folder, int scale) {
    if (scale < 1 || scale > kMaxGeneratorScale)
        return std::unexpected(makeError(
            errors::kInvalidProcedureCall,
            QStringLiteral("La escala debe ser un número entero de 1 a %1").arg(kMaxGeneratorScale)));
    const QDir program(folder);
    if (!program.mkpath(QStringLiteral("ficheros/temp")))
        return std::unexpected(
            makeError(errors::kPathNotFound,
                      QStringLiteral("No se puede crear la carpeta ") + QDir::toNativeSeparators(folder)));
    const QDir data(program.filePath(QStringLiteral("ficheros")));

    Generator g(scale);
    g.makeBodies();
    const QStringList vacancies = g.positions(true);
    const QStringList resultas = g.positions(false);
    QStringList bodyMap;
    QStringList groupMap;
    g.makeMaps(bodyMap, groupMap);
    const std::pair<const char*, QStringList> files[] = {
        {"F0001", g.provinces(false)},
        {"F0002", g.provinces(true)},
        {"F0003", g.localities()},
        {"F0004", g.bodies()},
        {"F0005", g.groups()},
        {"F0006", g.institutions()},
        {"F0007", groupMap},
        {"F0008", bodyMap},
        {"F0009", vacancies},
        {"F0010", resultas},
        {"F0011", g.codeList(vacancies, QStringLiteral("U"), 3)},
        {"F0012", g.codeList(resultas, QStringLiteral("T"), 2)},
        {"F0013", g.zones()},
        {"F0014", g.areas()},
        {"F0015", g.situations()},
        {"F0016", g.institutionLocalities()},
    };
    for (const auto& [name, lines] : files) {
        if (auto r = writeCatalogue(data, QString::fromLatin1(name), lines); !r)
            return r;
    }
    const QString notice =
        QStringLiteral("Programa de prueba generado a escala %1.\r\nLos datos son sintéticos.\r\n")
            .arg(scale);
    if (auto r = writeFileAtomically(data.filePath(QStringLiteral("FicheroTexto.txt")),
                                     codepage::toWindows1252(notice));
        !r)
        return r;
    return writeFileAtomically(program.filePath(QStringLiteral("conf.xml")), confXml(scale));
}

} // namespace velantor::catalogues
