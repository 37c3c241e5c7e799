#pragma once

#include "editor/EditTarget.h"

class Platform;
class QLineEdit;
class QListWidget;

// The listed values of a Suggest or Select option: the list, the box above
// it where the selected value is edited, and the Edit commands on values,
// which use the system clipboard.
class ValueList : public EditTarget
{
    Q_OBJECT

public:
    ValueList(QListWidget& list, QLineEdit& box, Platform& platform);

    void Show(const QStringList& values);
    QStringList Values() const;
    // The box shows the selected value.
    void ShowSelected();
    // After the rows shown have changed: the row selected, shown in the box.
    void Select(int row);

    bool Owns(const QWidget* control) const override;
    bool CanRun(EditCommand command) const override;
    void Run(EditCommand command) override;
    QString StepName(EditCommand command) const override;

private:
    void BoxEdited();
    void Insert(int row, const QString& text);

    QListWidget& list_;
    QLineEdit& box_;
    Platform& platform_;
};
