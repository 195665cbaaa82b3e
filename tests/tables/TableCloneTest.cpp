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

TEST(TableClone, SharesRowsButKeepsItsOwnFilterSortAndCurrentRow) {
    TablePtr original = makeSamplePositions();
    original->setFilter(QStringLiteral("CodProvincia='09'"));
    original->moveNext();
    TablePtr clone = original->clone();
    EXPECT_EQ(clone->name(), original->name());
    EXPECT_FALSE(clone->hasFilter());
    EXPECT_EQ(clone->rowCount(), 5);
    EXPECT_EQ(clone->position(), 0);

    clone->setFilter(QStringLiteral("CodProvincia='05'"));
    clone->sort(QStringLiteral("Orden DESC"));
    EXPECT_EQ(codes(*clone), list({u"10003", u"10001"}));
    EXPECT_EQ(codes(*original), list({u"10002", u"10005"}));
    EXPECT_EQ(original->position(), 1);
    EXPECT_EQ(original->sortSpec(), QString());

    clone->close();
    EXPECT_TRUE(original->isOpen());
}

TEST(TableClone, DeletedRowLeavesEveryCloneWithItsSignals) {
    TablePtr original = makeSamplePositions();
    TablePtr sorted = original->clone();
    sorted->sort(QStringLiteral("Orden")); // 10002 10004 10001 10005 10003
    TablePtr other = original->clone();
    other->setFilter(QStringLiteral("CodProvincia='49'")); // 10004 only
    sorted->setPosition(3);                                // on 10005

    QSignalSpy aboutSorted(sorted.get(), &Table::rowsAboutToBeRemoved);
    QSignalSpy removedSorted(sorted.get(), &Table::rowsRemoved);
    QSignalSpy removedOther(other.get(), &Table::rowsRemoved);
    QSignalSpy currentSorted(sorted.get(), &Table::currentChanged);
    int countSeenBeforeRemoval = -1;
    QObject::connect(sorted.get(), &Table::rowsAboutToBeRemoved, sorted.get(),
                     [&] { countSeenBeforeRemoval = sorted->rowCount(); });

    original->setPosition(0); // 10001
    original->deleteCurrent();

    EXPECT_EQ(codes(*original), list({u"10002", u"10003", u"10004", u"10005"}));
    EXPECT_EQ(original->text(u"CodConvocatoria"), QStringLiteral("10002")); // the next row is current
    EXPECT_EQ(codes(*sorted), list({u"10002", u"10004", u"10005", u"10003"}));
    ASSERT_EQ(aboutSorted.count(), 1);
    EXPECT_EQ(aboutSorted[0][0].toInt(), 2);
    EXPECT_EQ(aboutSorted[0][1].toInt(), 2);
    EXPECT_EQ(countSeenBeforeRemoval, 5);
    ASSERT_EQ(removedSorted.count(), 1);
    EXPECT_EQ(removedSorted[0][0].toInt(), 2);
    EXPECT_EQ(removedOther.count(), 0); // it never showed the row
    EXPECT_EQ(codes(*other), list({u"10004"}));
    EXPECT_EQ(sorted->text(u"CodConvocatoria"), QStringLiteral("10005")); // same current row
    ASSERT_EQ(currentSorted.count(), 1);
    EXPECT_EQ(currentSorted[0][0].toInt(), 2);

    // Deleting through a clone reaches the original as well.
    sorted->moveFirst();
    sorted->deleteCurrent(); // 10002
    EXPECT_EQ(codes(*original), list({u"10003", u"10004", u"10005"}));
    EXPECT_EQ(original->totalRowCount(), 3);
    // Deleting the last visible row leaves the clone at eof.
    other->deleteCurrent();
    EXPECT_TRUE(other->eof());
    EXPECT_EQ(codes(*original), list({u"10003", u"10005"}));
    EXPECT_EQ(original->textAt(1, original->requireField(u"Localidad")), QStringLiteral("burgos"));
}

TEST(TableClone, AddedRowReachesClonesWhoseFilterAcceptsIt) {
    TablePtr original = makeSamplePositions();
    original->setFilter(QStringLiteral("CodProvincia='05'"));
    TablePtr plain = original->clone();
    TablePtr filtered = original->clone();
    filtered->setFilter(QStringLiteral("CodProvincia='09'"));
    TablePtr acceptsEmpty = original->clone();
    acceptsEmpty->setFilter(QStringLiteral("CodArea=''"));
    QSignalSpy insertedPlain(plain.get(), &Table::rowsInserted);
    QSignalSpy insertedFiltered(filtered.get(), &Table::rowsInserted);
    plain->setPosition(1);

    original->addRow();
    original->setText(u"CodConvocatoria", QStringLiteral("20000"));
    original->setText(u"CodProvincia", QStringLiteral("09"));

    EXPECT_EQ(codes(*original), list({u"10001", u"10003", u"20000"}));
    EXPECT_EQ(codes(*plain).last(), QStringLiteral("20000"));
    ASSERT_EQ(insertedPlain.count(), 1);
    EXPECT_EQ(insertedPlain[0][0].toInt(), 5);
    EXPECT_EQ(plain->position(), 1); // a clone's current row does not move
    // Filters are applied when set: the clone filtered for "09" saw an empty row.
    EXPECT_EQ(insertedFiltered.count(), 0);
    EXPECT_EQ(codes(*filtered), list({u"10002", u"10005"}));
    EXPECT_EQ(codes(*acceptsEmpty), list({u"20000"}));
    filtered->setFilter(filtered->filter());
    EXPECT_EQ(codes(*filtered), list({u"10002", u"10005", u"20000"}));
}

TEST(TableClone, ChangedValueIsSeenAndReportedInEveryClone) {
    TablePtr original = makeSamplePositions();
    TablePtr clone = original->clone();
    clone->sort(QStringLiteral("Orden DESC")); // 10003 10005 10001 10004 10002
    QSignalSpy changed(clone.get(), &Table::rowChanged);
    original->setPosition(0);
    original->setText(u"Localidad", QStringLiteral("Piedrahíta"));
    EXPECT_EQ(clone->textAt(2, clone->requireField(u"Localidad")), QStringLiteral("Piedrahíta"));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toInt(), 2);
    EXPECT_EQ(changed[0][1].toInt(), clone->requireField(u"Localidad"));
}

TEST(TableClone, DeleteAllThroughACloneEmptiesTheOriginal) {
    TablePtr original = makeSamplePositions();
    TablePtr clone = original->clone();
    QSignalSpy about(original.get(), &Table::aboutToReset);
    QSignalSpy reset(original.get(), &Table::reset);
    clone->deleteAll();
    EXPECT_EQ(about.count(), 1);
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(original->rowCount(), 0);
    EXPECT_TRUE(original->eof());
}

TEST(TableClone, ClonesOutliveEachOther) {
    TablePtr original = makeSamplePositions();
    TablePtr clone = original->clone();
    {
        TablePtr shortLived = original->clone();
        shortLived->setFilter(QStringLiteral("Orden > 2"));
    }
    original->deleteCurrent();
    original.reset();
    EXPECT_EQ(clone->rowCount(), 4);
    clone->addRow();
    EXPECT_EQ(clone->totalRowCount(), 5);
}
