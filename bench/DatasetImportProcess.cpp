// One import of a Stata dataset's variables through Quorin's reader, as a
// process of its own for DatasetBench to time: the program's core libraries,
// ReadStat and the variables built from what it delivers. Prints what it read
// and its peak resident memory.
#include "stata/StataDatasetReader.h"

#include <QFile>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: DatasetImportProcess FILE.dta\n");
        return 2;
    }
    QList<Variable> variables;
    const StataDatasetReader::Result result =
        readStataDataset(variables, QFile::decodeName(argv[1]));
    if (result != StataDatasetReader::Success) {
        std::fprintf(stderr, "%s\n", qPrintable(StataDatasetReader::message(result)));
        return 1;
    }
    qsizetype modalities = 0;
    for (const Variable &variable : variables)
        modalities += variable.modalityCount();
    std::printf("%d variables, %d modalities\n", int(variables.size()), int(modalities));
    // The peak resident memory of this process, from the kernel's count.
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                std::printf("%s\n", line.constData());
    return 0;
}
