// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#pragma once

#include "output.h"
#include "texttable.h"

#include <QBuffer>
#include <QTemporaryFile>

#include <functional>
#include <memory>

namespace cli {

// Output that has to wait for what comes after it (the greedy's steps, whose table is
// padded to its widest cell and whose JSON comes after the durations they reach), kept in
// a temporary file rather than in memory; in memory only when no temporary file can be made.
class Spool {
public:
    Spool();
    Spool(const Spool &) = delete;
    Spool &operator=(const Spool &) = delete;

    // Where to write what is kept.
    Output &output() { return *m_output; }
    // Keeps a row of cells.
    void keep(const Row &row);

    // Everything written, copied to `to`. Throws OutputError when the spool cannot be read.
    void copyTo(Output &to);
    // Every kept row in turn, in the order kept.
    void replayRows(const std::function<void(const Row &)> &visit);

private:
    void rewind();
    void readExactly(char *data, std::size_t size);

    QTemporaryFile m_file;
    QBuffer m_memory;
    QIODevice *m_device = nullptr;
    std::unique_ptr<Output> m_output;
};

} // namespace cli
