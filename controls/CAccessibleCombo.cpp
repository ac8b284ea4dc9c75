#include "controls/CAccessibleCombo.h"

#include <QAbstractItemView>
#include <QComboBox>

namespace {

QAccessibleInterface* SettingComboFactory(const QString& className, QObject* object) {
    auto* combo = qobject_cast<QComboBox*>(object);
    if (combo && className == QLatin1String("CGenCombo"))
        return new CAccessibleCombo(combo);
    return nullptr;
}

} // namespace

CAccessibleCombo::CAccessibleCombo(QComboBox* combo)
    : QAccessibleWidget(combo, QAccessible::ComboBox) {}

QComboBox* CAccessibleCombo::Combo() const {
    return static_cast<QComboBox*>(widget());
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
    state.expanded = Combo()->view() && Combo()->view()->isVisible();
    return state;
}

QStringList CAccessibleCombo::actionNames() const {
    return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
}

void CAccessibleCombo::doAction(const QString& actionName) {
    if (actionName == showMenuAction())
        Combo()->showPopup();
    else
        QAccessibleWidget::doAction(actionName);
}

void CAccessibleCombo::Install() {
    static const bool installed = [] {
        QAccessible::installFactory(SettingComboFactory);
        return true;
    }();
    Q_UNUSED(installed);
}
