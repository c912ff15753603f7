// Writes the fuzz target's seed corpus into the directory given as argument:
// small release-114 datasets covering each section the reader walks through.
#include "DtaWriter.h"

#include <QDir>
#include <QString>
#include <QTextStream>

namespace {

using Set = DtaWriter::ValueLabelSet;

DtaWriter survey(DtaWriter::ByteOrder byteOrder)
{
    DtaWriter writer;
    writer.setByteOrder(byteOrder);
    writer.setDataLabel(QStringLiteral("Survey"));
    writer.addVariable(QStringLiteral("id"), QStringLiteral("Identifier"), DtaWriter::Long);
    writer.addVariable(QStringLiteral("sex"), QStringLiteral("Sex"), DtaWriter::Byte,
                       QStringLiteral("sex"));
    writer.addVariable(QStringLiteral("town"), QStringLiteral("Città"), 12);
    writer.addVariable(QStringLiteral("q1"), QStringLiteral("Satisfied"), DtaWriter::Int,
                       QStringLiteral("yesno"));
    writer.addVariable(QStringLiteral("q2"), QStringLiteral("Recommends"), DtaWriter::Int,
                       QStringLiteral("yesno"));
    writer.addVariable(QStringLiteral("income"), QString(), DtaWriter::Double);
    writer.addVariable(QStringLiteral("weight"), QString(), DtaWriter::Float);
    writer.addExpansionField(1, QByteArray("note", 4));
    writer.addObservation({1, 1, QStringLiteral("Roma"), 1, 2, 1234.5, 1.0});
    writer.addObservation({2, 2, QStringLiteral("Città"), -9, QVariant(), QVariant(), 0.5});
    writer.addValueLabelSet(
        Set{QStringLiteral("sex"), {{1, QStringLiteral("Male")}, {2, QStringLiteral("Female")}}});
    writer.addValueLabelSet(Set{QStringLiteral("unused"), {{7, QStringLiteral("Seven")}}});
    writer.addValueLabelSet(Set{QStringLiteral("yesno"),
                                {{-9, QStringLiteral("No answer")},
                                 {-1, QString()},
                                 {1, QStringLiteral("Yes")},
                                 {2, QStringLiteral("No")}}});
    return writer;
}

DtaWriter unlabelled()
{
    DtaWriter writer;
    writer.addVariable(QStringLiteral("a"), QStringLiteral("First"), DtaWriter::Byte);
    writer.addVariable(QStringLiteral("b"), QStringLiteral("Second"), 1);
    writer.addObservation({3, QStringLiteral("x")});
    return writer;
}

DtaWriter manyLabels()
{
    DtaWriter writer;
    writer.addVariable(QStringLiteral("region"), QStringLiteral("Region"), DtaWriter::Int,
                       QStringLiteral("region"));
    Set regions{QStringLiteral("region"), {}};
    for (int value = 1; value <= 20; ++value)
        regions.entries.append({value, QStringLiteral("Region %1").arg(value)});
    writer.addValueLabelSet(regions);
    return writer;
}

} // namespace

int main(int argc, char *argv[])
{
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: dataset_seed_writer DIRECTORY\n";
        return 2;
    }
    const QDir directory(QString::fromLocal8Bit(argv[1]));
    if (!directory.mkpath(QStringLiteral("."))) {
        err << "cannot create " << directory.path() << "\n";
        return 1;
    }
    const QList<QPair<QString, DtaWriter>> seeds = {
        {QStringLiteral("survey-lohi.dta"), survey(DtaWriter::LittleEndian)},
        {QStringLiteral("survey-hilo.dta"), survey(DtaWriter::BigEndian)},
        {QStringLiteral("unlabelled.dta"), unlabelled()},
        {QStringLiteral("many-labels.dta"), manyLabels()},
        {QStringLiteral("empty.dta"), DtaWriter()},
    };
    for (const auto &seed : seeds) {
        if (!seed.second.writeFile(directory.filePath(seed.first))) {
            err << "cannot write " << directory.filePath(seed.first) << "\n";
            return 1;
        }
    }
    return 0;
}
