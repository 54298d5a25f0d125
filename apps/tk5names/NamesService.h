// SPDX-License-Identifier: BSD-3-Clause
#pragma once

// The lookup service: an HTTP server that answers GET /cgi-bin/ticker.pl?TICKER with the
// ticker's company name from a names table, on the event loop of the thread that owns it.

#include "NamesTable.h"

#include <QHostAddress>
#include <QHttpServer>
#include <QString>

namespace tk5names {

class NamesService {
public:
    // The path the chart control asks; the query after "?" is the ticker.
    static constexpr QStringView path = u"/cgi-bin/ticker.pl";

    explicit NamesService(NamesTable table);

    // Starts listening on address and port (0 picks a free port). The port listened on, or 0
    // with why not in `error`. Requests are answered while the event loop runs.
    quint16 listen(const QHostAddress& address, quint16 port, QString& error);

    const NamesTable& table() const { return table_; }

private:
    QHttpServerResponse answer(const QHttpServerRequest& request) const;

    NamesTable table_;
    QHttpServer server_; // after the table: its route refers to the table
};

} // namespace tk5names
