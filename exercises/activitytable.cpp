#include "activitytable.h"

#include <stdexcept>

ActivityTable::ActivityTable(int capacity)
    : m_capacity(capacity), m_rows(static_cast<std::size_t>(2 * capacity))
{
}

ActivityRow &ActivityTable::row(int number)
{
    if (number < 1 || number > rowCount())
        throw std::out_of_range("activity table row");
    return m_rows[static_cast<std::size_t>(number - 1)];
}

const ActivityRow &ActivityTable::row(int number) const
{
    if (number < 1 || number > rowCount())
        throw std::out_of_range("activity table row");
    return m_rows[static_cast<std::size_t>(number - 1)];
}
