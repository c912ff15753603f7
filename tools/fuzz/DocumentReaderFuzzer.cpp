// libFuzzer target: the document reader on arbitrary bytes. Besides the
// sanitizers' findings it traps when a refused file leaves a document behind
// or no message, and when a document it accepted, written back and read
// again, is not the same: saving must never change what was opened.
#include "model/DocumentReader.h"
#include "model/DocumentWriter.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace {

// A declared 999 x 999 grid is written back as a million cell elements, which
// under the sanitizers takes longer than the fuzzer's time limit for one
// input. Inputs of at most 64 kB fill no more than a few thousand cells, so the
// round trip is checked on grids up to this size, and larger ones are only
// read.
constexpr qint64 largestRoundTripCells = 30000;

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    DocumentReader reader;
    if (!reader.read(bytes)) {
        check(!reader.errorString().isEmpty());
        check(reader.document().cells.rowCount() == 0 && reader.document().commands.isEmpty() &&
              reader.document().variables.isEmpty());
        return 0;
    }
    const Document &document = reader.document();
    check(Document::gridSizeAllowed(document.cells.rowCount(), document.cells.columnCount()));
    check(document.rowHeights.size() <= document.cells.rowCount());
    check(document.columnWidths.size() <= document.cells.columnCount());

    if (qint64(document.cells.rowCount()) * document.cells.columnCount() > largestRoundTripCells)
        return 0;
    const QByteArray written = DocumentWriter::toXml(document);
    DocumentReader again;
    check(again.read(written));
    check(DocumentWriter::toXml(again.document()) == written);
    return 0;
}
