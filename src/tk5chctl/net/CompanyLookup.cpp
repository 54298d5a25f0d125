// SPDX-License-Identifier: BSD-3-Clause
#include "CompanyLookup.h"

namespace tk5 {

QString lookupAddress(const QString& host, const QString& ticker) {
    return QStringLiteral("http://") + host + QStringLiteral("/cgi-bin/ticker.pl?") + ticker;
}

QString lookedUpCaption(const QString& caption, const QString& ticker, const QString& host,
                        const Fetch& fetch, int cut, bool stripLineBreaks) {
    if (caption.size() >= 3) return caption;
    QString address = lookupAddress(host, ticker);
    const QString r = fetch(address);
    if (r.isEmpty()) return ticker;
    if (r.size() < cut) return caption;
    QString out = r.left(r.size() - cut) + QLatin1Char(' ');
    if (stripLineBreaks) {
        out.remove(QLatin1Char('\r'));
        out.remove(QLatin1Char('\n'));
    }
    return out;
}

} // namespace tk5
