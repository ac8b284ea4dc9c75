// CAccessibleCombo: what a screen reader sees of a setting combo box. Qt's own interface
// for a combo box on Linux names the box by the row it shows, so the reader says only the
// value ("ZVEI1") and never what it is for. This one names the box by its accessible
// name (its label's text), gives the shown row as its value and keeps the drop-down
// action. It owns nothing; Qt's accessibility cache owns the interface.
#pragma once

#include <QAccessibleWidget>

class QComboBox;

class CAccessibleCombo : public QAccessibleWidget {
public:
    explicit CAccessibleCombo(QComboBox* combo);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

    // Makes Qt use this interface for every CGenCombo; once is enough.
    static void Install();

private:
    QComboBox* Combo() const;
};
