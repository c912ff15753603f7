#pragma once

#include <QTableWidget>

// A read-only grid of the fields of a semicolon-separated text file: one row
// per line, as many columns as the first line has fields. Fields in double
// quotes may hold ";", quotes (doubled) and line breaks (see CsvFields).
class CsvTable : public QTableWidget
{
    Q_OBJECT

public:
    // The grid keeps an entry for every cell, so a file of a few very wide
    // lines could otherwise ask for more memory than the machine has. Tables
    // Quorin writes are far below both limits.
    static constexpr qint64 maximumCellCount = 1'000'000;
    static constexpr qint64 maximumFileSize = 64 * 1024 * 1024;

    CsvTable(int rows, int columns, QWidget *parent = nullptr);

    // Fills the grid from the file; false, with errorString() set and the
    // grid unchanged, when it cannot be read.
    bool loadFile(const QString &fileName);
    QString errorString() const { return m_errorString; }

    void setEditable(bool editable);

    // Puts the first selected block on the clipboard as text: every cell
    // followed by a tab, every row by a line break.
    void copySelection();

    // What the grid shows now, edits included, row by row.
    QList<QStringList> texts() const;
    QList<int> columnWidths() const;

private:
    bool readRows(const QString &fileName, QList<QStringList> *rows);
    void fill(const QList<QStringList> &rows, int columns);

    QString m_errorString;
};
