// CAccessibleCombo: what a screen reader sees of a setting combo box. Qt's own interface
// for a combo box on Linux names the box by the row it shows, so the reader says only the
// value ("ZVEI1") and never what it is for. This one names the box by its accessible
// name (its label's text) and gives the shown row as its value; the rest is as Qt's own:
// its children are the drop-down list (Qt's interface of the list view, whose items are
// the rows by name) and the edit field, it is expandable and expanded while the list is
// open, and its actions open and close the list.
//
// An assistive tool chooses a row by name by selecting that item of the list (the item's
// toggle action or the list's row selection) while the list is closed: the box takes the
// row as if it had been picked. While the list is open a selection only highlights a row,
// as the arrow keys do, and Enter takes it.
//
// It owns nothing; Qt's accessibility cache owns the interface.
#pragma once

#include <QAccessibleWidget>

class QComboBox;

class CAccessibleCombo : public QAccessibleWidget {
public:
    explicit CAccessibleCombo(QComboBox* combo);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

    // Makes Qt use this interface for every CGenCombo; once is enough.
    static void Install();

private:
    QComboBox* Combo() const;
};
