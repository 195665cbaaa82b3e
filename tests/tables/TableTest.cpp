#include <random>

#include <QSignalSpy>

#include <gtest/gtest.h>

#include "tables/Table.h"
#include "TableTestData.h"

using namespace velantor;
using namespace velantor::testing;

namespace {

QStringList list(std::initializer_list<const char16_t*> values) {
    QStringList result;
    for (const char16_t* value : values)
        result.append(QString::fromUtf16(value));
    return result;
}

} // namespace

TEST(Table, FieldsAreTypedAndNamedWithoutRegardToCase) {
    TablePtr table = makePositionTable();
    EXPECT_EQ(table->name(), QStringLiteral("rsPlazas"));
    EXPECT_EQ(table->fieldCount(), 6);
    EXPECT_EQ(table->fieldIndex(u"codprovincia"), 3);
    EXPECT_EQ(table->fieldIndex(u"ORDEN"), 5);
    EXPECT_EQ(table->fieldIndex(u"Provincia"), -1);
    EXPECT_EQ(table->field(5).type, FieldType::Integer);
    EXPECT_EQ(table->field(0).maxLength, 5);
    EXPECT_THROW(table->requireField(u"Provincia"), std::out_of_range);
    EXPECT_THROW(table->field(6), std::out_of_range);
    EXPECT_THROW(Table::create(QStringLiteral("t"), {FieldDef::text(QStringLiteral("A"), 1),
                                                     FieldDef::integer(QStringLiteral("a"))}),
                 std::invalid_argument);
}

TEST(Table, OpenAndClosedStatesAreToldApart) {
    TablePtr table = makeSamplePositions();
    EXPECT_TRUE(table->isOpen());
    table->close();
    EXPECT_FALSE(table->isOpen());
    EXPECT_EQ(table->totalRowCount(), 5); // closing keeps the rows
    table->open();
    EXPECT_TRUE(table->isOpen());
}

TEST(Table, ValuesAreCutToMaximumLengthAndConvertedByFieldType) {
    TablePtr table = makePositionTable();
    table->addRow();
    table->setText(u"CodConvocatoria", QStringLiteral("1234567"));
    EXPECT_EQ(table->text(u"CodConvocatoria"), QStringLiteral("12345"));
    table->setText(u"Orden", QStringLiteral(" 42 "));
    EXPECT_EQ(table->number(u"Orden"), 42);
    EXPECT_EQ(table->text(u"Orden"), QStringLiteral("42"));
    table->setText(u"Orden", QStringLiteral("3,5"));
    EXPECT_EQ(table->number(u"Orden"), 0);
    table->setText(u"Orden", QStringLiteral("-9223372036854775808"));
    EXPECT_EQ(table->number(u"Orden"), std::numeric_limits<qint64>::min());
    table->setNumber(u"CodProvincia", 123);
    EXPECT_EQ(table->text(u"CodProvincia"), QStringLiteral("12"));
    EXPECT_EQ(table->number(u"CodProvincia"), 12);
    table->setText(u"Localidad", QStringLiteral("Ávila"));
    EXPECT_EQ(table->number(u"Localidad"), 0);
    EXPECT_EQ(table->text(u"CodArea"), QString()); // never written
}

TEST(Table, NewRowIsCurrentAndVisibleWhateverTheFilter) {
    TablePtr table = makeSamplePositions();
    table->setFilter(QStringLiteral("CodProvincia='05'"));
    ASSERT_EQ(table->rowCount(), 2);
    table->addRow();
    EXPECT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->position(), 2);
    table->setText(u"CodConvocatoria", QStringLiteral("20000"));
    table->setText(u"CodProvincia", QStringLiteral("49"));
    EXPECT_EQ(codes(*table), list({u"10001", u"10003", u"20000"}));
    // Until the filter is applied again.
    table->setFilter(table->filter());
    EXPECT_EQ(codes(*table), list({u"10001", u"10003"}));
    EXPECT_EQ(table->totalRowCount(), 6);
}

TEST(Table, NavigationCoversVisibleRowsWithBothEndsTrueWhenEmpty) {
    TablePtr empty = makePositionTable();
    EXPECT_TRUE(empty->bof());
    EXPECT_TRUE(empty->eof());
    empty->moveFirst();
    empty->moveNext();
    empty->moveLast();
    empty->movePrevious();
    EXPECT_TRUE(empty->bof() && empty->eof());
    EXPECT_EQ(empty->text(u"Localidad"), QString());
    EXPECT_EQ(empty->number(u"Orden"), 0);
    EXPECT_THROW(empty->setText(u"Localidad", QStringLiteral("x")), std::out_of_range);
    EXPECT_THROW(empty->deleteCurrent(), std::out_of_range);

    TablePtr table = makeSamplePositions();
    QStringList seen;
    for (table->moveFirst(); !table->eof(); table->moveNext())
        seen.append(table->text(u"CodConvocatoria"));
    EXPECT_EQ(seen, codes(*table));
    EXPECT_EQ(table->position(), 5);
    table->moveNext(); // stays past the end
    EXPECT_EQ(table->position(), 5);
    table->moveLast();
    EXPECT_EQ(table->text(u"CodConvocatoria"), QStringLiteral("10005"));
    for (int i = 0; i < 5; ++i)
        table->movePrevious();
    EXPECT_TRUE(table->bof());
    EXPECT_FALSE(table->eof());
    EXPECT_EQ(table->position(), -1);
    table->setPosition(99);
    EXPECT_EQ(table->position(), 5);

    table->setFilter(QStringLiteral("CodProvincia='99'"));
    EXPECT_EQ(table->rowCount(), 0);
    EXPECT_TRUE(table->bof() && table->eof());
    EXPECT_THROW(table->textAt(0, 0), std::out_of_range);
}

TEST(Table, FilterMakesFirstVisibleRowCurrentAndClearingShowsAll) {
    TablePtr table = makeSamplePositions();
    table->moveLast();
    EXPECT_FALSE(table->hasFilter());
    table->setFilter(QStringLiteral(" CodProvincia='09' "));
    EXPECT_TRUE(table->hasFilter());
    EXPECT_EQ(table->filter(), QStringLiteral(" CodProvincia='09' "));
    EXPECT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->position(), 0);
    EXPECT_EQ(table->text(u"CodConvocatoria"), QStringLiteral("10002"));
    table->moveNext();
    table->clearFilter();
    EXPECT_FALSE(table->hasFilter());
    EXPECT_EQ(table->filter(), QString());
    EXPECT_EQ(table->rowCount(), 5);
    EXPECT_EQ(table->position(), 0);
    table->setFilter(QStringLiteral("CodProvincia='49'"));
    table->setFilter(QString()); // the empty expression clears
    EXPECT_FALSE(table->hasFilter());
    EXPECT_EQ(table->rowCount(), 5);
}

TEST(Table, FilterAndSortChangesAnnounceAResetAroundTheChange) {
    TablePtr table = makeSamplePositions();
    QSignalSpy about(table.get(), &Table::aboutToReset);
    QSignalSpy reset(table.get(), &Table::reset);
    int rowsSeenBefore = -1;
    QObject::connect(table.get(), &Table::aboutToReset, table.get(),
                     [&] { rowsSeenBefore = table->rowCount(); });
    table->setFilter(QStringLiteral("CodProvincia='05'"));
    EXPECT_EQ(rowsSeenBefore, 5);
    table->sort(QStringLiteral("Orden DESC"));
    table->clearFilter();
    EXPECT_THROW(table->setFilter(QStringLiteral("CodProvincia=")), FilterError);
    EXPECT_THROW(table->sort(QStringLiteral("Nada ASC")), FilterError);
    EXPECT_EQ(about.count(), 3);
    EXPECT_EQ(reset.count(), 3);
}

TEST(Table, SortIsStableByOneFieldAndKeepsTheFilter) {
    TablePtr table = makeSamplePositions();
    table->sort(QStringLiteral(" Localidad ASC "));
    // Accents and case are set aside first; names equal but for case go by exact text.
    EXPECT_EQ(column(*table, u"Localidad"),
              list({u"Arenas de San Pedro", u"Ávila", u"Burgos", u"burgos", u"Zamora"}));
    EXPECT_EQ(table->sortSpec(), QStringLiteral(" Localidad ASC "));
    EXPECT_EQ(table->position(), 0);
    table->sort(QStringLiteral("Orden"));
    EXPECT_EQ(codes(*table), list({u"10002", u"10004", u"10001", u"10005", u"10003"}));
    table->sort(QStringLiteral("orden desc"));
    EXPECT_EQ(codes(*table), list({u"10003", u"10005", u"10001", u"10004", u"10002"}));

    table->setFilter(QStringLiteral("CodProvincia <> '49'"));
    EXPECT_EQ(codes(*table), list({u"10003", u"10005", u"10001", u"10002"}));
    table->sort(QStringLiteral("CodProvincia ASC")); // ties keep insertion order
    EXPECT_EQ(codes(*table), list({u"10001", u"10003", u"10002", u"10005"}));
    table->sort(QStringLiteral("CodProvincia DESC"));
    EXPECT_EQ(codes(*table), list({u"10002", u"10005", u"10001", u"10003"}));
    table->sort(QString());
    EXPECT_EQ(codes(*table), list({u"10001", u"10002", u"10003", u"10005"}));
    EXPECT_EQ(table->sortSpec(), QString());

    for (const char16_t* bad : {u"Localidad ASCENDING", u"Provincia", u"Localidad ASC, Orden ASC"}) {
        SCOPED_TRACE(QString::fromUtf16(bad).toStdString());
        table->sort(QStringLiteral("Orden"));
        EXPECT_THROW(table->sort(QString::fromUtf16(bad)), FilterError);
        EXPECT_EQ(table->sortSpec(), QStringLiteral("Orden"));
    }
}

TEST(Table, SortPutsEnyeAfterEveryN) {
    TablePtr table = Table::create(QStringLiteral("t"), {FieldDef::text(QStringLiteral("Localidad"), 60)});
    for (const char16_t* name : {u"Ñora", u"Oviedo", u"Nules", u"Nájera", u"Noja", u"Ólvega"}) {
        table->addRow();
        table->setText(0, QString::fromUtf16(name));
    }
    table->sort(QStringLiteral("Localidad"));
    EXPECT_EQ(column(*table, u"Localidad"),
              list({u"Nájera", u"Noja", u"Nules", u"Ñora", u"Ólvega", u"Oviedo"}));
}

TEST(Table, SortPlacesRowsWrittenSinceOnTheNextSort) {
    TablePtr table = makeSamplePositions();
    table->sort(QStringLiteral("Orden ASC"));
    table->addRow();
    table->setText(u"CodConvocatoria", QStringLiteral("10006"));
    table->setNumber(u"Orden", 0);
    table->moveFirst();
    table->setNumber(u"Orden", 9); // 10002 goes last on the next sort
    EXPECT_EQ(codes(*table), list({u"10002", u"10004", u"10001", u"10005", u"10003", u"10006"}));
    table->sort(QStringLiteral("Orden ASC"));
    EXPECT_EQ(codes(*table), list({u"10006", u"10004", u"10001", u"10005", u"10003", u"10002"}));
}

TEST(Table, FindSearchesForwardFromTheCurrentRow) {
    TablePtr table = makeSamplePositions();
    EXPECT_TRUE(table->find(QStringLiteral("CodProvincia = '09'")));
    EXPECT_EQ(table->position(), 1);
    EXPECT_TRUE(table->find(QStringLiteral("CodProvincia = '09'"))); // the current row counts
    EXPECT_EQ(table->position(), 1);
    table->moveNext();
    EXPECT_TRUE(table->find(QStringLiteral("CodProvincia = '09'")));
    EXPECT_EQ(table->position(), 4);
    table->moveNext();
    EXPECT_FALSE(table->find(QStringLiteral("CodProvincia = '09'")));
    EXPECT_TRUE(table->eof());

    table->moveLast();
    EXPECT_FALSE(table->find(QStringLiteral("CodConvocatoria = '10001'"))); // only forward
    EXPECT_TRUE(table->eof());
    table->setPosition(-1);
    EXPECT_TRUE(table->find(QStringLiteral("CodConvocatoria = '10001'"))); // from bof: from the first
    EXPECT_EQ(table->position(), 0);
    EXPECT_TRUE(table->find(QStringLiteral("Orden=4")));
    EXPECT_EQ(table->text(u"CodConvocatoria"), QStringLiteral("10005"));
    table->moveFirst();
    EXPECT_TRUE(table->find(QStringLiteral("Localidad like '%de%' AND Orden > 1")));
    EXPECT_EQ(table->text(u"CodConvocatoria"), QStringLiteral("10003"));

    table->moveFirst();
    EXPECT_THROW(table->find(QStringLiteral("IdCurso=")), FilterError);
    EXPECT_EQ(table->position(), 0);
}

TEST(Table, FindSeesOnlyVisibleRowsInViewOrder) {
    TablePtr table = makeSamplePositions();
    table->setFilter(QStringLiteral("CodProvincia <> '05'"));
    table->sort(QStringLiteral("Orden DESC"));
    EXPECT_FALSE(table->find(QStringLiteral("CodConvocatoria='10001'")));
    table->moveFirst();
    for (int i = 0; i < 3; ++i) { // repeated so that the index answers too
        table->moveFirst();
        EXPECT_TRUE(table->find(QStringLiteral("CodProvincia='09'")));
        EXPECT_EQ(table->text(u"CodConvocatoria"), QStringLiteral("10005"));
        table->moveNext();
        EXPECT_TRUE(table->find(QStringLiteral("CodProvincia='09'")));
        EXPECT_EQ(table->text(u"CodConvocatoria"), QStringLiteral("10002"));
    }
}

TEST(Table, IndexedLookUpFollowsChangesToTheRows) {
    TablePtr table = makeSamplePositions();
    const int province = table->requireField(u"CodProvincia");
    EXPECT_EQ(table->findEqual(province, QStringLiteral("09")), 1);
    EXPECT_EQ(table->findEqual(province, QStringLiteral("09"), 2), 4);
    EXPECT_EQ(table->findEqual(province, QStringLiteral("09"), 5), -1);
    EXPECT_EQ(table->findEqual(province, QStringLiteral("9")), -1);
    EXPECT_EQ(table->findEqual(table->requireField(u"Orden"), QStringLiteral("4")), 4);
    table->setTextAt(0, province, QStringLiteral("09"));
    EXPECT_EQ(table->findEqual(province, QStringLiteral("09")), 0);
    table->setPosition(0);
    table->deleteCurrent();
    EXPECT_EQ(table->findEqual(province, QStringLiteral("09")), 0);
    EXPECT_EQ(table->findEqual(province, QStringLiteral("05")), 1);
    table->addRow();
    table->setText(province, QStringLiteral("77"));
    EXPECT_EQ(table->findEqual(province, QStringLiteral("77")), 4);
    table->sort(QStringLiteral("CodProvincia DESC"));
    EXPECT_EQ(table->findEqual(province, QStringLiteral("77")), 0);
    EXPECT_THROW(table->findEqual(99, QStringLiteral("x")), std::out_of_range);
}

// On random rows, filters and sorts, the indexed look-up and find() must give exactly
// what a plain scan of the visible rows gives.
TEST(Table, IndexedLookUpAgreesWithAScanOnRandomRows) {
    std::mt19937 random(20240517);
    auto pick = [&](int n) { return static_cast<int>(random() % n); };
    TablePtr table = makePositionTable();
    const int code = table->requireField(u"CodConvocatoria");
    const int province = table->requireField(u"CodProvincia");
    const int order = table->requireField(u"Orden");
    for (int i = 0; i < 400; ++i) {
        table->addRow();
        table->setText(code, QString::number(pick(60)));
        table->setText(province, QStringLiteral("0%1").arg(pick(6)));
        table->setNumber(order, pick(20));
    }
    const QString filters[] = {QString(), QStringLiteral("CodProvincia <> '03'"),
                               QStringLiteral("Orden >= 7")};
    const QString sorts[] = {QString(), QStringLiteral("CodConvocatoria"), QStringLiteral("Orden DESC")};
    for (const QString& filter : filters) {
        for (const QString& sort : sorts) {
            table->setFilter(filter);
            table->sort(sort);
            for (int probe = 0; probe < 150; ++probe) {
                const int field = probe % 2 ? code : order;
                const QString value = QString::number(pick(field == code ? 65 : 22));
                const int from = pick(table->rowCount() + 2);
                int expected = -1;
                for (int row = from; row < table->rowCount() && expected < 0; ++row) {
                    if (table->textAt(row, field) == value)
                        expected = row;
                }
                ASSERT_EQ(table->findEqual(field, value, from), expected)
                    << filter.toStdString() << sort.toStdString();
                table->setPosition(from);
                const QString criterion = table->field(field).name + QStringLiteral(" = '") + value + u'\'';
                ASSERT_EQ(table->find(criterion), expected >= 0);
                ASSERT_EQ(table->position(), expected >= 0 ? expected : table->rowCount());
                if (probe % 25 == 0) { // a change in between must not leave a stale index
                    const int row = pick(table->rowCount());
                    table->setTextAt(row, code, QString::number(pick(60)));
                }
            }
        }
    }
}

TEST(Table, DeleteAllEmptiesTheTableKeepingItsFilter) {
    TablePtr table = makeSamplePositions();
    table->setFilter(QStringLiteral("CodProvincia='05'"));
    QSignalSpy reset(table.get(), &Table::reset);
    table->deleteAll();
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(table->totalRowCount(), 0);
    EXPECT_TRUE(table->bof() && table->eof());
    EXPECT_TRUE(table->hasFilter());
    table->addRow();
    EXPECT_EQ(table->rowCount(), 1);
}

TEST(Table, WritesReportTheChangedCellOnce) {
    TablePtr table = makeSamplePositions();
    QSignalSpy changed(table.get(), &Table::rowChanged);
    table->moveNext();
    table->setText(u"Localidad", QStringLiteral("León"));
    table->setText(u"Localidad", QStringLiteral("León")); // no change, no signal
    table->setNumberAt(3, table->requireField(u"Orden"), 8);
    ASSERT_EQ(changed.count(), 2);
    EXPECT_EQ(changed[0][0].toInt(), 1);
    EXPECT_EQ(changed[0][1].toInt(), table->requireField(u"Localidad"));
    EXPECT_EQ(changed[1][0].toInt(), 3);
    EXPECT_EQ(table->numberAt(3, table->requireField(u"Orden")), 8);
}
