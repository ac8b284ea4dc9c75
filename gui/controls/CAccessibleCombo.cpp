#include "gui/controls/CAccessibleCombo.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>

namespace {

QAccessibleInterface* SettingComboFactory(const QString& className, QObject* object) {
    auto* combo = qobject_cast<QComboBox*>(object);
    if (combo && className == QLatin1String("CGenCombo"))
        return new CAccessibleCombo(combo);
    return nullptr;
}

// A row selected in the closed list becomes the box's choice.
void ChooseSelectedRow(QComboBox* combo) {
    QAbstractItemView* list = combo->view();
    if (list->isVisible())
        return;
    const QModelIndexList rows = list->selectionModel()->selectedIndexes();
    if (!rows.isEmpty() && rows.first().row() != combo->currentIndex())
        combo->setCurrentIndex(rows.first().row());
}

// While the list is closed its selection is the shown row, so that a reader asking for
// the selected item hears the value.
void SelectShownRow(QComboBox* combo) {
    QAbstractItemView* list = combo->view();
    if (list->isVisible())
        return;
    if (combo->currentIndex() < 0)
        list->selectionModel()->clearSelection();
    else
        list->selectionModel()->select(combo->model()->index(combo->currentIndex(),
                                                             combo->modelColumn(),
                                                             combo->rootModelIndex()),
                                       QItemSelectionModel::ClearAndSelect);
}

} // namespace

CAccessibleCombo::CAccessibleCombo(QComboBox* combo)
    : QAccessibleWidget(combo, QAccessible::ComboBox) {
    // Made when an assistive tool first asks for the box; the box ends the links. Should
    // the interface be made again, second links find the row already chosen and selected.
    QObject::connect(combo->view()->selectionModel(), &QItemSelectionModel::selectionChanged, combo,
                     [combo] { ChooseSelectedRow(combo); });
    QObject::connect(combo, &QComboBox::currentIndexChanged, combo,
                     [combo] { SelectShownRow(combo); });
}

QComboBox* CAccessibleCombo::Combo() const {
    return static_cast<QComboBox*>(widget());
}

int CAccessibleCombo::childCount() const {
    return Combo()->isEditable() ? 2 : 1;
}

// The list first, then the edit field, as Qt's own interface orders them.
QAccessibleInterface* CAccessibleCombo::child(int index) const {
    if (index == 0)
        return QAccessible::queryAccessibleInterface(Combo()->view());
    if (index == 1 && Combo()->isEditable())
        return QAccessible::queryAccessibleInterface(Combo()->lineEdit());
    return nullptr;
}

int CAccessibleCombo::indexOfChild(const QAccessibleInterface* child) const {
    if (child && child->object() == Combo()->view())
        return 0;
    if (child && Combo()->isEditable() && child->object() == Combo()->lineEdit())
        return 1;
    return -1;
}

QAccessibleInterface* CAccessibleCombo::childAt(int x, int y) const {
    QLineEdit* field = Combo()->lineEdit();
    if (field && field->isVisible() &&
        QRect(field->mapToGlobal(QPoint(0, 0)), field->size()).contains(x, y))
        return child(1);
    return nullptr;
}

// The box is the focus proxy of its edit field, so the field itself never has the focus;
// it is what is edited, so it is the focused child.
QAccessibleInterface* CAccessibleCombo::focusChild() const {
    return Combo()->isEditable() ? child(1) : nullptr;
}

QString CAccessibleCombo::text(QAccessible::Text t) const {
    if (t == QAccessible::Value)
        return Combo()->currentText();
    return QAccessibleWidget::text(t);
}

QAccessible::State CAccessibleCombo::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = Combo()->isEditable();
    state.expandable = true;
    state.expanded = Combo()->view()->isVisible();
    return state;
}

QStringList CAccessibleCombo::actionNames() const {
    return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
}

// Both open the list, or close it when it is open, as Qt's own interface does.
void CAccessibleCombo::doAction(const QString& actionName) {
    if (actionName != showMenuAction() && actionName != pressAction())
        QAccessibleWidget::doAction(actionName);
    else if (Combo()->view()->isVisible())
        Combo()->hidePopup();
    else
        Combo()->showPopup();
}

void CAccessibleCombo::Install() {
    static const bool installed = [] {
        QAccessible::installFactory(SettingComboFactory);
        return true;
    }();
    Q_UNUSED(installed);
}
