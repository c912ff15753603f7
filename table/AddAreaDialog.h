#pragma once

#include "model/Area.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>

class QDialogButtonBox;
class QLineEdit;

// Asks for the name and the Stata condition of a new area.
class AddAreaDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AddAreaDialog)

public:
    // The name line starts with the name, all of it selected, so that a
    // refused name can be typed over at once.
    explicit AddAreaDialog(const QString &name, QWidget *parent = nullptr);

    QString name() const;
    QString condition() const;

    // Runs the dialog until the user gives a name that is not taken and
    // returns the new area, or nothing when the user cancels. A taken name is
    // reported and the dialog comes back showing it.
    static std::optional<Area> askForNewArea(QWidget *parent,
                                             const std::function<bool(const QString &)> &isTaken);

private:
    void updateOkButton();

    QLineEdit *m_nameLineEdit = nullptr;
    QLineEdit *m_conditionLineEdit = nullptr;
    QDialogButtonBox *m_buttonBox = nullptr;
};
