// SPDX-License-Identifier: BSD-3-Clause
#pragma once

// What every fuzz target shares: a broken promise stops the run with a crash that names it, so
// libFuzzer keeps the input that broke it.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define TK5_FUZZ_CHECK(condition)                                                                  \
    ((condition) ? void(0) : tk5::fuzz::broken(#condition, __FILE__, __LINE__))

namespace tk5::fuzz {

[[noreturn]] inline void broken(const char* what, const char* file, int line) {
    std::fprintf(stderr, "\n==== broken promise: %s (%s:%d)\n", what, file, line);
    std::fflush(stderr);
    std::abort();
}

inline QByteArray bytesOf(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// Replaces the file at path by exactly these bytes; a harness that cannot write stops at once.
inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                         file.write(bytes) == bytes.size() && file.flush();
    TK5_FUZZ_CHECK(written);
}

} // namespace tk5::fuzz
