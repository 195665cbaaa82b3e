#pragma once

#include <QPointer>
#include <QWidget>

#include "tables/Table.h"
#include "widgets/DataGridColumn.h"

class QFrame;
class QLineEdit;
class QTableView;
class QToolButton;

namespace velantor {

class DataGridHeaderModel;
class TableModel;

// An editable drop-down list bound to an in-memory table. The drop-down shows the bound
// columns of the table's visible rows with their captions; choosing a row puts the row's
// first bound column (its code) into the text. The text is the user's: a new filter on
// the table never changes it, so several lists can share one table and narrow each
// other without losing what was chosen. Whether the text designates a row is asked with
// holdsValidEntry(); the columns of that row with column().
//
// Keyboard: Alt+Down, F4 or Down opens the drop-down; there Enter chooses the row and
// Escape closes it. Focus notifications come from the focus events of the text field
// itself, not from opening or closing the drop-down.
class DataCombo : public QWidget {
    Q_OBJECT
public:
    explicit DataCombo(QWidget* parent = nullptr);
    ~DataCombo() override;

    // Binds (or rebinds) the list to a table; the text stays as it is.
    void bind(TablePtr table, const DataGridColumns& columns);
    // The list then offers no rows; the text stays as it is.
    void unbind();
    const TablePtr& table() const { return m_table; }
    const DataGridColumns& columns() const;

    QString text() const;
    void setText(const QString& text); // as the program sets it: no textEdited
    void clear() { setText(QString()); }
    void setMaxLength(int length);

    int rowCount() const; // rows offered now (the table's visible rows)
    // Visible row whose code equals the text, -1 when none (or the text is empty).
    int matchingRow() const;
    bool holdsValidEntry() const { return matchingRow() >= 0; }
    // The bound column `index` (0 = the code) of the row the text designates; "" when none.
    QString column(int index) const;
    // The same by table field name, bound or not.
    QString value(QStringView field) const;

    // Chooses a visible row as the user would: text = its code, then rowChosen().
    void chooseRow(int row);

    void showPopup();
    void hidePopup();
    bool isPopupVisible() const;

    // What a screen reader announces for the list: the text field carries the name and
    // a description that says it is a drop-down list; the button names what it opens.
    void setAccessibleLabel(const QString& name, const QString& description = {});

    QLineEdit* lineEdit() const { return m_edit; }
    QTableView* popupView() const { return m_view; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void rowChosen(int row);
    void textEdited(const QString& text);
    void textChanged(const QString& text);
    void focusGained();
    void focusLost();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void choose(const QModelIndex& index);
    void placePopup();

    TablePtr m_table;
    QLineEdit* m_edit = nullptr;
    QToolButton* m_button = nullptr;
    QFrame* m_popup = nullptr;
    QTableView* m_view = nullptr;
    TableModel* m_model = nullptr;
    DataGridHeaderModel* m_header = nullptr;
    int m_keyField = -1;
};

} // namespace velantor
