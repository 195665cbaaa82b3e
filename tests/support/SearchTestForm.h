#pragma once

#include <initializer_list>

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include "catalogues/Catalogues.h"
#include "catalogues/ListBindings.h"
#include "form/search/PositionSearch.h"
#include "form/HeadlessForm.h"
#include "form/RequestedPositionList.h"
#include "platform/MessageService.h"

namespace velantor::test {

// A small hand-made region for the position search:
//   provinces 24 León (areas 01, 02), 34 Palencia (area 03), 09 Burgos (no area);
//   zones 01, 02 (area 01), 03 (area 02), 04 (area 03);
//   localities 24-089 León, 24-115 Ponferrada, 24-202 Villablino, 34-120 Palencia;
//   institutions 01 (area 01, serves León), 04 (area 02, Ponferrada), 05 (area 02,
//   Villablino and Ponferrada), 07 (area 03, Palencia);
//   bodies 00101 (group A), 00301 (group C), X0501 (group D, the group is the user's
//   choice), 00901 (group X, never offered), 00777 (group B, no position tables).
// Body 00101 offers the vacancies 10001..10006 (area 01: 10001, 10002 in zone 01; area 02:
// 10003, 10004, 10006 in zone 03; area 03: 10005 in zone 04) and the "Resultas" 60003,
// 60001, 60002 and 10001 in that order; the other bodies offer 20001 and 60009.
catalogues::Catalogues makeSearchCatalogue();

// The form's search and requested lists over the hand-made catalogue, without a window.
struct SearchTestForm {
    SearchTestForm();

    // Picks a body in cboCuerpo (and, for a body whose group is the user's, a group): the
    // refusal of the last choice when it was refused.
    catalogues::BodyResult chooseBody(const QString& body, const QString& group = {});
    // Types a value into a list as the user would before choosing it.
    void type(const QString& control, const QString& text) { form.setText(control, text); }
    // The visible position codes of a tab, in table order.
    QStringList visibleCodes(catalogues::SearchTab tab) const;
    // The codes a list offers now (first column of its table's visible rows).
    QStringList offered(const QString& list) const;

    catalogues::Catalogues catalogue;
    catalogues::SearchTables tables;
    HeadlessForm form;
    // Answers the questions the lists ask (a deletion's Yes/No) and records them.
    RecordingMessageService messages;
    catalogues::PositionSearch search;
    RequestedPositionList vacancyList;
    RequestedPositionList resultasList;
};

// A list of codes written as literals.
inline QStringList codes(std::initializer_list<const char*> list) {
    QStringList result;
    for (const char* code : list)
        result << QString::fromLatin1(code);
    return result;
}

// A search test over the hand-made catalogue after body 00101 (group A) is chosen, with
// the user's steps spelled as the control names.
class SearchAfterBodyTest : public ::testing::Test {
protected:
    void SetUp() override { t.chooseBody(QStringLiteral("00101")); }

    void pick(const char* list, const char* code) { t.type(QString::fromLatin1(list), QString::fromLatin1(code)); }
    QStringList offered(const char* list) const { return t.offered(QString::fromLatin1(list)); }
    bool enabled(const char* control) const { return t.form.isEnabled(QString::fromLatin1(control)); }
    QString text(const char* control) const { return t.form.text(QString::fromLatin1(control)); }

    SearchTestForm t;
};

} // namespace velantor::test
