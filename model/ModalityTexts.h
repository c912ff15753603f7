#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

// The values and value labels of one variable's modalities, in order, kept
// end to end as UTF-8 in one block. A dataset can bring a hundred thousand
// value labels; two strings for each would cost more time and memory than
// everything else its import does.
class ModalityTexts
{
public:
    qsizetype size() const { return m_starts.size() / 2; }

    QString value(qsizetype index) const { return QString::fromUtf8(piece(2 * index)); }
    QString valueLabel(qsizetype index) const { return QString::fromUtf8(piece(2 * index + 1)); }

    void append(QStringView value, QStringView valueLabel);
    // The texts as UTF-8; a byte sequence that is not UTF-8 reads back with
    // replacement characters, as QString::fromUtf8 gives them.
    void appendUtf8(QByteArrayView value, QByteArrayView valueLabel);
    // Empties the texts, keeping their room.
    void clear();
    // Gives back the room kept for further texts; a copy gets texts of its own.
    void squeeze();

    friend bool operator==(const ModalityTexts &a, const ModalityTexts &b)
    {
        return a.m_starts == b.m_starts && a.m_texts == b.m_texts;
    }

private:
    QByteArrayView piece(qsizetype index) const;
    void appendPiece(QByteArrayView text);

    QByteArray m_texts;
    // Where each text begins: the value of modality i at 2i, its label at 2i + 1.
    QList<qsizetype> m_starts;
};
