#include "stata/StataDatasetReader.h"

#include "DtaWriter.h"

#include <QBuffer>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <algorithm>

namespace {

using Set = DtaWriter::ValueLabelSet;

// One line per variable and one per modality, so that a whole import can be
// compared at once and a difference shows where it is.
QStringList describe(const QList<Variable> &variables)
{
    QStringList lines;
    for (const Variable &variable : variables) {
        lines.append(QStringLiteral("%1 | %2 | %3")
                         .arg(variable.name(), variable.label())
                         .arg(int(variable.varType())));
        for (const Modality &modality : variable.modalities())
            lines.append(QStringLiteral("    %1 = %2 (%3 | %4)")
                             .arg(modality.value(), modality.valueLabel(), modality.varName(),
                                  modality.varLabel()));
    }
    return lines;
}

StataDatasetReader::Result readBytes(const QByteArray &bytes, QList<Variable> &variables)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return StataDatasetReader::read(buffer, variables);
}

// A small survey: labelled and unlabelled variables, a shared set, an unused
// set, strings, observations, an expansion field and two byte orders.
DtaWriter surveyWriter(DtaWriter::ByteOrder byteOrder = DtaWriter::LittleEndian)
{
    DtaWriter writer;
    writer.setByteOrder(byteOrder);
    writer.setDataLabel(QStringLiteral("Indagine"));
    writer.addVariable(QStringLiteral("id"), QStringLiteral("Identifier"), DtaWriter::Long);
    writer.addVariable(QStringLiteral("sesso"), QStringLiteral("Sesso"), DtaWriter::Byte,
                       QStringLiteral("sex"));
    writer.addVariable(QStringLiteral("citta"), QStringLiteral("Città"), 20);
    writer.addVariable(QStringLiteral("q1"), QStringLiteral("Soddisfatto?"), DtaWriter::Int,
                       QStringLiteral("yesno"));
    writer.addVariable(QStringLiteral("q2"), QStringLiteral("Consiglierebbe?"), DtaWriter::Int,
                       QStringLiteral("yesno"));
    writer.addVariable(QStringLiteral("reddito"), QStringLiteral("Reddito"), DtaWriter::Double);
    writer.addExpansionField(1, QByteArray("characteristic", 14));
    writer.addObservation({1, 1, QStringLiteral("Roma"), 1, 2, 1234.5});
    writer.addObservation({2, 2, QStringLiteral("Città di Castello"), -9, 1, QVariant()});
    writer.addObservation({3, QVariant(), QString(), QVariant(), QVariant(), 0.25});
    writer.addValueLabelSet(Set{QStringLiteral("sex"),
                                {{1, QStringLiteral("Maschio")}, {2, QStringLiteral("Femmina")}}});
    writer.addValueLabelSet(Set{QStringLiteral("unused"), {{1, QStringLiteral("Never shown")}}});
    writer.addValueLabelSet(Set{QStringLiteral("yesno"),
                                {{-9, QStringLiteral("Non risponde")},
                                 {-1, QStringLiteral("Non sa")},
                                 {1, QStringLiteral("Sì")},
                                 {2, QStringLiteral("No")}}});
    return writer;
}

const QStringList &surveyDescription()
{
    static const QStringList lines = {
        QStringLiteral("id | Identifier | 253"),
        QStringLiteral("sesso | Sesso | 251"),
        QStringLiteral("    1 = Maschio (sesso | Sesso)"),
        QStringLiteral("    2 = Femmina (sesso | Sesso)"),
        QStringLiteral("citta | Città | 20"),
        QStringLiteral("q1 | Soddisfatto? | 252"),
        QStringLiteral("    -9 = Non risponde (q1 | Soddisfatto?)"),
        QStringLiteral("    -1 = Non sa (q1 | Soddisfatto?)"),
        QStringLiteral("    1 = Sì (q1 | Soddisfatto?)"),
        QStringLiteral("    2 = No (q1 | Soddisfatto?)"),
        QStringLiteral("q2 | Consiglierebbe? | 252"),
        QStringLiteral("    -9 = Non risponde (q2 | Consiglierebbe?)"),
        QStringLiteral("    -1 = Non sa (q2 | Consiglierebbe?)"),
        QStringLiteral("    1 = Sì (q2 | Consiglierebbe?)"),
        QStringLiteral("    2 = No (q2 | Consiglierebbe?)"),
        QStringLiteral("reddito | Reddito | 255"),
    };
    return lines;
}

void putInt32(QByteArray &bytes, qint64 offset, qint32 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

// A buffer whose reads fail from a given position on, as a disk or a network
// share can fail in the middle of a file.
class FailingBuffer : public QBuffer
{
public:
    FailingBuffer(const QByteArray &bytes, qint64 failAt)
        : m_failAt(failAt)
    {
        setData(bytes);
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (pos() + maxSize > m_failAt)
            return -1;
        return QBuffer::readData(data, maxSize);
    }

private:
    qint64 m_failAt;
};

// A variable list that a failed read must leave untouched.
QList<Variable> previousVariables()
{
    Variable kept(QStringLiteral("kept"), QStringLiteral("Typed in by hand"), 0);
    kept.appendModality(
        Modality(QStringLiteral("1"), QStringLiteral("One"), kept.name(), kept.label()));
    return {kept};
}

} // namespace

class StataDatasetReaderTest : public QObject
{
    Q_OBJECT

private slots:
    void readsSurvey();
    void appendsToTheGivenList();
    void variablesWithoutLabelsHaveNoModalities();
    void emptyLabelKeepsFollowingLabelsAligned();
    void setNamesAreCaseSensitive();
    void tableWithEmptyNameMatchesNoVariable();
    void storageTypesAreKept_data();
    void storageTypesAreKept();
    void emptyDatasetHasNoVariables();
    void manyObservationsAreSkipped();
    void bigEndianReadsAsLittleEndian();
    void otherReleasesAreRefused_data();
    void otherReleasesAreRefused();
    void unreadablePathIsRefused_data();
    void unreadablePathIsRefused();
    void fileNameFormReadsTheFile();
    void unopenedDeviceIsRefused();
    void failingDeviceIsRefused_data();
    void failingDeviceIsRefused();
    void cutAtSectionBoundaries_data();
    void cutAtSectionBoundaries();
    void cutAtEveryByte();
    void corruptCounts_data();
    void corruptCounts();
    void missingTerminatingExpansionRecord();
    void tooManyModalitiesAreRefused();
    void messages_data();
    void messages();
};

void StataDatasetReaderTest::readsSurvey()
{
    QList<Variable> variables;
    QCOMPARE(readBytes(surveyWriter().toByteArray(), variables), StataDatasetReader::Success);
    QCOMPARE(describe(variables), surveyDescription());
}

void StataDatasetReaderTest::appendsToTheGivenList()
{
    QList<Variable> variables = previousVariables();
    QCOMPARE(readBytes(surveyWriter().toByteArray(), variables), StataDatasetReader::Success);
    QCOMPARE(describe(variables), describe(previousVariables()) + surveyDescription());
}

void StataDatasetReaderTest::variablesWithoutLabelsHaveNoModalities()
{
    DtaWriter writer;
    writer.addVariable(QStringLiteral("a"), QStringLiteral("First"), DtaWriter::Byte);
    writer.addVariable(QStringLiteral("b"), QString(), DtaWriter::Float);
    writer.addObservation({1, 2.5});
    QList<Variable> variables;
    QCOMPARE(readBytes(writer.toByteArray(), variables), StataDatasetReader::Success);
    QCOMPARE(describe(variables),
             QStringList({QStringLiteral("a | First | 251"), QStringLiteral("b |  | 254")}));
}

void StataDatasetReaderTest::emptyLabelKeepsFollowingLabelsAligned()
{
    DtaWriter writer;
    writer.addVariable(QStringLiteral("v"), QStringLiteral("V"), DtaWriter::Byte,
                       QStringLiteral("lbl"));
    writer.addValueLabelSet(Set{QStringLiteral("lbl"),
                                {{1, QStringLiteral("One")},
                                 {2, QString()},
                                 {3, QStringLiteral("Three")},
                                 {4, QString()}}});
    QList<Variable> variables;
    QCOMPARE(readBytes(writer.toByteArray(), variables), StataDatasetReader::Success);
    QCOMPARE(
        describe(variables),
        QStringList({QStringLiteral("v | V | 251"), QStringLiteral("    1 = One (v | V)"),
                     QStringLiteral("    2 =  (v | V)"), QStringLiteral("    3 = Three (v | V)"),
                     QStringLiteral("    4 =  (v | V)")}));
}

void StataDatasetReaderTest::setNamesAreCaseSensitive()
{
    DtaWriter writer;
    writer.addVariable(QStringLiteral("lower"), QString(), DtaWriter::Byte, QStringLiteral("sex"));
    writer.addVariable(QStringLiteral("upper"), QString(), DtaWriter::Byte, QStringLiteral("Sex"));
    writer.addValueLabelSet(Set{QStringLiteral("Sex"), {{1, QStringLiteral("Upper")}}});
    writer.addValueLabelSet(Set{QStringLiteral("sex"), {{1, QStringLiteral("lower")}}});
    QList<Variable> variables;
    QCOMPARE(readBytes(writer.toByteArray(), variables), StataDatasetReader::Success);
    QCOMPARE(describe(variables),
             QStringList(
                 {QStringLiteral("lower |  | 251"), QStringLiteral("    1 = lower (lower | )"),
                  QStringLiteral("upper |  | 251"), QStringLiteral("    1 = Upper (upper | )")}));
}

void StataDatasetReaderTest::tableWithEmptyNameMatchesNoVariable()
{
    DtaWriter writer;
    writer.addVariable(QStringLiteral("plain"), QString(), DtaWriter::Byte);
    writer.addValueLabelSet(Set{QString(), {{1, QStringLiteral("Nobody's")}}});
    QList<Variable> variables;
    QCOMPARE(readBytes(writer.toByteArray(), variables), StataDatasetReader::Success);
    QCOMPARE(describe(variables), QStringList(QStringLiteral("plain |  | 251")));
}

void StataDatasetReaderTest::storageTypesAreKept_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("str1") << 1 << QVariant(QStringLiteral("x"));
    QTest::newRow("str7") << 7 << QVariant(QStringLiteral("abc"));
    QTest::newRow("str244") << 244 << QVariant(QStringLiteral("long text"));
    QTest::newRow("byte") << int(DtaWriter::Byte) << QVariant(-5);
    QTest::newRow("int") << int(DtaWriter::Int) << QVariant(300);
    QTest::newRow("long") << int(DtaWriter::Long) << QVariant(70000);
    QTest::newRow("float") << int(DtaWriter::Float) << QVariant(1.5);
    QTest::newRow("double") << int(DtaWriter::Double) << QVariant(2.25);
}

// Each type is skipped with its own width in the observations, so the value
// labels behind them are only found when every width is right.
void StataDatasetReaderTest::storageTypesAreKept()
{
    QFETCH(int, type);
    QFETCH(QVariant, value);
    DtaWriter writer;
    writer.addVariable(QStringLiteral("x"), QStringLiteral("X"), quint8(type));
    writer.addVariable(QStringLiteral("after"), QString(), DtaWriter::Byte, QStringLiteral("l"));
    for (int i = 0; i < 3; ++i)
        writer.addObservation({value, 1});
    writer.addValueLabelSet(Set{QStringLiteral("l"), {{1, QStringLiteral("One")}}});
    QList<Variable> variables;
    QCOMPARE(readBytes(writer.toByteArray(), variables), StataDatasetReader::Success);
    QCOMPARE(describe(variables),
             QStringList({QStringLiteral("x | X | %1").arg(type), QStringLiteral("after |  | 251"),
                          QStringLiteral("    1 = One (after | )")}));
}

void StataDatasetReaderTest::emptyDatasetHasNoVariables()
{
    QList<Variable> variables;
    QCOMPARE(readBytes(DtaWriter().toByteArray(), variables), StataDatasetReader::Success);
    QVERIFY(variables.isEmpty());
}

void StataDatasetReaderTest::manyObservationsAreSkipped()
{
    DtaWriter writer = surveyWriter();
    writer.addBlankObservations(100000);
    DtaWriter::Sections at;
    const QByteArray bytes = writer.toByteArray(&at);
    QCOMPARE(at.valueLabels - at.data, qint64(100003) * (4 + 1 + 20 + 2 + 2 + 8));
    QList<Variable> variables;
    QCOMPARE(readBytes(bytes, variables), StataDatasetReader::Success);
    QCOMPARE(describe(variables), surveyDescription());
}

void StataDatasetReaderTest::bigEndianReadsAsLittleEndian()
{
    const QByteArray hilo = surveyWriter(DtaWriter::BigEndian).toByteArray();
    QCOMPARE(hilo.at(1), char(1));
    QVERIFY(hilo != surveyWriter().toByteArray());
    QList<Variable> variables;
    QCOMPARE(readBytes(hilo, variables), StataDatasetReader::Success);
    QCOMPARE(describe(variables), surveyDescription());
}

void StataDatasetReaderTest::otherReleasesAreRefused_data()
{
    QTest::addColumn<int>("release");
    QTest::newRow("113") << 113;
    QTest::newRow("115") << 115;
    QTest::newRow("117 starts with '<'") << int('<');
    QTest::newRow("0") << 0;
}

void StataDatasetReaderTest::otherReleasesAreRefused()
{
    QFETCH(int, release);
    DtaWriter writer = surveyWriter();
    writer.setRelease(quint8(release));
    QList<Variable> variables = previousVariables();
    QCOMPARE(readBytes(writer.toByteArray(), variables), StataDatasetReader::NotFormat114);
    QCOMPARE(describe(variables), describe(previousVariables()));
    // Even a release byte alone is enough to know.
    QCOMPARE(readBytes(QByteArray(1, char(release)), variables), StataDatasetReader::NotFormat114);
}

void StataDatasetReaderTest::unreadablePathIsRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing file") << QStringLiteral("no such file.dta");
    QTest::newRow("missing directory") << QStringLiteral("nowhere/survey.dta");
    QTest::newRow("directory") << QString();
}

void StataDatasetReaderTest::unreadablePathIsRefused()
{
    QFETCH(QString, name);
    QTemporaryDir directory;
    QList<Variable> variables = previousVariables();
    QCOMPARE(readStataDataset(variables, directory.filePath(name)), StataDatasetReader::CannotOpen);
    QCOMPARE(describe(variables), describe(previousVariables()));
}

void StataDatasetReaderTest::fileNameFormReadsTheFile()
{
    QTemporaryDir directory;
    const QString fileName = directory.filePath(QStringLiteral("survey.dta"));
    QVERIFY(surveyWriter().writeFile(fileName));
    QList<Variable> variables;
    QCOMPARE(readStataDataset(variables, fileName), StataDatasetReader::Success);
    QCOMPARE(describe(variables), surveyDescription());
}

void StataDatasetReaderTest::unopenedDeviceIsRefused()
{
    QBuffer buffer;
    buffer.setData(surveyWriter().toByteArray());
    QList<Variable> variables;
    QCOMPARE(StataDatasetReader::read(buffer, variables), StataDatasetReader::CannotOpen);
    QVERIFY(variables.isEmpty());
}

void StataDatasetReaderTest::failingDeviceIsRefused_data()
{
    QTest::addColumn<qint64>("failAt");
    DtaWriter::Sections at;
    surveyWriter().toByteArray(&at);
    QTest::newRow("at once") << qint64(0);
    QTest::newRow("in the header") << qint64(20);
    QTest::newRow("in the descriptors") << at.descriptors + 10;
    QTest::newRow("in the expansion fields") << at.expansionFields + 2;
    QTest::newRow("in the value labels") << at.valueLabelTables.at(2) + 50;
}

void StataDatasetReaderTest::failingDeviceIsRefused()
{
    QFETCH(qint64, failAt);
    FailingBuffer buffer(surveyWriter().toByteArray(), failAt);
    QList<Variable> variables = previousVariables();
    QCOMPARE(StataDatasetReader::read(buffer, variables), StataDatasetReader::CannotOpen);
    QCOMPARE(describe(variables), describe(previousVariables()));
}

void StataDatasetReaderTest::cutAtSectionBoundaries_data()
{
    QTest::addColumn<qint64>("length");
    QTest::addColumn<QStringList>("expected"); // empty: refused as incomplete

    DtaWriter::Sections at;
    surveyWriter().toByteArray(&at);
    const QStringList survey = surveyDescription();
    // Without the sets "sex" and "yesno" no variable has modalities.
    QStringList unlabelled;
    std::copy_if(survey.cbegin(), survey.cend(), std::back_inserter(unlabelled),
                 [](const QString &line) { return !line.startsWith(QLatin1Char(' ')); });
    // With "sex" only.
    const QStringList sexOnly = unlabelled.mid(0, 2) + survey.mid(2, 2) + unlabelled.mid(2);

    QTest::newRow("empty") << qint64(0) << QStringList();
    QTest::newRow("release byte only") << qint64(1) << QStringList();
    QTest::newRow("inside the header") << qint64(50) << QStringList();
    QTest::newRow("after the header") << at.descriptors << QStringList();
    QTest::newRow("inside the descriptors") << at.descriptors + 100 << QStringList();
    QTest::newRow("after the descriptors") << at.expansionFields << QStringList();
    QTest::newRow("inside an expansion record") << at.expansionFields + 7 << QStringList();
    QTest::newRow("before the terminating record") << at.data - 5 << QStringList();
    QTest::newRow("inside the terminating record") << at.data - 2 << QStringList();
    QTest::newRow("after the expansion fields") << at.data << QStringList();
    QTest::newRow("inside the observations") << at.data + 10 << QStringList();
    // A file that ends where a value-label table could begin is a whole
    // dataset: what it holds is kept, tables it does not hold are not there.
    QTest::newRow("after the observations") << at.valueLabels << unlabelled;
    QTest::newRow("inside a table header") << at.valueLabels + 20 << QStringList();
    QTest::newRow("inside the values") << at.valueLabelTables.at(1) - 20 << QStringList();
    QTest::newRow("inside the text area") << at.valueLabelTables.at(1) - 3 << QStringList();
    QTest::newRow("after the first table") << at.valueLabelTables.at(1) << sexOnly;
    QTest::newRow("after the unused table") << at.valueLabelTables.at(2) << sexOnly;
    QTest::newRow("inside the last table") << at.end - 1 << QStringList();
    QTest::newRow("whole file") << at.end << survey;
}

void StataDatasetReaderTest::cutAtSectionBoundaries()
{
    QFETCH(qint64, length);
    QFETCH(QStringList, expected);
    QList<Variable> variables = previousVariables();
    const StataDatasetReader::Result result =
        readBytes(surveyWriter().toByteArray().left(length), variables);
    if (expected.isEmpty()) {
        QCOMPARE(result, StataDatasetReader::NotComplete);
        QCOMPARE(describe(variables), describe(previousVariables()));
    } else {
        QCOMPARE(result, StataDatasetReader::Success);
        QCOMPARE(describe(variables), describe(previousVariables()) + expected);
    }
}

// Every prefix of a dataset, in both byte orders: only a cut where a value-label
// table could begin reads as a dataset; every other cut is refused whole.
void StataDatasetReaderTest::cutAtEveryByte()
{
    for (DtaWriter::ByteOrder order : {DtaWriter::LittleEndian, DtaWriter::BigEndian}) {
        DtaWriter::Sections at;
        const QByteArray whole = surveyWriter(order).toByteArray(&at);
        const QList<qint64> wholeCuts = QList<qint64>{at.valueLabels} + at.valueLabelTables;
        for (qint64 length = 0; length < whole.size(); ++length) {
            QList<Variable> variables;
            const StataDatasetReader::Result result = readBytes(whole.left(length), variables);
            const bool atBoundary = wholeCuts.contains(length);
            if (result !=
                (atBoundary ? StataDatasetReader::Success : StataDatasetReader::NotComplete))
                QFAIL(qPrintable(QStringLiteral("cut at %1 of %2 gave %3")
                                     .arg(length)
                                     .arg(at.end)
                                     .arg(int(result))));
            QCOMPARE(variables.size(), atBoundary ? 6 : 0);
        }
    }
}

void StataDatasetReaderTest::corruptCounts_data()
{
    QTest::addColumn<QByteArray>("bytes");

    DtaWriter::Sections at;
    const QByteArray whole = surveyWriter().toByteArray(&at);
    const qint64 yesno = at.valueLabelTables.at(2);
    auto patched = [&whole](qint64 offset, qint32 value) {
        QByteArray bytes = whole;
        putInt32(bytes, offset, value);
        return bytes;
    };
    auto patchedByte = [&whole](qint64 offset, char value) {
        QByteArray bytes = whole;
        bytes[offset] = value;
        return bytes;
    };
    auto patchedNvar = [&whole](qint16 value) {
        QByteArray bytes = whole;
        qToLittleEndian(value, bytes.data() + 4);
        return bytes;
    };

    QTest::newRow("huge nvar") << patchedNvar(32767);
    QTest::newRow("negative nvar") << patchedNvar(-1);
    QTest::newRow("huge nobs") << patched(6, 2147483647);
    QTest::newRow("negative nobs") << patched(6, -1);
    QTest::newRow("byte order 0") << patchedByte(1, 0);
    QTest::newRow("byte order 3") << patchedByte(1, 3);
    QTest::newRow("storage type 0") << patchedByte(at.descriptors, 0);
    QTest::newRow("storage type 250") << patchedByte(at.descriptors, char(250));
    QTest::newRow("huge expansion length") << patched(at.expansionFields + 1, 2147483647);
    QTest::newRow("negative expansion length") << patched(at.expansionFields + 1, -5);
    QTest::newRow("huge n") << patched(yesno + 40, 2147483647);
    QTest::newRow("n just too big") << patched(yesno + 40, 5);
    QTest::newRow("negative n") << patched(yesno + 40, -1);
    QTest::newRow("huge txtlen") << patched(yesno + 44, 2147483647);
    QTest::newRow("txtlen one too many") << patched(yesno + 44, qint32(at.end - yesno - 79));
    QTest::newRow("negative txtlen") << patched(yesno + 44, -2);
    QTest::newRow("huge n in an unused table") << patched(at.valueLabelTables.at(1) + 40, 1 << 30);
    // "Non risponde\0Non sa\0Sì\0No\0" with its last NUL gone: three labels
    // for four values.
    QTest::newRow("label without its NUL") << patchedByte(at.end - 1, 'x');
    QTest::newRow("trailing bytes") << whole + QByteArray(10, '\0');
}

void StataDatasetReaderTest::corruptCounts()
{
    QFETCH(QByteArray, bytes);
    QList<Variable> variables = previousVariables();
    QCOMPARE(readBytes(bytes, variables), StataDatasetReader::NotComplete);
    QCOMPARE(describe(variables), describe(previousVariables()));
}

void StataDatasetReaderTest::missingTerminatingExpansionRecord()
{
    DtaWriter writer;
    writer.addVariable(QStringLiteral("v"), QStringLiteral("V"), DtaWriter::Byte);
    writer.addExpansionField(1, QByteArray(12, 'c'));
    DtaWriter::Sections at;
    QByteArray bytes = writer.toByteArray(&at);
    QCOMPARE(at.end, at.data);
    bytes.chop(5);
    QList<Variable> variables;
    QCOMPARE(readBytes(bytes, variables), StataDatasetReader::NotComplete);
    QVERIFY(variables.isEmpty());
    QCOMPARE(readBytes(bytes + QByteArray(5, '\0'), variables), StataDatasetReader::Success);
    QCOMPARE(describe(variables), QStringList(QStringLiteral("v | V | 251")));
}

void StataDatasetReaderTest::tooManyModalitiesAreRefused()
{
    // 100 variables sharing a set of 20,001 labels ask for 2,000,100
    // modalities from a file of a quarter of a megabyte.
    DtaWriter writer;
    for (int i = 0; i < 100; ++i)
        writer.addVariable(QStringLiteral("v%1").arg(i), QString(), DtaWriter::Int,
                           QStringLiteral("many"));
    Set many{QStringLiteral("many"), {}};
    for (int value = 0; value <= 20000; ++value)
        many.entries.append({value, QStringLiteral("x")});
    writer.addValueLabelSet(many);
    QList<Variable> variables = previousVariables();
    QCOMPARE(readBytes(writer.toByteArray(), variables), StataDatasetReader::TooManyLabels);
    QCOMPARE(describe(variables), describe(previousVariables()));
}

void StataDatasetReaderTest::messages_data()
{
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("message");
    QTest::newRow("cannot open") << int(StataDatasetReader::CannotOpen)
                                 << QStringLiteral("Cannot read the file");
    QTest::newRow("not 114") << int(StataDatasetReader::NotFormat114)
                             << QStringLiteral("Not format-114 dataset.");
    QTest::newRow("not complete") << int(StataDatasetReader::NotComplete)
                                  << QStringLiteral("The file is not a complete Stata dataset.");
    QTest::newRow("too many labels")
        << int(StataDatasetReader::TooManyLabels)
        << QStringLiteral("The variables of this dataset carry more than %1 value labels in all, "
                          "more than Quorin can import.")
               .arg(QLocale().toString(2000000));
    QTest::newRow("success") << int(StataDatasetReader::Success) << QString();
}

void StataDatasetReaderTest::messages()
{
    QFETCH(int, result);
    QFETCH(QString, message);
    QCOMPARE(StataDatasetReader::message(StataDatasetReader::Result(result)), message);
    QCOMPARE(int(StataDatasetReader::CannotOpen), 0);
    QCOMPARE(int(StataDatasetReader::NotFormat114), 1);
    QCOMPARE(int(StataDatasetReader::Success), 2);
}

QTEST_GUILESS_MAIN(StataDatasetReaderTest)
#include "StataDatasetReaderTest.moc"
