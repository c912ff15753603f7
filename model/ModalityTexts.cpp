#include "model/ModalityTexts.h"

QByteArrayView ModalityTexts::piece(qsizetype index) const
{
    const qsizetype start = m_starts.at(index);
    const qsizetype end = index + 1 < m_starts.size() ? m_starts.at(index + 1) : m_texts.size();
    return QByteArrayView(m_texts).sliced(start, end - start);
}

void ModalityTexts::appendPiece(QByteArrayView text)
{
    m_starts.append(m_texts.size());
    m_texts.append(text);
}

void ModalityTexts::append(QStringView value, QStringView valueLabel)
{
    appendPiece(value.toUtf8());
    appendPiece(valueLabel.toUtf8());
}

void ModalityTexts::appendUtf8(QByteArrayView value, QByteArrayView valueLabel)
{
    appendPiece(value);
    appendPiece(valueLabel);
}

void ModalityTexts::clear()
{
    m_texts.resize(0);
    m_starts.resize(0);
}

void ModalityTexts::squeeze()
{
    m_texts.squeeze();
    m_starts.squeeze();
}
