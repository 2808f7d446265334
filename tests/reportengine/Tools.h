#pragma once

#include <QProcess>
#include <QStringList>

namespace rpttest {

// Standard output of a program run to its end; empty when it could not run.
inline QString runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of a PDF file, one page after another separated by form feeds.
inline QString pdfText(const QString& fileName) { return runTool("pdftotext", {"-layout", fileName, "-"}); }

// pdftotext ends every page with a form feed.
inline int pdfPageCount(const QString& fileName) { return int(pdfText(fileName).count('\f')); }

// Whether every needle occurs in the haystack, each after the one before.
inline bool inOrder(const QString& haystack, const QStringList& needles) {
    qsizetype at = 0;
    for (const QString& needle : needles) {
        at = haystack.indexOf(needle, at);
        if (at < 0) return false;
        at += needle.size();
    }
    return true;
}

}  // namespace rpttest
