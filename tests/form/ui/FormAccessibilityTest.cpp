#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QSet>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "widgets/DataCombo.h"
#include "widgets/DataGrid.h"

using namespace velantor;
using namespace velantor::testing;

namespace {

struct Unnamed {
    QString path;
    QString objectName;
};

// Every focusable node of the accessible tree must have a name a screen reader can say.
void walk(QAccessibleInterface* node, const QString& path, QList<Unnamed>& unnamed, int& focusable,
          QSet<QObject*>& seen) {
    if (!node || !node->isValid())
        return;
    QObject* object = node->object();
    if (object) {
        if (seen.contains(object))
            return;
        seen.insert(object);
    }
    const QString here = path + QLatin1Char('/') + (object ? object->objectName() : QString());
    const QAccessible::State state = node->state();
    if (state.focusable && !state.invisible) {
        ++focusable;
        if (node->text(QAccessible::Name).trimmed().isEmpty())
            unnamed.append({here, object ? object->objectName() : QString()});
    }
    for (int i = 0; i < node->childCount(); ++i)
        walk(node->child(i), here, unnamed, focusable, seen);
}

} // namespace

TEST(FormAccessibility, EveryFocusableControlOfEveryTabHasAName) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    f.fillIdentity();
    // Show every hidden-by-rule field so that it is checked too.
    w.view().setChecked(u"optDiscSi", true);
    w.view().setChecked(u"optPetConyugeSi", true);
    w.view().setChecked(u"optOtras", true);
    w.view().setChecked(u"OptSi", true);
    w.view().setChecked(u"optSSOtros", true);
    w.view().setChecked(u"optDefinitivo", true);
    int total = 0;
    for (int tab = 0; tab < w.tabs()->count(); ++tab) {
        w.tabs()->setCurrentIndex(tab);
        f.settle();
        QList<Unnamed> unnamed;
        int focusable = 0;
        QSet<QObject*> seen;
        walk(QAccessible::queryAccessibleInterface(&w), QString(), unnamed, focusable, seen);
        for (const Unnamed& node : unnamed)
            ADD_FAILURE() << "tab " << tab
                          << ": focusable control without a name: " << node.path.toStdString();
        EXPECT_GT(focusable, 5) << "tab " << tab;
        total += focusable;
    }
    EXPECT_GT(total, 80);
}

TEST(FormAccessibility, DropDownListsAnnounceTheirLabelNotTheirText) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    DataCombo* body = w.combo(u"cboCuerpo");
    body->setText(QStringLiteral("00101"));
    QAccessibleInterface* edit = QAccessible::queryAccessibleInterface(body->lineEdit());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(QAccessible::Name), QString::fromUtf8("Categoría o cuerpo"));
    EXPECT_EQ(edit->text(QAccessible::Value), QStringLiteral("00101"));
    EXPECT_TRUE(edit->text(QAccessible::Description).contains(QString::fromUtf8("Lista desplegable")));
}

TEST(FormAccessibility, GridsExposeTheirColumnHeaders) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    f.fillIdentity();
    w.tabs()->setCurrentIndex(1);
    f.settle();
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(w.grid(u"grdCursos"));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->text(QAccessible::Name), QString::fromUtf8("Cursos de Formación de Funcionarios"));
    QAccessibleTableInterface* table = grid->tableInterface();
    ASSERT_NE(table, nullptr);
    QStringList headers;
    for (int column = 0; column < table->columnCount(); ++column)
        headers << table->columnDescription(column);
    EXPECT_TRUE(headers.contains(QString::fromUtf8("Curso")));
    EXPECT_TRUE(headers.contains(QString::fromUtf8("Año")));
    EXPECT_TRUE(headers.contains(QString::fromUtf8("Centro")));
}

TEST(FormAccessibility, KeyboardAloneWalksTheFirstTabInReadingOrder) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    w.lineEdit(u"txtDNI")->setText(QStringLiteral("12345678Z")); // an empty number would hold the focus
    QLineEdit* first = w.lineEdit(u"txtApellido1");
    first->setFocus(Qt::TabFocusReason);
    f.settle();
    QStringList visited;
    for (int i = 0; i < 6; ++i) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        visited << focus->objectName();
        QTest::keyClick(focus, Qt::Key_Tab);
        f.settle();
    }
    EXPECT_EQ(visited, (QStringList{QStringLiteral("txtApellido1"), QStringLiteral("txtApellido2"),
                                    QStringLiteral("txtNombre"), QStringLiteral("txtDNI"),
                                    QStringLiteral("txtFecNacimiento"), QStringLiteral("txtTelefono")}));
}
