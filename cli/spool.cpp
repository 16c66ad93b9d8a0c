// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "spool.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace cli {

Spool::Spool()
{
    if (m_file.open()) {
        m_device = &m_file;
    } else {
        m_memory.open(QIODevice::ReadWrite);
        m_device = &m_memory;
    }
    m_output = std::make_unique<Output>(m_device);
}

void Spool::keep(const Row &row)
{
    // Each row: its number of cells, then each cell's length and bytes.
    const auto cells = static_cast<std::uint32_t>(row.size());
    m_output->write(std::string_view(reinterpret_cast<const char *>(&cells), sizeof cells));
    for (std::size_t c = 0; c < row.size(); ++c) {
        const std::string_view cell = row[c];
        const auto length = static_cast<std::uint64_t>(cell.size());
        m_output->write(std::string_view(reinterpret_cast<const char *>(&length), sizeof length));
        m_output->write(cell);
    }
}

void Spool::copyTo(Output &to)
{
    rewind();
    std::string chunk(std::size_t {1} << 16, '\0');
    while (true) {
        const qint64 got = m_device->read(chunk.data(), static_cast<qint64>(chunk.size()));
        if (got < 0)
            throw OutputError("cannot read back the temporary file: "
                              + m_device->errorString().toStdString());
        if (got == 0)
            break;
        to.write(std::string_view(chunk.data(), static_cast<std::size_t>(got)));
    }
}

void Spool::replayRows(const std::function<void(const Row &)> &visit)
{
    rewind();
    Row row;
    std::string cell;
    while (!m_device->atEnd()) {
        std::uint32_t cells = 0;
        readExactly(reinterpret_cast<char *>(&cells), sizeof cells);
        row.clear();
        for (std::uint32_t c = 0; c < cells; ++c) {
            std::uint64_t length = 0;
            readExactly(reinterpret_cast<char *>(&length), sizeof length);
            cell.resize(static_cast<std::size_t>(length));
            readExactly(cell.data(), cell.size());
            row.text(cell);
        }
        visit(row);
    }
}

void Spool::rewind()
{
    m_output->finish();
    if (!m_device->seek(0))
        throw OutputError("cannot read back the temporary file: "
                          + m_device->errorString().toStdString());
}

void Spool::readExactly(char *data, std::size_t size)
{
    while (size > 0) {
        const qint64 got = m_device->read(data, static_cast<qint64>(size));
        if (got <= 0)
            throw OutputError("cannot read back the temporary file: "
                              + m_device->errorString().toStdString());
        data += got;
        size -= static_cast<std::size_t>(got);
    }
}

} // namespace cli
