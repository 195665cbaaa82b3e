#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "form/FormView.h"
#include "widgets/DataCombo.h"

using namespace velantor;
using namespace velantor::testing;

namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

void click(frmSolicitudes& w, const char* option) {
    auto* button = w.controlAs<QRadioButton>(QString::fromLatin1(option));
    ASSERT_NE(button, nullptr) << option;
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

} // namespace

TEST(FormOptions, DisabilityShowsItsFieldsAndNoEmptiesThem) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    FormView& v = w.view();
    EXPECT_FALSE(v.isVisible(u"txtTipoDisc"));
    click(w, "optDiscSi");
    EXPECT_TRUE(v.isChecked(u"optDiscSi"));
    for (const char* name : {"lblTipoDis", "txtTipoDisc", "lblAdap", "txtAdaptaciones"})
        EXPECT_TRUE(v.isVisible(QString::fromLatin1(name))) << name;
    v.setText(u"txtTipoDisc", u8("Motora"));
    v.setText(u"txtAdaptaciones", u8("Rampa"));
    click(w, "optDiscNo");
    EXPECT_FALSE(v.isChecked(u"optDiscSi"));
    EXPECT_FALSE(v.isVisible(u"txtTipoDisc"));
    EXPECT_FALSE(v.isVisible(u"lblAdap"));
    EXPECT_EQ(v.text(u"txtTipoDisc"), QString());
    EXPECT_EQ(v.text(u"txtAdaptaciones"), QString());
}

TEST(FormOptions, ForzosoSetsTheSpouseConditionToNoAndHidesBothFrames) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    FormView& v = w.view();
    click(w, "optPetConyugeSi");
    EXPECT_TRUE(v.isVisible(u"fraDNIConyuge"));
    v.setText(u"txtDNIConyuge", u8("12345678Z"));
    v.setText(u"txtConyuNombre", u8("Ana"));
    click(w, "optForzoso");
    EXPECT_TRUE(v.isChecked(u"optPetConyugeNo"));
    EXPECT_FALSE(v.isVisible(u"fraDNIConyuge"));
    EXPECT_FALSE(v.isVisible(u"fraAcopPetConyu"));
    EXPECT_EQ(v.text(u"txtDNIConyuge"), QString());
    EXPECT_EQ(v.text(u"txtConyuNombre"), QString());
    click(w, "optVoluntario");
    EXPECT_FALSE(v.isVisible(u"fraAcopPetConyu")) << "Voluntario does not show them again";
}

TEST(FormOptions, ActivoAfterOtrasEmptiesTheSituationAndAnswersNoToReentry) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    FormView& v = w.view();
    click(w, "optOtras");
    EXPECT_TRUE(v.isVisible(u"cboSituaciones"));
    EXPECT_TRUE(v.isVisible(u"txtFechaSit"));
    EXPECT_TRUE(v.isEnabled(u"fraReingreso"));
    // Choosing an "esOtras" situation shows the free text for it.
    w.combo(u"cboSituaciones")->chooseRow(1);
    EXPECT_TRUE(v.isVisible(u"txtSitAdm"));
    v.setText(u"txtSitAdm", u8("Servicios especiales"));
    v.setText(u"txtFechaSit", u8("01/02/2020"));
    click(w, "optReingesoSi");

    click(w, "optActivo");
    EXPECT_FALSE(v.isEnabled(u"fraReingreso"));
    EXPECT_TRUE(v.isChecked(u"optReingresoNo"));
    EXPECT_FALSE(v.isChecked(u"optReingesoSi"));
    EXPECT_FALSE(v.isVisible(u"cboSituaciones"));
    EXPECT_EQ(v.text(u"cboSituaciones"), QString());
    EXPECT_EQ(v.text(u"txtFechaSit"), QString());
    EXPECT_EQ(v.text(u"txtSitAdm"), QString());
}

TEST(FormOptions, RulesAlsoRunWhenTheProgramSelectsAnOption) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    FormView& v = w.view();
    v.setChecked(u"OptSi", true);
    for (const char* name : {"Frame7", "Frame3", "fraDefTemp", "txtFecPosesion", "lblPosesion"})
        EXPECT_TRUE(v.isVisible(QString::fromLatin1(name))) << name;
    v.setText(u"txtPuesto", u8("Centro de salud"));
    v.setChecked(u"OptNo", true);
    EXPECT_FALSE(v.isVisible(u"Frame3"));
    EXPECT_EQ(v.text(u"txtPuesto"), QString());
    v.setChecked(u"OptNo", false);
    EXPECT_FALSE(v.isChecked(u"OptNo")) << "the view can empty a pair";
}

TEST(FormFieldChecks, BirthDateOutOfRangeIsReportedAndTheFocusReturns) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    f.typeAndLeave("txtFecNacimiento", u8("31/12/1899"));
    ASSERT_EQ(f.messages.messages().size(), 1u);
    EXPECT_EQ(f.messages.last().text, u8("Fecha Errónea"));
    EXPECT_EQ(f.messages.last().title, u8("Formato de Fecha erróneo"));
    EXPECT_EQ(f.messages.last().icon, MessageIcon::Exclamation);
    EXPECT_TRUE(w.lineEdit(u"txtFecNacimiento")->hasFocus());
    EXPECT_EQ(w.lineEdit(u"txtFecNacimiento")->text(), u8("31/12/1899"));
}

TEST(FormFieldChecks, DatesAreRewrittenAndLettersGetThePlainMessage) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    f.typeAndLeave("txtFechaIngreso", u8("1-2-1980"));
    EXPECT_TRUE(f.messages.empty());
    EXPECT_EQ(w.lineEdit(u"txtFechaIngreso")->text(), u8("01/02/1980"));

    f.typeAndLeave("txtFecNacimiento", u8("abc"));
    ASSERT_EQ(f.messages.messages().size(), 1u);
    EXPECT_EQ(f.messages.last().text, u8("Fecha Errónea"));
    EXPECT_EQ(f.messages.last().title, QString());
    EXPECT_EQ(f.messages.last().icon, MessageIcon::None);
}

TEST(FormFieldChecks, CourseYearAndHoursAreEmptiedWithTheirMessages) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    f.fillIdentity();
    w.tabs()->setCurrentIndex(1);
    f.settle();
    f.typeAndLeave("txtAno", u8("1949"));
    ASSERT_EQ(f.messages.messages().size(), 1u);
    EXPECT_EQ(f.messages.last().text, u8("El año introducido es erróneo"));
    EXPECT_EQ(f.messages.last().title, u8("Datos erróneos"));
    EXPECT_EQ(w.lineEdit(u"txtAno")->text(), QString());
    EXPECT_TRUE(w.lineEdit(u"txtAno")->hasFocus());

    f.typeAndLeave("txtHoras", u8("0,5"));
    ASSERT_EQ(f.messages.messages().size(), 2u);
    EXPECT_EQ(f.messages.last().text, u8("El número de horas debe ser mayor de 0"));
    EXPECT_EQ(f.messages.last().title, u8("Datos Erróneos"));
    EXPECT_EQ(w.lineEdit(u"txtHoras")->text(), QString());
}

TEST(FormFieldChecks, InvalidIdentityNumberIsClearedAndDisablesTheCommands) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    f.typeAndLeave("txtDNI", u8("1234567Y"));
    ASSERT_EQ(f.messages.messages().size(), 1u);
    EXPECT_EQ(f.messages.last().text, u8("DNI no válido"));
    EXPECT_EQ(f.messages.last().title, u8("Error en DNI"));
    EXPECT_EQ(w.lineEdit(u"txtDNI")->text(), QString());
    EXPECT_TRUE(w.lineEdit(u"txtDNI")->hasFocus());
    EXPECT_FALSE(w.menuItem(2000)->isEnabled());

    // A valid number with body and group chosen enables print and save.
    w.combo(u"cboCuerpo")->setText(QStringLiteral("00101"));
    w.combo(u"cboGrupo")->setText(QStringLiteral("A"));
    f.typeAndLeave("txtDNI", u8("12345678z"));
    EXPECT_EQ(f.messages.messages().size(), 1u);
    EXPECT_EQ(w.lineEdit(u"txtDNI")->text(), u8("12345678Z"));
    EXPECT_TRUE(w.menuItem(1000)->isEnabled());
    EXPECT_TRUE(w.menuItem(2000)->isEnabled());
}

TEST(FormFieldChecks, SpouseNumberIsCheckedOnlyWhenTypedAndKeepsItsText) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    click(w, "optPetConyugeSi");
    f.typeAndLeave("txtDNIConyuge", QString());
    EXPECT_TRUE(f.messages.empty());
    f.typeAndLeave("txtDNIConyuge", u8("1234567Y"));
    ASSERT_EQ(f.messages.messages().size(), 1u);
    EXPECT_EQ(f.messages.last().text, u8("DNI no válido"));
    EXPECT_EQ(w.lineEdit(u"txtDNIConyuge")->text(), u8("01234567Y"));
    EXPECT_TRUE(w.lineEdit(u"txtDNIConyuge")->hasFocus());
}

TEST(FormKeys, NumericFieldsFilterKeysAndEnterMovesTheFocus) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    QLineEdit* phone = w.lineEdit(u"txtTelefono");
    phone->setFocus();
    f.settle();
    QTest::keyClicks(phone, u8("12.5,6ab"));
    EXPECT_EQ(phone->text(), u8("12,56"));
    QTest::keyClicks(phone, u8("n"));
    EXPECT_EQ(phone->text(), u8("12,56")) << "a second comma is refused";
    QTest::keyClick(phone, Qt::Key_Return);
    f.settle();
    EXPECT_FALSE(phone->hasFocus());
    EXPECT_EQ(phone->text(), u8("12,56"));

    QLineEdit* dni = w.lineEdit(u"txtDNI");
    dni->setFocus();
    f.settle();
    QTest::keyClicks(dni, u8("1.2-3,45678Z"));
    f.settle();
    EXPECT_EQ(dni->text(), u8("12345678Z"));
    EXPECT_FALSE(dni->hasFocus()) << "nine characters move the focus on";
}

TEST(FormKeys, SelectAllOnFocusForTheListedFields) {
    FormFixture f;
    frmSolicitudes& w = f.form();
    QLineEdit* name = w.lineEdit(u"txtNombre");
    name->setText(u8("María"));
    name->setCursorPosition(2);
    QTest::mouseClick(name, Qt::LeftButton, {}, QPoint(4, name->height() / 2));
    f.settle();
    EXPECT_EQ(name->selectedText(), u8("María"));
}
