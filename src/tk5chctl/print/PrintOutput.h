// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include "model/ChartState.h"
#include "surface/DrawingSurface.h"

#include <QPageSize>
#include <QString>

#include <cstdint>

class QPagedPaintDevice;

namespace tk5 {

// Where the printed page goes and what it is drawn from.
struct PrintJob {
    const ChartState& state;
    std::int16_t custom_ma_periods = 20;
    DrawLog* log = nullptr; // every call on the page is also kept here when set
};

// The page size a PDF gets when none is asked for: US Letter where the system's measures are
// the US ones, A4 elsewhere.
QPageSize defaultPageSize();

// One page in landscape on a paged device (a printer, a PDF writer), drawn in page units over
// its printable area; the page is finished when this returns. ChartError (Printer) when the
// device refuses to be painted on or to finish the page.
void printChartOn(const PrintJob& job, QPagedPaintDevice& device);

// The page as a PDF file of that page size. It is written to a temporary file beside the
// target and put in place only when whole, so a failure (a missing or read-only folder, a
// full disk) leaves any earlier file as it was; ChartError (File) names the file and the
// reason.
void printChartToPdf(const PrintJob& job, const QString& path, const QPageSize& size);

// The page on the system's default printer; ChartError (Printer) when the system has none.
void printChartOnDefaultPrinter(const PrintJob& job);

// Where a host directs the page: a device it set up, else a PDF file, else the default
// printer.
struct PrintTarget {
    QPagedPaintDevice* device = nullptr;
    QString pdfPath;
    QPageSize pageSize; // of the PDF; invalid means defaultPageSize()
};
void printChart(const PrintJob& job, const PrintTarget& target);

} // namespace tk5
