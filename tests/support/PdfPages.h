#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace zendrik::test {

// The pages of a PDF as pdftotext reads them, after pdfinfo confirmed their number.
inline QStringList PdfPages(const QString& pdf, int count)
{
    QProcess info, text;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!info.waitForFinished(30000) || !text.waitForFinished(30000) || text.exitCode() != 0) {
        ADD_FAILURE() << "pdfinfo and pdftotext (poppler-utils) are needed";
        return {};
    }
    const QString pages = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(pages.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\b").arg(count)))) << pages.toStdString();
    return QString::fromUtf8(text.readAllStandardOutput()).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
}

} // namespace zendrik::test
