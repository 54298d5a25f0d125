// SPDX-License-Identifier: BSD-3-Clause
// hello: the smallest host of the stock-chart control. Loads ORCL from the history folder
// beside the installed library, draws its newest 200 days and saves the control as a PNG.
//
//   hello OUT.png
//
// Prints how many days were loaded. Exits 1 when no day loaded, the chart could not be
// drawn or the picture could not be written; 2 on a wrong command line.

#include <tk5chctl/TKchart.h>

#include <QApplication>
#include <QMap>
#include <QPixmap>
#include <QString>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.png\n", argc > 0 ? argv[0] : "hello");
        return 2;
    }
    // Only a picture is made, so no display is needed.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString out = QString::fromLocal8Bit(argv[1]);

    // An in-memory settings store: the user's own settings are neither read nor written.
    const QMap<QString, QString> settings{{QStringLiteral("Tech1"), QStringLiteral("1")},
                                          {QStringLiteral("Tech2"), QStringLiteral("2")},
                                          {QStringLiteral("Tech3"), QStringLiteral("5")}};
    TKchart chart(settings);
    chart.resize(1024, 700);
    chart.show(); // lays the children out
    QApplication::processEvents();

    chart.ReadDataFile(QStringLiteral("ORCL"));
    const qint16 days = chart.loadedDays();
    std::printf("ORCL: %d days loaded from %s\n", static_cast<int>(days),
                qPrintable(chart.historyFolder()));
    if (days <= 0) {
        std::fprintf(stderr, "hello: no day of ORCL could be loaded\n");
        return 1;
    }

    chart.setStarting_date_local(1);
    chart.setEnding_date_local(200);
    try {
        chart.redraw();
    } catch (const TKchartError& e) {
        std::fprintf(stderr, "hello: the chart could not be drawn: %s\n", e.what());
        return 1;
    }

    if (!chart.grab().save(out, "PNG")) {
        std::fprintf(stderr, "hello: cannot write the picture to %s\n", qPrintable(out));
        return 1;
    }
    std::printf("wrote %s\n", qPrintable(out));
    return 0;
}
