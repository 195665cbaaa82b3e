#include "widgets/DataCombo.h"

#include <algorithm>

#include <QApplication>
#include <QFocusEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QToolButton>

#include "tables/TableModel.h"
#include "widgets/DataGridHeaderModel.h"

namespace velantor {
namespace {

constexpr int kPopupRows = 12;

bool opensPopup(const QKeyEvent& key) {
    if (key.key() == Qt::Key_F4 && key.modifiers() == Qt::NoModifier)
        return true;
    return key.key() == Qt::Key_Down && (key.modifiers() & ~Qt::KeypadModifier) <= Qt::AltModifier;
}

bool isFieldFocusChange(const QFocusEvent& event) {
    return event.reason() != Qt::PopupFocusReason && event.reason() != Qt::ActiveWindowFocusReason;
}

} // namespace

DataCombo::DataCombo(QWidget* parent) : QWidget(parent) {
    m_edit = new QLineEdit(this);
    m_edit->installEventFilter(this);
    m_button = new QToolButton(this);
    m_button->setArrowType(Qt::DownArrow);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setAutoRaise(false);
    m_button->setToolTip(tr("Mostrar la lista (Alt+Abajo)"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_button);
    m_button->setFixedWidth(m_edit->sizeHint().height());
    m_button->setFixedHeight(m_edit->sizeHint().height());

    setFocusPolicy(m_edit->focusPolicy());
    setFocusProxy(m_edit);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    m_popup = new QFrame(this, Qt::Popup);
    m_popup->setFrameShape(QFrame::Box);
    m_view = new QTableView(m_popup);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 6);
    m_view->horizontalHeader()->setHighlightSections(false);
    m_view->setAlternatingRowColors(true);
    m_view->setWordWrap(false);
    m_view->installEventFilter(this);
    auto* popupLayout = new QHBoxLayout(m_popup);
    popupLayout->setContentsMargins(0, 0, 0, 0);
    popupLayout->addWidget(m_view);

    m_header = new DataGridHeaderModel(this);
    m_view->setModel(m_header);

    connect(m_button, &QToolButton::clicked, this, [this] {
        if (isPopupVisible())
            hidePopup();
        else
            showPopup();
    });
    connect(m_edit, &QLineEdit::textEdited, this, &DataCombo::textEdited);
    connect(m_edit, &QLineEdit::textChanged, this, &DataCombo::textChanged);
    connect(m_view, &QTableView::clicked, this, &DataCombo::choose);
}

DataCombo::~DataCombo() = default;

void DataCombo::bind(TablePtr table, const DataGridColumns& columns) {
    hidePopup();
    TableModel* old = m_model;
    m_table = std::move(table);
    m_model = nullptr;
    m_keyField = -1;
    if (m_table) {
        m_model = new TableModel(m_table, this);
        m_header->setColumns(*m_table, columns);
        m_keyField = m_header->sourceColumn(0);
    } else {
        m_header->clearColumns();
    }
    m_header->setSourceModel(m_model);
    delete old;
    m_header->layoutView(*m_view);
    // A reset (new filter or sort) may bring back sections a field list change hid.
    if (m_model)
        connect(m_model, &QAbstractItemModel::modelReset, this, [this] { m_header->layoutView(*m_view); });
}

void DataCombo::unbind() {
    bind(nullptr, {});
}

const DataGridColumns& DataCombo::columns() const {
    return m_header->columns();
}

QString DataCombo::text() const {
    return m_edit->text();
}

void DataCombo::setText(const QString& text) {
    if (m_edit->text() != text)
        m_edit->setText(text);
}

void DataCombo::setMaxLength(int length) {
    m_edit->setMaxLength(length);
}

int DataCombo::rowCount() const {
    return m_table ? m_table->rowCount() : 0;
}

int DataCombo::matchingRow() const {
    const QString code = m_edit->text();
    if (!m_table || m_keyField < 0 || code.isEmpty())
        return -1;
    return m_table->findEqual(m_keyField, code);
}

QString DataCombo::column(int index) const {
    const int row = matchingRow();
    const int field = m_header->sourceColumn(index);
    if (row < 0 || field < 0)
        return {};
    return m_table->textAt(row, field);
}

QString DataCombo::value(QStringView field) const {
    const int row = matchingRow();
    const int index = m_table ? m_table->fieldIndex(field) : -1;
    if (row < 0 || index < 0)
        return {};
    return m_table->textAt(row, index);
}

void DataCombo::chooseRow(int row) {
    if (!m_table || m_keyField < 0 || row < 0 || row >= m_table->rowCount())
        return;
    const QString code = m_table->textAt(row, m_keyField);
    if (m_edit->text() != code)
        m_edit->setText(code);
    emit rowChosen(row);
}

void DataCombo::choose(const QModelIndex& index) {
    if (!index.isValid())
        return;
    const int row = index.row();
    hidePopup();
    m_edit->setFocus(Qt::PopupFocusReason);
    chooseRow(row);
}

void DataCombo::showPopup() {
    if (!isEnabled() || isPopupVisible())
        return;
    const int row = matchingRow();
    if (row >= 0 && m_header->sourceColumn(0) >= 0) {
        const QModelIndex current = m_header->index(row, m_header->sourceColumn(0));
        m_view->setCurrentIndex(current);
        m_view->scrollTo(current, QAbstractItemView::PositionAtCenter);
    } else {
        // Nothing chosen yet: the first row is highlighted, so Enter takes it.
        m_view->clearSelection();
        if (m_header->rowCount() > 0)
            m_view->setCurrentIndex(m_header->index(0, std::max(0, m_header->sourceColumn(0))));
        m_view->scrollToTop();
    }
    placePopup();
    m_popup->show();
    m_view->setFocus(Qt::PopupFocusReason);
}

void DataCombo::placePopup() {
    int width = 2 * m_popup->frameWidth() + m_view->verticalScrollBar()->sizeHint().width() + 4;
    for (int section = 0; section < m_header->columnCount(); ++section) {
        if (!m_view->isColumnHidden(section))
            width += m_view->columnWidth(section);
    }
    width = std::max(width, this->width());
    const int rows = std::clamp(rowCount(), 1, kPopupRows);
    const int height = m_view->horizontalHeader()->sizeHint().height() +
                       rows * m_view->verticalHeader()->defaultSectionSize() + 2 * m_popup->frameWidth() + 4;
    QPoint below = mapToGlobal(QPoint(0, this->height()));
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        width = std::min(width, area.width());
        if (below.x() + width > area.right())
            below.setX(std::max(area.left(), area.right() - width));
        if (below.y() + height > area.bottom())
            below.setY(std::max(area.top(), mapToGlobal(QPoint(0, 0)).y() - height));
    }
    m_popup->setGeometry(QRect(below, QSize(width, height)));
}

void DataCombo::hidePopup() {
    if (!m_popup->isVisible())
        return;
    m_popup->hide();
    // Some platforms leave no window active once the popup is gone; give it back.
    if (QWidget* top = window(); top && !top->isActiveWindow())
        top->activateWindow();
}

bool DataCombo::isPopupVisible() const {
    return m_popup->isVisible();
}

void DataCombo::setAccessibleLabel(const QString& name, const QString& description) {
    const QString spoken =
        description.isEmpty() ? tr("Lista desplegable. Pulse Alt+Abajo para ver las opciones.") : description;
    setAccessibleName(name);
    setAccessibleDescription(spoken);
    m_edit->setAccessibleName(name);
    m_edit->setAccessibleDescription(spoken);
    m_button->setAccessibleName(tr("Mostrar la lista de %1").arg(name));
    m_view->setAccessibleName(tr("Opciones de %1").arg(name));
}

QSize DataCombo::sizeHint() const {
    const QSize edit = m_edit->sizeHint();
    return {edit.width() + m_button->width(), edit.height()};
}

QSize DataCombo::minimumSizeHint() const {
    const QSize edit = m_edit->minimumSizeHint();
    return {edit.width() + m_button->width(), edit.height()};
}

bool DataCombo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit) {
        // Opening or closing the drop-down, or switching windows, moves the keyboard focus
        // without the user entering or leaving the list.
        if (event->type() == QEvent::FocusIn) {
            if (isFieldFocusChange(*static_cast<QFocusEvent*>(event)))
                emit focusGained();
        } else if (event->type() == QEvent::FocusOut) {
            if (isFieldFocusChange(*static_cast<QFocusEvent*>(event)) && !isPopupVisible())
                emit focusLost();
        } else if (event->type() == QEvent::KeyPress) {
            if (opensPopup(*static_cast<QKeyEvent*>(event))) {
                showPopup();
                return true;
            }
        }
    } else if (watched == m_view && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
            choose(m_view->currentIndex());
            hidePopup();
            return true;
        case Qt::Key_Escape:
        case Qt::Key_F4:
            hidePopup();
            m_edit->setFocus(Qt::PopupFocusReason);
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void DataCombo::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        hidePopup();
    QWidget::changeEvent(event);
}

} // namespace velantor
