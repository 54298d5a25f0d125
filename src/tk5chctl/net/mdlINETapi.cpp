// SPDX-License-Identifier: BSD-3-Clause
#include "mdlINETapi.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace tk5 {

namespace {

constexpr qsizetype kPiece = 4096;

} // namespace

QString WebFetch(QString& url, const std::function<void(qsizetype)>& onPiece) {
    QCoreApplication::processEvents();
    const QUrl address(url, QUrl::TolerantMode);
    if (!address.isValid() || address.host().isEmpty() ||
        (address.scheme() != QLatin1String("http") && address.scheme() != QLatin1String("https")))
        return QStringLiteral("0");

    QNetworkAccessManager manager;
    QNetworkRequest request(address);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("TKInternet"));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setTransferTimeout(kFetchTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);

    // The reply goes with the manager; the loop ends when the reply does.
    QNetworkReply* reply = manager.get(request);
    QByteArray body;
    bool opened = false;
    char buffer[kPiece];
    QEventLoop loop;
    // Whole pieces while the body comes in, the rest at its end.
    auto readPieces = [&](bool atEnd) {
        opened = true;
        while (body.size() < kMaxFetchBytes &&
               (reply->bytesAvailable() >= kPiece || (atEnd && reply->bytesAvailable() > 0))) {
            const qsizetype want = std::min(kPiece, kMaxFetchBytes - body.size());
            const qint64 n = reply->read(buffer, want);
            if (n <= 0) break;
            body.append(buffer, static_cast<qsizetype>(n));
            if (onPiece) onPiece(static_cast<qsizetype>(n));
        }
        if (body.size() >= kMaxFetchBytes) reply->abort();
    };
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &loop, [&] { opened = true; });
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] { readPieces(false); });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) loop.exec();
    if (reply->error() == QNetworkReply::NoError || opened) readPieces(true);
    // An answer with a status line counts as opened, whatever its status.
    if (reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid()) opened = true;
    reply->deleteLater();
    QCoreApplication::processEvents();
    if (!opened) return QStringLiteral("0");
    return QString::fromLatin1(body);
}

} // namespace tk5
