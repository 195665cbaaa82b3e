#!/usr/bin/env python3
"""Builds the plain catalogue records of the sample program folder.

Writes data/catalogues/F0001.txt ... F0016.txt (UTF-8, one fixed-column record per line;
the build encodes them into ficheros/F00NN.enc with `velantor-cli catalogues encode`) and
data/ficheros/FicheroTexto.txt (Windows-1252, CR LF, as the program reads it).

The region is made of three real provinces of Castilla y León (León, Palencia, Zamora) with
their real municipalities; health areas, basic health zones and institutions are made up and
named after their towns. The professional categories come from source/categorias.csv. The
offered positions are drawn with a fixed seed, so every run writes the same files.

Usage: python3 data/tools/make_sample.py [--source DIR] [--out DIR]
"""

import argparse
import csv
import random
from pathlib import Path

HERE = Path(__file__).resolve().parent
REGION = ["24", "34", "49"]

# Health areas: code, name, province, head town (INE municipality code).
AREAS = [
    ("01", "Área de Salud de León", "24", "089"),
    ("02", "Área de Salud de Ponferrada", "24", "115"),
    ("03", "Área de Salud de Palencia", "34", "120"),
    ("04", "Área de Salud de Zamora", "49", "275"),
    ("05", "Área de Salud de Benavente", "49", "021"),
]

# Basic health zones per area, each named after its head town (INE municipality code);
# the big towns have several, numbered.
ZONES = {
    "01": ["089:León I", "089:León II", "089:León III", "089:León IV", "142", "222", "008", "010", "188",
           "139", "021", "134", "056", "130", "094", "157", "223"],
    "02": ["115:Ponferrada I", "115:Ponferrada II", "115:Ponferrada III", "014", "209", "030", "169", "202",
           "070", "122", "196"],
    "03": ["120:Palencia Centro", "120:Palencia Norte", "120:Palencia Sur", "004", "080", "056", "157",
           "047", "901", "123", "023", "022", "083", "225", "206"],
    "04": ["275:Zamora Norte", "275:Zamora Sur", "275:Zamora Centro", "219", "081", "023", "003", "054",
           "065", "127", "036"],
    "05": ["021:Benavente Norte", "021:Benavente Sur", "166", "250", "206", "033", "214", "121", "260"],
}

# Institutions: code, name, area, kind (H hospital, P primary care, U emergencies), town.
INSTITUTIONS = [
    ("01", "Complejo Asistencial Universitario de León", "01", "H", "089"),
    ("02", "Gerencia de Atención Primaria de León", "01", "P", None),
    ("03", "Hospital Santa Isabel de León", "01", "H", "089"),
    ("04", "Hospital El Bierzo de Ponferrada", "02", "H", "115"),
    ("05", "Hospital Valle de Laciana de Villablino", "02", "H", "202"),
    ("06", "Gerencia de Atención Primaria de Ponferrada", "02", "P", None),
    ("07", "Complejo Asistencial Universitario de Palencia", "03", "H", "120"),
    ("08", "Gerencia de Atención Primaria de Palencia", "03", "P", None),
    ("09", "Complejo Asistencial de Zamora", "04", "H", "275"),
    ("10", "Gerencia de Atención Primaria de Zamora", "04", "P", None),
    ("11", "Hospital de Benavente", "05", "H", "021"),
    ("12", "Gerencia de Atención Primaria de Benavente", "05", "P", None),
    ("13", "Gerencia de Emergencias Sanitarias de León", "01", "U", "089"),
    ("14", "Gerencia de Emergencias Sanitarias de Zamora", "04", "U", "275"),
]

SITUATIONS = [
    ("01", "0", "Servicio activo"),
    ("02", "0", "Servicios especiales"),
    ("03", "0", "Servicios bajo otro régimen jurídico"),
    ("04", "0", "Excedencia por prestar servicios en el sector público"),
    ("05", "0", "Excedencia voluntaria por interés particular"),
    ("06", "0", "Excedencia por cuidado de familiares"),
    ("07", "0", "Suspensión de funciones"),
    ("08", "1", "Otra"),
]

# The one body of group "X": kept in the catalogue, never offered on the form.
X_BODY = ("X", "00901", "Personal de Cupo y Zona (a extinguir)")

NOTICE = [
    "CONCURSO DE TRASLADOS DEL PERSONAL ESTATUTARIO - SERVICIO DE SALUD ONDEX",
    "Convocatoria 2025. Cumplimente todos los apartados, guarde la solicitud e imprímala.",
    "El plazo de presentación es de quince días hábiles desde la publicación de la convocatoria.",
]

PRIMARY_CARE = ("Atención Primaria", "Familiar y Comunitaria", "Higiene Bucodental")
EMERGENCIES = ("Emergencias",)
BOTH = ("Enfermero/a", "Técnico/a en Cuidados Auxiliares de Enfermería", "Celador/a", "Auxiliar Administrativo/a",
        "Fisioterapeuta", "Trabajador/a Social", "Matrona/Matrón (Enfermero/a Especialista Obstétrico-Ginecológico/a)")

# Vacancies per body, by name, and the default per group.
WEIGHTS = {
    "Enfermero/a": 140, "Técnico/a en Cuidados Auxiliares de Enfermería": 110, "Celador/a": 55,
    "Médico/a de Familia de Atención Primaria": 90, "Auxiliar Administrativo/a": 50, "Pediatra de Atención Primaria": 22,
    "Enfermero/a Especialista en Enfermería Familiar y Comunitaria": 30, "Limpiador/a": 20,
    "Técnico/a Superior en Laboratorio Clínico y Biomédico": 18, "Médico/a de Urgencia Hospitalaria": 16,
    "Técnico/a Superior en Imagen para el Diagnóstico y Medicina Nuclear": 16, "Fisioterapeuta": 16,
    "Matrona/Matrón (Enfermero/a Especialista Obstétrico-Ginecológico/a)": 14,
}
GROUP_WEIGHT = {"A": 9, "B": 6, "C": 6, "D": 8, "E": 6}


def read_csv(path):
    with open(path, newline="", encoding="utf-8") as f:
        return list(csv.DictReader(f))


def natural(name):
    """INE style "Bañeza, La" as a town is spoken: "La Bañeza"."""
    if ", " in name:
        base, article = name.rsplit(", ", 1)
        if article in ("La", "El", "Los", "Las", "A", "O"):
            return f"{article} {base}"
    return name


def fit(text, width):
    """Text left-aligned in `width` columns, cut when longer."""
    return text[:width].ljust(width)


def short_position_name(body):
    name = body
    for long, short in (("Facultativo/a Especialista de Área de ", "F.E.A. "), ("Técnico/a Superior en ", "T.S. "),
                        ("Técnico/a Especialista en ", "T.E. "),
                        ("Enfermero/a Especialista en Enfermería ", "Enfermero/a Esp. "),
                        (" de Atención Primaria", " de A.P.")):
        name = name.replace(long, short)
    if name.startswith("Matrona/Matrón"):
        name = "Matrona/Matrón"
    return name


def write_lines(path, lines):
    path.write_text("".join(line.rstrip(" ") + "\n" for line in lines), encoding="utf-8")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", type=Path, default=HERE / "source")
    parser.add_argument("--out", type=Path, default=HERE.parent)
    args = parser.parse_args()
    rng = random.Random(20250101)

    provinces = read_csv(args.source / "provincias.csv")
    province_name = {p["codigo"]: p["nombre"] for p in provinces}
    towns = {(m["cod_provincia"], m["cod_municipio"]): m["nombre"]
             for m in read_csv(args.source / "municipios.csv") if m["cod_provincia"] in REGION}
    categories = read_csv(args.source / "categorias.csv")

    out = args.out / "catalogues"
    out.mkdir(parents=True, exist_ok=True)
    files = {}

    # F0001 every province (a name over 20 characters is abbreviated), F0002 the region.
    def province_line(code, name):
        if len(name) > 20:
            name = name.replace("Santa Cruz", "S.C.")
        return code + fit(name, 20)
    files["F0001"] = [province_line(p["codigo"], p["nombre"]) for p in provinces]
    files["F0002"] = [province_line(code, province_name[code]) for code in REGION]

    # F0003 the municipalities of the region, in code order (the program sorts them by name).
    files["F0003"] = [prov + mun + fit(name, 60) for (prov, mun), name in sorted(towns.items())]

    # F0004 bodies, F0005 groups.
    bodies = []
    per_group = {}
    for c in categories:
        group = c["grupo_letra"]
        per_group[group] = per_group.get(group, 0) + 1
        code = f"00{'ABCDE'.index(group) + 1}{per_group[group]:02d}"
        bodies.append((group, code, c["nombre"]))
    bodies.append(X_BODY)
    files["F0004"] = [g + code + fit(name, 100) for g, code, name in bodies]
    files["F0005"] = ["A", "B", "C", "D", "E", "X"]

    area_province = {a[0]: a[2] for a in AREAS}

    # F0006 institutions: area code in columns 53-60, province in 61-62.
    files["F0006"] = [code + fit(name, 50) + fit(area, 8) + area_province[area]
                      for code, name, area, _, _ in INSTITUTIONS]

    # F0013 zones with region-wide two-digit codes, F0014 areas readable by both readings.
    zones = []  # (code, area, name, town)
    for area, entries in ZONES.items():
        prov = area_province[area]
        for entry in entries:
            town, _, name = entry.partition(":")
            zones.append((f"{len(zones) + 1:02d}", area, name or natural(towns[(prov, town)]), town))
    files["F0013"] = [area + code + fit(name, 50) for code, area, name, _ in zones]
    files["F0014"] = [code + prov + " " * 4 + fit(name, 50) + prov for code, name, prov, _ in AREAS]
    files["F0015"] = [code + flag + fit(name, 60) for code, flag, name in SITUATIONS]

    # F0016 institution -> 7-character locality codes (province, municipality, "00").
    def locality7(prov, town):
        return prov + town + "00"
    inst_towns = []
    for code, _, area, kind, town in INSTITUTIONS:
        prov = area_province[area]
        served = [town] if town else sorted({z[3] for z in zones if z[1] == area})
        inst_towns += [code + locality7(prov, t) for t in served]
    files["F0016"] = inst_towns

    # Offered positions: vacancies (F0009) and "Resultas" (F0010).
    def kind_of(body):
        name = body[2]
        if any(k in name for k in EMERGENCIES):
            return "U"
        if any(k in name for k in PRIMARY_CARE):
            return "P"
        if name in BOTH:
            return "HP"
        return "H"

    def positions(first_code, share):
        rows = []
        code = first_code
        for body in bodies[:-1]:
            count = max(1, round(WEIGHTS.get(body[2], GROUP_WEIGHT[body[0]]) * share))
            for _ in range(count):
                kind = rng.choice(kind_of(body))
                inst = rng.choice([i for i in INSTITUTIONS if i[3] == kind])
                area = inst[2]
                prov = area_province[area]
                zone = ""
                if kind == "P":
                    zcode, _, zname, town = rng.choice([z for z in zones if z[1] == area])
                    place = f"Z.B.S. {zname} ({province_name[prov]})"
                    zone = zcode
                else:
                    town = inst[4]
                    place = f"{natural(towns[(prov, town)])} ({province_name[prov]})"
                code += rng.randint(1, 3)
                rows.append((f"{code:05d}", body, inst, place, locality7(prov, town), area + "000000", zone))
        rows.sort(key=lambda r: r[0])
        return rows

    def position_line(p):
        code, body, inst, place, loc, area, zone = p
        return (code + fit(short_position_name(body[2]), 50) + fit(inst[1], 50) + fit(place, 53) + inst[0] + loc +
                area + fit(zone, 8))

    vacancies = positions(10000, 1.0)
    resultas = positions(60000, 0.75)
    files["F0009"] = [position_line(p) for p in vacancies]
    files["F0010"] = [position_line(p) for p in resultas]

    # Maps: every position to its body and group. Primary-care nurse positions are open to the
    # family and community nurses too; a few withdrawn codes (in no position file) and two
    # codes listed twice show how the program treats them.
    family_nurse = next(b for b in bodies if "Familiar y Comunitaria" in b[2])
    body_map, group_map = [], []
    for code, body, inst, *_ in vacancies + resultas:
        body_map.append((code, body[1]))
        group_map.append((code, body[0]))
        if body[2] == "Enfermero/a" and inst[3] == "P":
            body_map.append((code, family_nurse[1]))
    withdrawn = ["09990", "09991", "59990", "59995"]
    for code in withdrawn:
        body_map.append((code, bodies[0][1]))
        group_map.append((code, "A"))
    twice = [vacancies[0], resultas[0]]
    body_map += [(p[0], p[1][1]) for p in twice]
    group_map += [(p[0], p[1][0]) for p in twice]
    body_map.sort(key=lambda r: r[0])
    group_map.sort(key=lambda r: r[0])
    files["F0007"] = [code + group for code, group in group_map]
    files["F0008"] = [code + " " + fit(body, 6) for code, body in body_map]

    # Code lists: most offered codes, plus a few that are in no position file.
    def code_list(rows, unknown):
        listed = [r[0] for r in rows if rng.random() < 0.85] + unknown
        return sorted(listed)
    files["F0011"] = code_list(vacancies, ["09992", "09993", "09994"])
    files["F0012"] = code_list(resultas, ["59996", "59997"])

    for name, lines in files.items():
        write_lines(out / f"{name}.txt", lines)

    notice = args.out / "ficheros" / "FicheroTexto.txt"
    notice.parent.mkdir(parents=True, exist_ok=True)
    notice.write_bytes("".join(line + "\r\n" for line in NOTICE).encode("cp1252"))

    print(f"{len(vacancies)} vacantes, {len(resultas)} resultas, {len(bodies)} categorías, {len(zones)} zonas, "
          f"{len(towns)} localidades")


if __name__ == "__main__":
    main()
