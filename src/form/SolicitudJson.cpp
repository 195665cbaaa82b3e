#include "form/SolicitudJson.h"

#include <algorithm>
#include <cmath>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

namespace velantor {
namespace {

const QString kControls = QStringLiteral("controls");

struct ListSlot {
    QString key;
    TablePtr SolicitudDatos::*table;
};

const QList<ListSlot>& listSlots() {
    static const QList<ListSlot> lists{
        {QStringLiteral("Vacantes"), &SolicitudDatos::vacantes},
        {QStringLiteral("Resultas"), &SolicitudDatos::resultas},
        {QStringLiteral("Cursos"), &SolicitudDatos::cursos},
        {QStringLiteral("Documentos"), &SolicitudDatos::documentos},
    };
    return lists;
}

const FormControl* findDataControl(const QString& name) {
    if (const FormControl* control = findFormControl(name))
        return control;
    for (const FormControl& control : untaggedDataControls())
        if (control.name == name)
            return &control;
    return nullptr;
}

QList<const FormControl*> dataControls() {
    QList<const FormControl*> all;
    for (const FormControl& control : formControls())
        all.append(&control);
    for (const FormControl& control : untaggedDataControls())
        all.append(&control);
    return all;
}

std::unexpected<Error> fail(const QString& description) {
    return std::unexpected(makeError(errors::kBadSolicitudJson, description));
}

// Every row of the table in its stored order, whatever filter or sort it shows.
TablePtr allRows(const Table& table) {
    TablePtr all = table.clone();
    all->clearFilter();
    all->sort(QString());
    return all;
}

QJsonArray tableToJson(const Table& table) {
    const TablePtr all = allRows(table);
    QJsonArray rows;
    for (int row = 0; row < all->rowCount(); ++row) {
        QJsonObject object;
        for (int field = 0; field < all->fieldCount(); ++field) {
            const FieldDef& def = all->field(field);
            if (def.type == FieldType::Integer)
                object.insert(def.name, QJsonValue(all->numberAt(row, field)));
            else
                object.insert(def.name, all->textAt(row, field));
        }
        rows.append(object);
    }
    return rows;
}

QString fieldNames(const Table& table) {
    QStringList names;
    for (int field = 0; field < table.fieldCount(); ++field)
        names.append(table.field(field).name);
    return names.join(QStringLiteral(", "));
}

int exactField(const Table& table, const QString& name) {
    const int index = table.fieldIndex(name);
    return index >= 0 && table.field(index).name == name ? index : -1;
}

Result<void> tableFromJson(const QJsonValue& value, const QString& key, Table& table) {
    if (!value.isArray())
        return fail(QStringLiteral("«%1» debe ser una lista de filas entre corchetes").arg(key));
    const QJsonArray rows = value.toArray();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QString where = QStringLiteral("la fila %1 de «%2»").arg(i + 1).arg(key);
        if (!rows[i].isObject())
            return fail(QStringLiteral("%1 debe ser un objeto con los campos de la tabla").arg(where));
        const QJsonObject object = rows[i].toObject();
        table.addRow();
        for (auto it = object.begin(); it != object.end(); ++it) {
            const int field = exactField(table, it.key());
            if (field < 0)
                return fail(QStringLiteral("Campo desconocido «%1» en %2; los campos son: %3")
                                .arg(it.key(), where, fieldNames(table)));
            const FieldDef& def = table.field(field);
            const QJsonValue cell = it.value();
            if (def.type == FieldType::Integer) {
                const double number = cell.toDouble();
                if (!cell.isDouble() || std::trunc(number) != number || std::abs(number) >= 9.2e18)
                    return fail(
                        QStringLiteral("El campo «%1» de %2 debe ser un número entero").arg(def.name, where));
                table.setNumber(field, cell.toInteger(qint64(number)));
            } else {
                if (!cell.isString())
                    return fail(QStringLiteral("El campo «%1» de %2 debe ser un texto entre comillas")
                                    .arg(def.name, where));
                const QString text = cell.toString();
                if (text.size() > def.maxLength)
                    return fail(
                        QStringLiteral("El campo «%1» de %2 admite como máximo %3 caracteres y tiene %4")
                            .arg(def.name, where)
                            .arg(def.maxLength)
                            .arg(text.size()));
                table.setText(field, text);
            }
        }
    }
    return {};
}

Result<void> controlsFromJson(const QJsonValue& value, SolicitudDatos& datos) {
    if (!value.isObject())
        return fail(
            QStringLiteral("«controls» debe ser un objeto con los valores de los controles por nombre"));
    const QJsonObject controls = value.toObject();
    for (auto it = controls.begin(); it != controls.end(); ++it) {
        const FormControl* control = findDataControl(it.key());
        if (!control)
            return fail(QStringLiteral("Control desconocido «%1» en «controls»").arg(it.key()));
        if (control->kind == ControlKind::Option) {
            if (!it.value().isBool())
                return fail(QStringLiteral("El control «%1» es una opción: su valor debe ser true o false")
                                .arg(control->name));
            datos.setOption(control->name, it.value().toBool());
        } else {
            if (!it.value().isString())
                return fail(QStringLiteral("El valor del control «%1» debe ser un texto entre comillas")
                                .arg(control->name));
            datos.setText(control->name, it.value().toString());
        }
    }
    return {};
}

void copyRows(const Table& from, Table& to) {
    to.deleteAll();
    const TablePtr all = allRows(from);
    for (int row = 0; row < all->rowCount(); ++row) {
        to.addRow();
        for (int field = 0; field < all->fieldCount(); ++field) {
            if (all->field(field).type == FieldType::Integer)
                to.setNumber(field, all->numberAt(row, field));
            else
                to.setText(field, all->textAt(row, field));
        }
    }
    if (to.rowCount() > 0)
        to.moveFirst();
}

QString positionOf(const QByteArray& json, int offset) {
    const QByteArray before = json.left(offset);
    const int line = int(before.count('\n')) + 1;
    const int column = int(before.size() - before.lastIndexOf('\n'));
    return QStringLiteral("línea %1, columna %2").arg(line).arg(column);
}

} // namespace

QByteArray solicitudToJson(const SolicitudDatos& datos) {
    QJsonObject controls;
    for (const FormControl* control : dataControls()) {
        if (control->kind == ControlKind::Option)
            controls.insert(control->name, datos.option(control->name));
        else
            controls.insert(control->name, datos.text(control->name));
    }
    QJsonObject root;
    root.insert(kControls, controls);
    for (const ListSlot& slot : listSlots())
        root.insert(slot.key, tableToJson(*(datos.*slot.table)));
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

Result<void> solicitudFromJson(const QByteArray& json, SolicitudDatos& datos) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        return fail(QStringLiteral("La solicitud no es un texto JSON válido (%1)")
                        .arg(positionOf(json, error.offset)));
    if (!document.isObject())
        return fail(QStringLiteral("La solicitud en JSON debe ser un objeto entre llaves"));
    const QJsonObject root = document.object();

    // Everything is read into a fresh object first, so a failure leaves `datos` untouched.
    SolicitudDatos read;
    for (auto it = root.begin(); it != root.end(); ++it) {
        if (it.key() == kControls) {
            if (auto done = controlsFromJson(it.value(), read); !done)
                return done;
            continue;
        }
        const auto slot = std::find_if(listSlots().begin(), listSlots().end(),
                                       [&](const ListSlot& s) { return s.key == it.key(); });
        if (slot == listSlots().end())
            return fail(
                QStringLiteral("Clave desconocida «%1» en la solicitud; se admiten controls, Vacantes, "
                               "Resultas, Cursos y Documentos")
                    .arg(it.key()));
        if (auto done = tableFromJson(it.value(), slot->key, *(read.*slot->table)); !done)
            return done;
    }

    for (const FormControl* control : dataControls()) {
        if (control->kind == ControlKind::Option)
            datos.setOption(control->name, read.option(control->name));
        else
            datos.setText(control->name, read.text(control->name));
    }
    datos.bodyGroup.clear();
    datos.situationName.clear();
    datos.situationEsOtras.clear();
    for (const ListSlot& slot : listSlots())
        copyRows(*(read.*slot.table), *(datos.*slot.table));
    return {};
}

namespace errors {
QString description(Json status) {
    switch (status) {
    case kBadSolicitudJson:
        return QStringLiteral("Solicitud en JSON no válida");
    }
    return {};
}
} // namespace errors

} // namespace velantor
