// Writes the fuzz target's seed corpus into the directory given as argument:
// small datasets of every release ReadStat writes, and a hand-built
// big-endian one.
#include "DtaWriter.h"
#include "ReadStatDtaWriter.h"

#include <QDir>
#include <QString>
#include <QTextStream>

namespace {

using Type = ReadStatDtaWriter::Type;

ReadStatDtaWriter survey(int release)
{
    ReadStatDtaWriter writer(release);
    writer.setDataLabel(QStringLiteral("Survey"));
    writer.addVariable(QStringLiteral("id"), QStringLiteral("Identifier"), Type::Long);
    writer.addVariable(QStringLiteral("sex"), QStringLiteral("Sex"), Type::Byte, 0,
                       QStringLiteral("sex"));
    writer.addVariable(QStringLiteral("town"), QStringLiteral("Città"), Type::String, 12);
    writer.addVariable(QStringLiteral("q1"), QStringLiteral("Satisfied"), Type::Int, 0,
                       QStringLiteral("yesno"));
    writer.addVariable(QStringLiteral("q2"), QStringLiteral("Recommends"), Type::Int, 0,
                       QStringLiteral("yesno"));
    writer.addVariable(QStringLiteral("income"), QString(), Type::Double);
    writer.addVariable(QStringLiteral("weight"), QString(), Type::Float);
    QVariantList first = {1, 1, QStringLiteral("Roma"), 1, 2, 1234.5, 1.0};
    QVariantList second = {2, 2, QStringLiteral("Città"), -9, QVariant(), QVariant(), 0.5};
    if (release >= 117) {
        writer.addVariable(QStringLiteral("note"), QStringLiteral("Note"), Type::StrL);
        first.append(QStringLiteral("a note"));
        second.append(QString());
    }
    writer.addObservation(first);
    writer.addObservation(second);
    if (release >= 105) {
        writer.addValueLabelSet(
            {QStringLiteral("sex"), {{1, QStringLiteral("Male")}, {2, QStringLiteral("Female")}}});
        writer.addValueLabelSet({QStringLiteral("unused"), {{7, QStringLiteral("Seven")}}});
        writer.addValueLabelSet({QStringLiteral("yesno"),
                                 {{-9, QStringLiteral("No answer")},
                                  {-1, QString()},
                                  {1, QStringLiteral("Yes")},
                                  {2, QStringLiteral("No")}}});
    }
    return writer;
}

DtaWriter bigEndian()
{
    DtaWriter writer;
    writer.setByteOrder(DtaWriter::BigEndian);
    writer.addVariable(QStringLiteral("region"), QStringLiteral("Region"), DtaWriter::Int,
                       QStringLiteral("region"));
    writer.addExpansionField(1, QByteArray("note", 4));
    writer.addObservation({3});
    DtaWriter::ValueLabelSet regions{QStringLiteral("region"), {}};
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
    bool written = bigEndian().writeFile(directory.filePath(QStringLiteral("hilo-114.dta")));
    for (int release : {104, 105, 108, 110, 113, 114, 115, 117, 118, 119}) {
        QString error;
        const QString name = directory.filePath(QStringLiteral("survey-%1.dta").arg(release));
        if (!survey(release).writeFile(name, &error)) {
            err << "cannot write " << name << ": " << error << "\n";
            written = false;
        }
    }
    return written ? 0 : 1;
}
