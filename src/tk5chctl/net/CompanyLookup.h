// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include <QString>

#include <functional>

namespace tk5 {

// The lookup service's host (and port) when the settings name none.
inline const QString kDefaultLookupHost = QStringLiteral("127.0.0.1:8017");

// The address asked for a ticker: http://HOST/cgi-bin/ticker.pl? followed by the ticker as it
// stands.
QString lookupAddress(const QString& host, const QString& ticker);

// A fetch of an address: the body, an empty text for an empty body, "0" when the address
// cannot be opened.
using Fetch = std::function<QString(QString& address)>;

// The caption after the company-name lookup of the chart's caption label. A caption of 3 or
// more characters is kept without asking. Otherwise the reply r of the address for the ticker
// gives, when not empty, r without its last `cut` characters and one space after it (without
// carriage returns and line feeds when `stripLineBreaks`); an empty reply gives the ticker. A
// step that cannot be done (a reply shorter than `cut`, such as "0" when the service cannot
// be reached) is skipped: the caption stays as it was.
QString lookedUpCaption(const QString& caption, const QString& ticker, const QString& host,
                        const Fetch& fetch, int cut, bool stripLineBreaks);

} // namespace tk5
