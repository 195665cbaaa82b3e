#include <gtest/gtest.h>

#include "catalogues/ApplicationTables.h"
#include "form/CompletenessChecks.h"
#include "platform/MessageService.h"
#include "support/FakeFormView.h"

using namespace velantor;
using velantor::test::FakeFormView;

namespace {

class Checks : public ::testing::Test {
protected:
    void SetUp() override {
        view.setComboRows(QStringLiteral("cboCuerpo"),
                          {{QStringLiteral("A1001"), QStringLiteral("Enfermería"), QStringLiteral("A2")}});
        view.setComboRows(QStringLiteral("cboGrupo"), {{QStringLiteral("A2")}});
    }
    void fillIdentity() {
        view.setText(u"txtDNI", QStringLiteral("12345678Z"));
        view.setText(u"cboCuerpo", QStringLiteral("A1001"));
        view.setText(u"cboGrupo", QStringLiteral("A2"));
    }
    void fillPersonal() {
        view.setText(u"txtNombre", QStringLiteral("Ana"));
        view.setText(u"txtApellido1", QStringLiteral("Pérez"));
        view.setText(u"txtFecNacimiento", QStringLiteral("01/02/1980"));
    }
    bool complete() { return ComprobarSolicitudCompleta(view, *vacantes, *resultas, messages); }
    void expectOnly(const char16_t* text, const char16_t* title) {
        ASSERT_EQ(messages.messages().size(), 1u);
        EXPECT_EQ(messages.last().text, text);
        EXPECT_EQ(messages.last().title, title);
        EXPECT_EQ(messages.last().icon, MessageIcon::Exclamation);
        messages.clear();
    }

    FakeFormView view;
    RecordingMessageService messages;
    TablePtr vacantes = createPositionListTable(QStringLiteral("Vacantes"));
    TablePtr resultas = createPositionListTable(QStringLiteral("Resultas"));
};

} // namespace

TEST_F(Checks, SavingNeedsIdentityBodyAndGroupInThatOrder) {
    // Everything missing: only the identity number is reported.
    view.setChecked(u"optPetConyugeSi", true);
    EXPECT_FALSE(ComprobarDatosGrabar(view, messages));
    expectOnly(u"Es necesario rellenar el DNI para grabar los datos o imprimir el informe",
               u"Datos no válidos");

    view.setText(u"txtDNI", QStringLiteral("12345678Z"));
    view.setText(u"cboCuerpo", QStringLiteral("Enfermería")); // typed by hand, not an entry of the list
    EXPECT_FALSE(ComprobarDatosGrabar(view, messages));
    expectOnly(u"Es necesario seleccionar un cuerpo o escala para grabar los datos o imprimir el informe",
               u"Datos no válidos");

    view.setText(u"cboCuerpo", QStringLiteral("A1001"));
    EXPECT_FALSE(ComprobarDatosGrabar(view, messages));
    expectOnly(u"Es necesario seleccionar un grupo para grabar los datos o imprimir el informe",
               u"Datos no válidos");

    view.setText(u"cboGrupo", QStringLiteral("A2"));
    EXPECT_FALSE(ComprobarDatosGrabar(view, messages));
    expectOnly(u"El DNI de su cónyuge no es válido", u"Datos no válidos");

    view.setText(u"txtDNIConyuge", QStringLiteral("00000000T"));
    EXPECT_TRUE(ComprobarDatosGrabar(view, messages));
    EXPECT_TRUE(messages.empty());
}

TEST_F(Checks, SpouseNumberOnlyCountsWhenTheConditionIsOn) {
    fillIdentity();
    view.setChecked(u"optPetConyugeNo", true);
    EXPECT_TRUE(ComprobarDatosGrabar(view, messages));
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(view.text(u"txtDNIConyuge").isEmpty());
}

TEST_F(Checks, CompletenessReportsTheFirstMissingItem) {
    fillIdentity();
    EXPECT_FALSE(complete()); // name and positions missing: only the name is reported
    expectOnly(u"El campo Nombre es obligatorio", u"Validación");
    view.setText(u"txtNombre", QStringLiteral("Ana"));
    EXPECT_FALSE(complete());
    expectOnly(u"El campo Primer Apellido es obligatorio", u"Validación");
    view.setText(u"txtApellido1", QStringLiteral("Pérez"));
    EXPECT_FALSE(complete());
    expectOnly(u"El campo Fecha de nacimiento es obligatorio", u"Validación");
    view.setText(u"txtFecNacimiento", QStringLiteral("01/02/1980"));
    EXPECT_FALSE(complete());
    expectOnly(u"No hay ninguna plaza seleccionada", u"Validación");
}

TEST_F(Checks, OneRequestedPositionOfEitherListIsEnough) {
    fillPersonal();
    resultas->addRow();
    EXPECT_TRUE(complete());
    EXPECT_TRUE(messages.empty());

    resultas->deleteAll();
    vacantes->addRow();
    vacantes->setText(u"CodConvocatoria", QStringLiteral("12345"));
    // A filter that hides the row does not make the list empty.
    vacantes->setFilter(QStringLiteral("CodConvocatoria='99999'"));
    EXPECT_TRUE(complete());
}

TEST_F(Checks, TabGuardWantsIdentityBodyAndGroupText) {
    EXPECT_TRUE(tabGuardAllows(view, messages, 0));
    EXPECT_TRUE(messages.empty());

    view.setText(u"txtDNI", QStringLiteral("12345678Z"));
    view.setText(u"cboCuerpo", QStringLiteral("A1001"));
    EXPECT_FALSE(tabGuardAllows(view, messages, 1));
    expectOnly(u"Compruebe que ha rellenado los datos del formulario", u"Datos incompletos");

    // The guard looks at the texts only: a body typed by hand lets the user through.
    view.setText(u"cboCuerpo", QStringLiteral("Enfermería"));
    view.setText(u"cboGrupo", QStringLiteral("A2"));
    for (int tab = 1; tab <= 4; ++tab)
        EXPECT_TRUE(tabGuardAllows(view, messages, tab));
    EXPECT_TRUE(messages.empty());
}
