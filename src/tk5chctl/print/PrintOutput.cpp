// SPDX-License-Identifier: BSD-3-Clause
#include "PrintOutput.h"

#include "PageSurface.h"
#include "mdlPrintChart.h"

#include "common/ChartError.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

namespace tk5 {

namespace {

[[noreturn]] void fail(ChartError::Kind kind, const QString& text) {
    throw ChartError(kind, text.toStdString());
}

} // namespace

QPageSize defaultPageSize() {
    return QPageSize(QLocale::system().measurementSystem() == QLocale::ImperialUSSystem
                         ? QPageSize::Letter
                         : QPageSize::A4);
}

void printChartOn(const PrintJob& job, QPagedPaintDevice& device) {
    device.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&device))
        fail(ChartError::Kind::Printer, QStringLiteral("The printer cannot start the page."));
    // Page units: 1/300 inch, whatever the device's resolution.
    const double sx = device.logicalDpiX() / kPageUnitsPerInch;
    const double sy = device.logicalDpiY() / kPageUnitsPerInch;
    painter.scale(sx, sy);
    PageSurface page(painter, static_cast<float>(device.width() / sx),
                     static_cast<float>(device.height() / sy));
    page.setLog(job.log);
    PrintEntireChart(job.state, job.custom_ma_periods, page); // a failure ends the painter too
    if (!painter.end())
        fail(ChartError::Kind::Printer, QStringLiteral("The printer did not take the page."));
}

void printChartToPdf(const PrintJob& job, const QString& path, const QPageSize& size) {
    const QString shown = QDir::toNativeSeparators(path);
    if (path.isEmpty()) fail(ChartError::Kind::File, QStringLiteral("No PDF file is named."));
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        fail(ChartError::Kind::File,
             QStringLiteral("The PDF \"%1\" cannot be written: its folder does not exist.")
                 .arg(shown));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail(ChartError::Kind::File,
             QStringLiteral("The PDF \"%1\" cannot be written: %2").arg(shown, file.errorString()));
    {
        QPdfWriter writer(&file);
        writer.setResolution(static_cast<int>(kPageUnitsPerInch));
        writer.setPageSize(size.isValid() ? size : defaultPageSize());
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setCreator(QStringLiteral("tk5chctl"));
        writer.setTitle(QStringLiteral("Price History - ") + (job.state.company_name.isEmpty()
                                                                  ? job.state.ticker_name
                                                                  : job.state.company_name));
        printChartOn(job, writer);
    }
    if (file.error() != QFileDevice::NoError || !file.commit())
        fail(ChartError::Kind::File,
             QStringLiteral("The PDF \"%1\" cannot be written: %2").arg(shown, file.errorString()));
}

void printChartOnDefaultPrinter(const PrintJob& job) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        fail(ChartError::Kind::Printer,
             QStringLiteral("No printer is installed: choose a printer or a PDF file to print "
                            "the chart to."));
    QPrinter printer(info, QPrinter::HighResolution);
    printChartOn(job, printer);
}

void printChart(const PrintJob& job, const PrintTarget& target) {
    if (target.device)
        printChartOn(job, *target.device);
    else if (!target.pdfPath.isEmpty())
        printChartToPdf(job, target.pdfPath, target.pageSize);
    else
        printChartOnDefaultPrinter(job);
}

} // namespace tk5
