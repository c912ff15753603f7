// libFuzzer target: the dataset import, ReadStat included, on arbitrary
// bytes. Besides the sanitizers' findings it traps when a refused file changed
// the list or an accepted one gave modalities that do not belong to their
// variable.
#include "stata/StataDatasetReader.h"

#include <QBuffer>
#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace {

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QList<Variable> variables;
    const StataDatasetReader::Result result = StataDatasetReader::read(buffer, variables);

    check(result >= StataDatasetReader::NotReadable && result <= StataDatasetReader::TooManyLabels);
    check(!StataDatasetReader::message(result).isEmpty() || result == StataDatasetReader::Success);
    if (result != StataDatasetReader::Success) {
        check(variables.isEmpty());
        return 0;
    }
    qint64 modalities = 0;
    for (const Variable &variable : variables) {
        modalities += variable.modalityCount();
        for (const Modality &modality : variable.modalities())
            check(modality.varName() == variable.name() && !modality.value().isEmpty());
    }
    check(modalities <= StataDatasetReader::maximumModalities);
    return 0;
}
