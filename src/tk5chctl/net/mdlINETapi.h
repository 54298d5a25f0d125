// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include <QString>

#include <functional>

namespace tk5 {

// The most a fetch keeps of a body: a longer one is cut here and the transfer stopped.
inline constexpr qsizetype kMaxFetchBytes = 1 << 20;
// A fetch gives up when nothing is sent or received for this long.
inline constexpr int kFetchTimeoutMs = 5000;

// The body of one HTTP GET of url, taken byte for byte as Latin-1 characters, while the
// event loop keeps running (events of the host are processed; a fetch started from one of them
// finishes first). The request carries the agent "TKInternet" and is neither answered from
// nor kept in a cache. Results:
// - the whole body (empty for an empty one), read in pieces of at most 4096 bytes;
// - "0" when the address cannot be opened: no connection, a host that does not resolve, no
//   answer within the time-out, an address that is not a web address;
// - the part read so far when the transfer fails in the middle of the body;
// - the first kMaxFetchBytes of a longer body.
// url is the caller's variable and keeps its text. onPiece, when given, is told the size of
// each piece read.
QString WebFetch(QString& url, const std::function<void(qsizetype)>& onPiece = {});

} // namespace tk5
