#pragma once

#include <QLineEdit>
#include <QString>

// The generic toolbar's read-only display of the selection's common format.
class FormatLineEdit final : public QLineEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FormatLineEdit)

public:
    explicit FormatLineEdit(QWidget *parent = nullptr);

public slots:
    void setFormatString(const QString &formatString);
    void setBlank();
};
