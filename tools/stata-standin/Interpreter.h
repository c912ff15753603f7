#pragma once

#include "Dataset.h"
#include "DoFileReader.h"
#include "ExpressionContext.h"
#include "FileHandles.h"
#include "MacroExpander.h"
#include "MacroSource.h"
#include "Matrix.h"
#include "StoredResults.h"

#include <QMap>
#include <QStringList>

class LineScanner;
class SessionLog;

// Runs the lines of a do-file: expands each line's macros when it is
// reached (so loop bodies are expanded anew on every pass), follows the
// forvalues and if/else blocks, and executes the commands the stand-in
// knows. The first error stops the run: it is logged with the line it came
// from and no later line runs.
class Interpreter : public MacroSource, public ExpressionContext
{
public:
    explicit Interpreter(SessionLog &log);

    // The do-file's arguments: `0' holds them all, `1', `2', ... each one.
    void setArguments(const QStringList &arguments);
    // 0 when the do-file ran to its end (or to "exit"), else the return
    // code of the error that stopped it.
    int run(const QList<SourceLine> &lines);

    // MacroSource
    QString localMacro(const QString &name) const override;
    QString globalMacro(const QString &name) const override;
    QString inlineExpression(const QString &expression) override;
    QString inlineExtendedFunction(const QString &text) override;

    // ExpressionContext
    int variableIndex(const QString &name) const override;
    StataValue variableValue(int variable, int observation) const override;
    int observationCount() const override;
    StataValue storedResult(QChar kind, const QString &name) const override;
    double matrixElement(const QString &matrix, int row, int column) const override;

private:
    struct Syntax
    {
        QStringList variables;
        QString condition;
        QStringList options;
    };

    void executeRange(const QList<SourceLine> &lines, int begin, int end);
    int executeStatement(const QList<SourceLine> &lines, int index, int end);
    int executeIf(const QList<SourceLine> &lines, int index, int end, const QString &afterIf);
    int executeForvalues(const QList<SourceLine> &lines, int index, int end, LineScanner &scanner);
    int blockEnd(const QList<SourceLine> &lines, int open, int end) const;
    int ifStatementEnd(const QList<SourceLine> &lines, int index, int end,
                       const QString &rawAfterIf) const;
    int elseChainEnd(const QList<SourceLine> &lines, int next, int end) const;
    int nextNonEmpty(const QList<SourceLine> &lines, int index, int end) const;
    QString expandLine(const SourceLine &line);

    void executeCommand(const QString &text);
    void use(LineScanner &scanner);
    void summarize(LineScanner &scanner);
    void count(LineScanner &scanner);
    void mean(LineScanner &scanner);
    void display(LineScanner &scanner);
    void defineMacro(LineScanner &scanner, bool global);
    void tempname(LineScanner &scanner);
    void matrix(LineScanner &scanner);
    void file(LineScanner &scanner);
    void sleep(LineScanner &scanner);

    Syntax parseSyntax(LineScanner &scanner, bool variablesRequired) const;
    QList<int> selectedObservations(const QString &condition) const;
    void output(const QString &text);
    void requireEnd(LineScanner &scanner) const;

    SessionLog &m_log;
    MacroExpander m_expander;
    Dataset m_dataset;
    QMap<QString, QString> m_locals;
    QMap<QString, QString> m_globals;
    QMap<QString, Matrix> m_matrices;
    StoredResults m_r;
    StoredResults m_e;
    FileHandles m_files;
    SourceLine m_currentLine;
    int m_temporaryNames = 0;
    int m_quiet = 0;
};
