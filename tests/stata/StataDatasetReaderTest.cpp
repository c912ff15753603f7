#include "stata/StataDatasetReader.h"

#include "DataRows.h"
#include "DtaWriter.h"
#include "ReadStatDtaWriter.h"

#include <QBuffer>
#include <QLocale>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

using Type = ReadStatDtaWriter::Type;
using Result = StataDatasetReader::Result;

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

// Counts what the reader takes from the device, and fails from a given
// position on, as a disk or a network share can fail in the middle of a file.
class WatchedBuffer : public QBuffer
{
public:
    explicit WatchedBuffer(const QByteArray &bytes, qint64 failAt = -1)
        : m_failAt(failAt)
    {
        setData(bytes);
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    qint64 bytesRead = 0;

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (m_failAt >= 0 && pos() + maxSize > m_failAt)
            return -1;
        const qint64 read = QBuffer::readData(data, maxSize);
        bytesRead += qMax<qint64>(read, 0);
        return read;
    }

private:
    qint64 m_failAt;
};

Result readBytes(const QByteArray &bytes, QList<Variable> &variables)
{
    WatchedBuffer buffer(bytes);
    return StataDatasetReader::read(buffer, variables);
}

// A variable list that a failed read must leave untouched.
QList<Variable> previousVariables()
{
    Variable kept("kept", "Typed in by hand", 0);
    kept.appendModality(Modality("1", "One", kept.name(), kept.label()));
    return {kept};
}

// ReadStat writes no value labels into release 104.
constexpr int firstLabelledRelease = 105;

// A survey in any release: every storage type the release has, a shared set,
// an unused one, a set named like another but for its case, negative values,
// an empty label and texts that only Windows-1252 or UTF-8 can hold. Releases
// from 117 on add a 2,045-byte string and a strL.
ReadStatDtaWriter surveyWriter(int release)
{
    ReadStatDtaWriter writer(release);
    writer.setDataLabel("Indagine");
    writer.addVariable("id", "Identifier", Type::Long);
    writer.addVariable("sesso", "Sesso", Type::Byte, 0, "sex");
    writer.addVariable("genere", QString(), Type::Byte, 0, "Sex");
    writer.addVariable("citta", "Città, € 10", Type::String, 20);
    writer.addVariable("q1", "Soddisfatto?", Type::Int, 0, "yesno");
    writer.addVariable("q2", "“Consiglierebbe?”", Type::Int, 0, "yesno");
    writer.addVariable("peso", "Peso", Type::Float);
    writer.addVariable("reddito", "Reddito", Type::Double);
    writer.addVariable("s1", QString(), Type::String, 1);
    QVariantList first = {1, 1, 1, QString("Città"), 1, -9, 1.5, 1234.5, QString("x")};
    QVariantList second = {2, 2, QVariant(), QString("Roma"), -9, 3, QVariant(), 0.25, QString()};
    if (release >= 111) {
        writer.addVariable("s244", QString(), Type::String, 244);
        first.append(QString(244, QLatin1Char('a')));
        second.append(QString());
    }
    if (release >= 117) {
        writer.addVariable("lungo", "Lungo", Type::String, 2045);
        writer.addVariable("nota", "Nota", Type::StrL);
        first << QString(2045, QLatin1Char('b')) << QString("Una nota più lunga");
        second << QString("b") << QString();
    }
    writer.addObservation(first);
    writer.addObservation(second);
    if (release < firstLabelledRelease)
        return writer;
    writer.addValueLabelSet({"sex", {{1, "Maschio"}, {2, "Femmina"}}});
    writer.addValueLabelSet({"Sex", {{1, "Uomo"}}});
    writer.addValueLabelSet({"unused", {{1, "Never shown"}}});
    writer.addValueLabelSet({"yesno", {{-9, "Non risponde"}, {-1, ""}, {1, "Sì"}, {2, "No, € 0"}}});
    return writer;
}

QStringList surveyDescription(int release)
{
    QStringList lines = {
        "id | Identifier | 253",           "sesso | Sesso | 251", "    1 = Maschio (sesso | Sesso)",
        "    2 = Femmina (sesso | Sesso)", "genere |  | 251",     "    1 = Uomo (genere | )",
        "citta | Città, € 10 | 20"};
    for (const QString name : {"q1", "q2"}) {
        const QString label = name == "q1" ? "Soddisfatto?" : "“Consiglierebbe?”";
        lines << name + " | " + label + " | 252";
        for (const QString entry : {"-9 = Non risponde", "-1 = ", "1 = Sì", "2 = No, € 0"})
            lines << QStringLiteral("    %1 (%2 | %3)").arg(entry, name, label);
    }
    lines += {"peso | Peso | 254", "reddito | Reddito | 255", "s1 |  | 1"};
    if (release >= 111)
        lines << "s244 |  | 244";
    if (release >= 117)
        lines += {"lungo | Lungo | 0", "nota | Nota | 0"};
    if (release < firstLabelledRelease)
        lines.removeIf([](const QString &line) { return line.startsWith(' '); });
    return lines;
}

// The old hand-built release-114 survey, in either byte order: ReadStat's
// writer only writes the byte order of the machine it runs on.
DtaWriter handBuiltSurvey(DtaWriter::ByteOrder order)
{
    DtaWriter writer;
    writer.setByteOrder(order);
    writer.addVariable("id", "Identifier", DtaWriter::Long);
    writer.addVariable("sesso", "Sesso", DtaWriter::Byte, "sex");
    writer.addVariable("citta", "Città", 20);
    writer.addVariable("q1", "Soddisfatto?", DtaWriter::Int, "yesno");
    writer.addExpansionField(1, QByteArray("characteristic", 14));
    writer.addObservation({1, 1, "Roma", -9});
    writer.addObservation({2, QVariant(), "Città", 1});
    writer.addValueLabelSet({"sex", {{1, "Maschio"}, {2, "Femmina"}}});
    writer.addValueLabelSet({"yesno", {{-9, "Non risponde"}, {1, "Sì"}}});
    return writer;
}

const QStringList handBuiltDescription =
    QStringList{"id | Identifier | 253", "sesso | Sesso | 251", "    1 = Maschio (sesso | Sesso)",
                "    2 = Femmina (sesso | Sesso)"} +
    QStringList{"citta | Città | 20", "q1 | Soddisfatto? | 252",
                "    -9 = Non risponde (q1 | Soddisfatto?)", "    1 = Sì (q1 | Soddisfatto?)"};

// The "yesno" text area written in the opposite order, its offsets changed
// to match: only a reader that follows the offsets still pairs each label
// with its value. Releases before 118 hold Windows-1252, later ones UTF-8.
QByteArray withLabelTextReversed(QByteArray bytes, int release)
{
    QList<QByteArray> labels;
    for (const QString label : {"Non risponde", "", "Sì", "No, € 0"})
        labels << (release >= 118 ? label.toUtf8() : QStringEncoder("windows-1252").encode(label));
    QByteArray text, reversed;
    for (const QByteArray &label : labels)
        text += label + '\0';
    QList<qint32> offsets(labels.size());
    for (qsizetype i = labels.size() - 1; i >= 0; --i) {
        offsets[i] = qint32(reversed.size());
        reversed += labels.at(i) + '\0';
    }
    const qsizetype textAt = bytes.indexOf(text);
    if (textAt <= 0 || reversed == text)
        qFatal("the yesno labels are not where the test expects them");
    bytes.replace(textAt, text.size(), reversed);
    // Offsets, then values, then the text area.
    for (qsizetype i = 0; i < offsets.size(); ++i)
        qToLittleEndian(offsets.at(i), bytes.data() + textAt - 8 * labels.size() + 4 * i);
    return bytes;
}

QByteArray patched(QByteArray bytes, qsizetype at, const QByteArray &replacement)
{
    return bytes.replace(at, replacement.size(), replacement);
}

QByteArray int32Bytes(qint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

} // namespace

class StataDatasetReaderTest : public QObject
{
    Q_OBJECT

private slots:
    void readsEveryRelease_data()
    {
        QTest::addColumn<int>("release");
        for (int release : {104, 105, 108, 110, 111, 113, 114, 115, 117, 118, 119})
            QTest::addRow("%d", release) << release;
    }

    void readsEveryRelease()
    {
        QFETCH(int, release);
        QTemporaryDir directory;
        const QString fileName = directory.filePath("survey.dta");
        QString error;
        QVERIFY2(surveyWriter(release).writeFile(fileName, &error), qPrintable(error));
        QList<Variable> variables = previousVariables();
        QCOMPARE(readStataDataset(variables, fileName), StataDatasetReader::Success);
        QCOMPARE(describe(variables), describe(previousVariables()) + surveyDescription(release));
    }
    // The "yesno" labels written in the opposite order, their offsets
    // changed to match: only a reader that follows the offsets still pairs
    // each label with its value. Stata labels its extended missing values
    // too; a condition names them ".a" to ".z", as the modality's value then
    // does.
    void labelsAsStataKeepsThem_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("description");
        for (int release : {114, 118})
            QTest::addRow("offsets in %d", release)
                << withLabelTextReversed(surveyWriter(release).toByteArray(), release)
                << surveyDescription(release);
        // "yesno": four values, then its text area; the second value, -1,
        // becomes .a (2147483622 in a long).
        const QByteArray bytes = surveyWriter(118).toByteArray();
        const qsizetype minusOne = bytes.indexOf(QByteArray("Non risponde") + '\0') - 12;
        QCOMPARE(qFromLittleEndian<qint32>(bytes.constData() + minusOne), -1);
        QStringList description = surveyDescription(118);
        description.replaceInStrings("    -1 = ", "    .a = ");
        dataRow("extended missing value", patched(bytes, minusOne, int32Bytes(2147483622)),
                description);
    }

    void labelsAsStataKeepsThem()
    {
        QFETCH(QByteArray, bytes);
        QList<Variable> variables;
        QCOMPARE(readBytes(bytes, variables), StataDatasetReader::Success);
        QTEST(describe(variables), "description");
    }
    // The labels stay in the order the file keeps them, which here is not
    // that of their values.
    void readsTheCommittedExampleSurvey()
    {
        QList<Variable> variables;
        QCOMPARE(readStataDataset(variables, QUORIN_SOURCE_DIR "/examples/survey.dta"),
                 StataDatasetReader::Success);
        QCOMPARE(variables.size(), 9);
        QStringList employment;
        for (const Modality &modality : variables.at(6).modalities())
            employment << modality.value() + '=' + modality.valueLabel() + '/' +
                              modality.varLabel();
        QCOMPARE(employment, QStringList({"1=Employed/Employment status one year ago",
                                          "2=Unemployed/Employment status one year ago",
                                          "3=Inactive/Employment status one year ago",
                                          "-9=No answer/Employment status one year ago"}));
    }
    // A reader that read the observations would take the whole file; one
    // that skips them takes the descriptors and the labels only.
    void observationsAreNeverRead_data()
    {
        QTest::addColumn<int>("release");
        QTest::newRow("114: labels after the observations") << 114;
        QTest::newRow("118: observations and strLs") << 118;
    }

    void observationsAreNeverRead()
    {
        QFETCH(int, release);
        ReadStatDtaWriter writer = surveyWriter(release);
        writer.addBlankObservations(200000);
        const QByteArray bytes = writer.toByteArray();
        QVERIFY(bytes.size() > 200000 * 50);
        WatchedBuffer buffer(bytes);
        QList<Variable> variables;
        QCOMPARE(StataDatasetReader::read(buffer, variables), StataDatasetReader::Success);
        QCOMPARE(describe(variables), surveyDescription(release));
        QVERIFY2(buffer.bytesRead < bytes.size() / 25,
                 qPrintable(QString::number(buffer.bytesRead)));
    }

    void refusedFilesLeaveTheListUnchanged_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("result");
        const int notReadable = StataDatasetReader::NotReadable;
        const int notComplete = StataDatasetReader::NotComplete;
        DtaWriter release113 = handBuiltSurvey(DtaWriter::LittleEndian);
        release113.setRelease(113 - 10);
        const QByteArray r114 = surveyWriter(114).toByteArray();
        const QByteArray r118 = surveyWriter(118).toByteArray();
        const qsizetype yesno114 = r114.lastIndexOf("yesno") - 4; // its table's length field
        dataRow("text file", QByteArray("id;sex\n1;2\n"), notReadable);
        dataRow("release 103", release113.toByteArray(), notReadable);
        dataRow("release 120", patched(r118, r118.indexOf("<release>") + 9, "120"), notReadable);
        dataRow("byte order 3", patched(r114, 1, "\x03"), notReadable);
        dataRow("file type 2", patched(r114, 2, "\x02"), notReadable);
        dataRow("empty", QByteArray(), notComplete);
        dataRow("huge nvar", patched(r114, 4, "\xff\x7f"), notComplete);
        dataRow("huge nobs", patched(r114, 6, int32Bytes(0x7fffffff)), notComplete);
        dataRow("negative nobs", patched(r114, 6, int32Bytes(-1)), notComplete);
        dataRow("huge table length", patched(r114, yesno114, int32Bytes(0x7fffffff)), notComplete);
        dataRow("trailing bytes", r114 + QByteArray(10, '\0'), notComplete);
        dataRow("118 without its closing tag", r118.chopped(1), notComplete);
        dataRow("118 with a broken tag",
                patched(r118, r118.indexOf("<value_labels>"), "<vXlue_labels>"), notComplete);
        dataRow("118 with a huge variable count",
                patched(r118, r118.indexOf("<K>") + 3, "\xff\xff"), notComplete);
    }

    void refusedFilesLeaveTheListUnchanged()
    {
        QFETCH(QByteArray, bytes);
        QList<Variable> variables = previousVariables();
        QTEST(int(readBytes(bytes, variables)), "result");
        QCOMPARE(describe(variables), describe(previousVariables()));
    }

    void cutAtEveryByte_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<qint64>>("wholeCuts"); // lengths that still read as a dataset
        QTest::addColumn<QStringList>("description");
        for (auto order : {DtaWriter::LittleEndian, DtaWriter::BigEndian}) {
            DtaWriter::Sections at;
            const QByteArray bytes = handBuiltSurvey(order).toByteArray(&at);
            QCOMPARE(bytes.at(1), char(order == DtaWriter::BigEndian ? 1 : 2));
            // Before 117 the value-label tables run to the end of the file, so
            // a cut between two of them leaves a shorter but whole dataset.
            QTest::addRow("114 %s", order == DtaWriter::BigEndian ? "big-endian" : "little-endian")
                << bytes << (QList<qint64>{at.valueLabels} + at.valueLabelTables)
                << handBuiltDescription;
        }
        QTest::newRow("118 with a strL")
            << surveyWriter(118).toByteArray() << QList<qint64>() << surveyDescription(118);
    }
    // The whole dataset, in either byte order, reads as described; of its
    // prefixes none crashes, none is taken for a foreign file, and only a cut
    // where a value-label table could begin reads as a dataset.
    void cutAtEveryByte()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<qint64>, wholeCuts);
        QList<Variable> whole;
        QCOMPARE(readBytes(bytes, whole), StataDatasetReader::Success);
        QTEST(describe(whole), "description");
        for (qint64 length = 0; length < bytes.size(); ++length) {
            QList<Variable> variables;
            const Result result = readBytes(bytes.left(length), variables);
            const bool isWhole = wholeCuts.contains(length);
            if (result != (isWhole ? StataDatasetReader::Success : StataDatasetReader::NotComplete))
                QFAIL(qPrintable(QStringLiteral("cut at %1 of %2 gave %3")
                                     .arg(length)
                                     .arg(bytes.size())
                                     .arg(int(result))));
            QCOMPARE(variables.size(), isWhole ? whole.size() : 0);
        }
    }

    void unreadableSourcesAreRefused_data()
    {
        QTest::addColumn<QString>("name"); // empty: a device instead of a file
        QTest::addColumn<qint64>("failAt");
        dataRow("missing file", "no such file.dta", qint64(-1));
        dataRow("directory", ".", qint64(-1));
        dataRow("device not open", QString(), qint64(-2));
        dataRow("device failing in the descriptors", QString(), qint64(300));
        dataRow("device failing in the labels", QString(), qint64(4000));
    }

    void unreadableSourcesAreRefused()
    {
        QFETCH(QString, name);
        QFETCH(qint64, failAt);
        QList<Variable> variables = previousVariables();
        if (!name.isEmpty()) {
            QTemporaryDir directory;
            QCOMPARE(readStataDataset(variables, directory.filePath(name)),
                     StataDatasetReader::CannotOpen);
        } else {
            const QByteArray bytes = surveyWriter(118).toByteArray();
            QVERIFY(failAt < bytes.size());
            WatchedBuffer buffer(bytes, qMax<qint64>(failAt, 0));
            if (failAt == -2)
                buffer.close();
            QCOMPARE(StataDatasetReader::read(buffer, variables), StataDatasetReader::CannotOpen);
        }
        QCOMPARE(describe(variables), describe(previousVariables()));
    }
    // 100 variables sharing a set of 20,001 labels ask for 2,000,100
    // modalities from a file of a quarter of a megabyte.
    void tooManyModalitiesAreRefused()
    {
        ReadStatDtaWriter writer(118);
        for (int i = 0; i < 100; ++i)
            writer.addVariable(QStringLiteral("v%1").arg(i), QString(), Type::Int, 0, "many");
        ReadStatDtaWriter::ValueLabelSet many{"many", {}};
        for (int value = 0; value <= 20000; ++value)
            many.entries.append({value, "x"});
        writer.addValueLabelSet(many);
        QList<Variable> variables = previousVariables();
        QCOMPARE(readBytes(writer.toByteArray(), variables), StataDatasetReader::TooManyLabels);
        QCOMPARE(describe(variables), describe(previousVariables()));
        QCOMPARE(StataDatasetReader::message(Result::TooManyLabels),
                 QStringLiteral("The variables of this dataset carry more than %1 value labels in "
                                "all, more than Quorin can import.")
                     .arg(QLocale().toString(2000000)));
    }
};

QTEST_GUILESS_MAIN(StataDatasetReaderTest)
#include "StataDatasetReaderTest.moc"
