#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include "tables/TableModel.h"
#include "TableTestData.h"

using namespace velantor;
using namespace velantor::testing;

namespace {

// Collects the warnings the model tester prints while it is alive, so that a broken
// model contract fails the test instead of scrolling by.
class ModelWarnings {
public:
    ModelWarnings() {
        messages().clear();
        m_previous = qInstallMessageHandler(&ModelWarnings::record);
    }
    ~ModelWarnings() { qInstallMessageHandler(m_previous); }
    static QStringList& messages() {
        static QStringList list;
        return list;
    }

private:
    static void record(QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type != QtDebugMsg && type != QtInfoMsg)
            messages().append(message);
    }
    QtMessageHandler m_previous = nullptr;
};

QList<TableModel::Column> positionColumns() {
    return {{QStringLiteral("CodConvocatoria"), QStringLiteral("Código")},
            {QStringLiteral("localidad"), QStringLiteral("Localidad/Z.B.S.")},
            {QStringLiteral("Orden"), QStringLiteral("Orden")}};
}

QStringList shownCodes(const TableModel& model) {
    QStringList values;
    for (int row = 0; row < model.rowCount(); ++row)
        values.append(model.index(row, 0).data().toString());
    return values;
}

} // namespace

TEST(TableModel, ShowsVisibleRowsUnderTheirCaptions) {
    ModelWarnings warnings;
    TablePtr table = makeSamplePositions();
    TableModel model(table, positionColumns());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    EXPECT_EQ(model.rowCount(), 5);
    EXPECT_EQ(model.columnCount(), 3);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Localidad/Z.B.S."));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, TableModel::FieldNameRole).toString(),
              QStringLiteral("Localidad"));
    EXPECT_EQ(model.index(0, 1).data().toString(), QStringLiteral("Ávila"));
    EXPECT_EQ(model.index(0, 1).data(TableModel::FieldNameRole).toString(), QStringLiteral("Localidad"));
    EXPECT_EQ(model.index(2, 2).data().toString(), QStringLiteral("5"));
    const QVariant value = model.index(2, 2).data(TableModel::ValueRole);
    EXPECT_EQ(value.typeId(), QMetaType::LongLong);
    EXPECT_EQ(value.toLongLong(), 5);
    EXPECT_EQ(model.index(2, 2).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(model.fieldOfColumn(1), table->requireField(u"Localidad"));

    TableModel everyField(table);
    EXPECT_EQ(everyField.columnCount(), table->fieldCount());
    EXPECT_EQ(everyField.headerData(3, Qt::Horizontal).toString(), QStringLiteral("CodProvincia"));
    EXPECT_TRUE(warnings.messages().isEmpty()) << warnings.messages().join(u'\n').toStdString();
}

TEST(TableModel, FilterAndSortResetTheModel) {
    ModelWarnings warnings;
    TablePtr table = makeSamplePositions();
    TableModel model(table, positionColumns());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    QSignalSpy aboutToReset(&model, &QAbstractItemModel::modelAboutToBeReset);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

    table->setFilter(QStringLiteral("CodProvincia='09'"));
    EXPECT_EQ(shownCodes(model), QStringList({QStringLiteral("10002"), QStringLiteral("10005")}));
    table->sort(QStringLiteral("Orden DESC"));
    EXPECT_EQ(shownCodes(model), QStringList({QStringLiteral("10005"), QStringLiteral("10002")}));
    table->clearFilter();
    EXPECT_EQ(model.rowCount(), 5);
    EXPECT_EQ(aboutToReset.count(), 3);
    EXPECT_EQ(reset.count(), 3);
    table->deleteAll();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_TRUE(warnings.messages().isEmpty()) << warnings.messages().join(u'\n').toStdString();
}

TEST(TableModel, InsertsRemovesAndUpdatesRowsInPlace) {
    ModelWarnings warnings;
    TablePtr table = makeSamplePositions();
    TablePtr clone = table->clone();
    TableModel model(table, positionColumns());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

    table->addRow();
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 5);
    EXPECT_EQ(inserted[0][2].toInt(), 5);
    table->setText(u"CodConvocatoria", QStringLiteral("20000"));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].value<QModelIndex>(), model.index(5, 0));
    EXPECT_EQ(model.index(5, 0).data().toString(), QStringLiteral("20000"));
    table->setText(u"CodArea", QStringLiteral("09000000")); // not shown: nothing to update
    EXPECT_EQ(changed.count(), 1);

    clone->setPosition(1);
    clone->deleteCurrent(); // 10002, through the clone
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed[0][1].toInt(), 1);
    EXPECT_EQ(model.rowCount(), 5);
    EXPECT_EQ(model.index(1, 0).data().toString(), QStringLiteral("10003"));
    EXPECT_EQ(reset.count(), 0);
    EXPECT_TRUE(warnings.messages().isEmpty()) << warnings.messages().join(u'\n').toStdString();
}

TEST(TableModel, ListsSharingOneTableNarrowTogether) {
    TablePtr areas = makeSamplePositions();
    TableModel searchList(areas, positionColumns());
    TableModel preferenceList(areas, positionColumns());
    QSignalSpy preferenceReset(&preferenceList, &QAbstractItemModel::modelReset);
    areas->setFilter(QStringLiteral("CodProvincia='05' "));
    EXPECT_EQ(preferenceReset.count(), 1);
    EXPECT_EQ(shownCodes(searchList), shownCodes(preferenceList));
    EXPECT_EQ(preferenceList.rowCount(), 2);
}

TEST(TableModel, RebindsToAnotherTableOrToNone) {
    ModelWarnings warnings;
    TablePtr first = makeSamplePositions();
    TablePtr second = makeSamplePositions();
    second->setFilter(QStringLiteral("CodProvincia='49'"));
    TableModel model(first, positionColumns());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);

    model.setTable(second);
    EXPECT_EQ(shownCodes(model), QStringList({QStringLiteral("10004")}));
    first->setFilter(QStringLiteral("CodProvincia='05'")); // the old table no longer reaches the model
    EXPECT_EQ(model.rowCount(), 1);
    model.setTable(nullptr);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.columnCount(), 0);
    model.setTable(first);
    EXPECT_EQ(model.rowCount(), 2);

    EXPECT_THROW(model.setColumns({{QStringLiteral("Nada"), QStringLiteral("Nada")}}), std::out_of_range);
    EXPECT_EQ(model.columnCount(), 3);
    TablePtr other = Table::create(QStringLiteral("rsGrupos"), {FieldDef::text(QStringLiteral("Grupo"), 1)});
    EXPECT_THROW(model.setTable(other), std::out_of_range);
    EXPECT_EQ(model.table(), nullptr);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_TRUE(warnings.messages().isEmpty()) << warnings.messages().join(u'\n').toStdString();
}
