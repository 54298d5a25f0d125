// SPDX-License-Identifier: BSD-3-Clause
#include "NamesService.h"

#include <QHttpServerRequest>
#include <QHttpServerResponse>
#include <QTcpServer>
#include <QUrl>

#include <utility>

namespace tk5names {

NamesService::NamesService(NamesTable table) : table_(std::move(table)) {
    server_.route(path.toString(), QHttpServerRequest::Method::Get,
                  [this](const QHttpServerRequest& request) { return answer(request); });
}

quint16 NamesService::listen(const QHostAddress& address, quint16 port, QString& error) {
    auto* tcp = new QTcpServer(&server_);
    if (!tcp->listen(address, port)) {
        error = tcp->errorString();
        delete tcp;
        return 0;
    }
    server_.bind(tcp);
    return tcp->serverPort();
}

QHttpServerResponse NamesService::answer(const QHttpServerRequest& request) const {
    const QUrl url = request.url();
    // The router reads its path as a pattern, where "." matches any character.
    if (url.path(QUrl::FullyEncoded) != path)
        return QHttpServerResponse(QHttpServerResponse::StatusCode::NotFound);
    // The whole query is the ticker: no key, and "&" or "=" are part of it.
    const QString ticker = QUrl::fromPercentEncoding(url.query(QUrl::FullyEncoded).toLatin1());
    const QString name = table_.name(ticker);
    QByteArray body;
    if (!name.isEmpty()) body = name.toLatin1() + "\r\n";
    return QHttpServerResponse(QByteArrayLiteral("text/plain; charset=ISO-8859-1"),
                               std::move(body));
}

} // namespace tk5names
