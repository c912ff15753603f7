#pragma once

#include "model/Variable.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QString>

class QIODevice;

// Reads the variables of a release-114 Stata dataset (Stata 10 to 12): names,
// labels, storage types and the value labels as modalities. The observations
// are skipped with one seek, so a large dataset costs no more than a small one.
//
// Datasets come from colleagues, archives and e-mail, so every count in the
// file is checked against what is left of it before anything is read or
// allocated. A file that is cut short or whose counts cannot be true is
// refused as a whole: a statistician must not build tables on a silently
// shortened list of value labels.
class StataDatasetReader
{
    Q_DECLARE_TR_FUNCTIONS(StataDatasetReader)

public:
    // The first three keep the numbers callers have always known.
    enum Result {
        CannotOpen = 0,    // the file cannot be opened or read
        NotFormat114 = 1,  // the release byte is not 114
        Success = 2,       // the variables were read
        NotComplete = 3,   // cut short, corrupt counts or an unreadable structure
        TooManyLabels = 4, // more modalities than Quorin imports at once
    };

    // Bound on the modalities of one import. Variables that share a value-label
    // set each get their own copy, so a small hostile file could otherwise ask
    // for billions of them; real datasets stay far below.
    static constexpr qint64 maximumModalities = 2000000;

    // Reads from an open, random-access device, from its start. The variables
    // are appended to the list only when the whole file was read (Success);
    // otherwise the list is left as it was.
    static Result read(QIODevice &device, QList<Variable> &variables);

    // The text to show the user for a result other than Success.
    static QString message(Result result);

private:
    explicit StataDatasetReader(QIODevice &device);

    Result readAll();
    Result readHeader();
    bool readDescriptors();
    bool skipExpansionFields();
    bool skipObservations();
    Result readValueLabelTables();
    Result readValueLabelTable();
    void attachModalities(const QByteArray &setName, const QList<qint32> &values,
                          const QList<QString> &labels);

    qint64 remaining() const;
    bool readExactly(qint64 size, QByteArray &bytes);
    bool skip(qint64 size);
    qint32 int32At(const QByteArray &bytes, qsizetype offset) const;
    qint16 int16At(const QByteArray &bytes, qsizetype offset) const;

    QIODevice &m_device;
    qint64 m_size = 0;
    bool m_deviceFailed = false;
    bool m_bigEndian = false;
    qint16 m_variableCount = 0;
    qint32 m_observationCount = 0;
    qint64 m_observationWidth = 0;
    qint64 m_modalityCount = 0;
    QList<Variable> m_variables;
    // Variables by the name of the value-label set they use.
    QHash<QByteArray, QList<int>> m_variablesBySetName;
};

// Reads the variables of the dataset in fileName and appends them to
// variables (see StataDatasetReader::read).
StataDatasetReader::Result readStataDataset(QList<Variable> &variables, const QString &fileName);
