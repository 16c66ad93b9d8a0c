// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "linknotation.h"

#include "values.h"

#include <array>

namespace io {

namespace {

constexpr std::array<std::pair<std::string_view, engine::LinkType>, 4> kLinkTypeCodes {{
    {"FS", engine::LinkType::FinishToStart},
    {"SS", engine::LinkType::StartToStart},
    {"FF", engine::LinkType::FinishToFinish},
    {"SF", engine::LinkType::StartToFinish},
}};

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

struct UnitWords {
    engine::TimeUnit unit;
    std::string_view english;
    std::string_view thai;
};

constexpr std::array<UnitWords, 4> kUnitWords {{
    {engine::TimeUnit::Minute, "minute", "นาที"},
    {engine::TimeUnit::Hour, "hour", "ชั่วโมง"},
    {engine::TimeUnit::Day, "day", "วัน"},
    {engine::TimeUnit::Week, "week", "สัปดาห์"},
}};

bool isItemBlank(char c)
{
    return c == ' ' || c == '\t';
}

struct Item {
    std::string id;
    engine::LinkTiming timing;
};

// An item: an id alone, or an id, blanks and a word that begins with a link type.
std::optional<LinkNotationFault> parseItem(std::string_view item, Item &out)
{
    out = Item {std::string(item), {}};
    std::size_t blank = item.size();
    while (blank > 0 && !isItemBlank(item[blank - 1]))
        --blank;
    if (blank == 0)
        return std::nullopt; // one word: an id
    const std::string_view word = item.substr(blank);
    const std::optional<engine::LinkType> type = linkTypeOfCode(word.substr(0, 2));
    if (!type)
        return std::nullopt; // the last word is part of the id ("Paint walls")
    std::string_view lag = word.substr(2);
    engine::Duration value = 0;
    if (!lag.empty()) {
        const char sign = lag.front();
        if (sign != '+' && sign != '-') {
            // "B FSX" is an id's last word that happens to start with two such letters;
            // "B FS2" is a lag without its sign.
            if (lag.front() >= '0' && lag.front() <= '9')
                return LinkNotationFault::LagWithoutSign;
            return std::nullopt;
        }
        lag.remove_prefix(1);
        if (lag.empty())
            return LinkNotationFault::LagNotWhole;
        for (const char c : lag) {
            if (c < '0' || c > '9')
                return LinkNotationFault::LagNotWhole;
            value = value * 10 + (c - '0');
            if (value > engine::kMaxLag)
                return LinkNotationFault::LagTooLarge;
        }
        if (sign == '-')
            value = -value;
    }
    out.id = std::string(trimmed(item.substr(0, blank)));
    out.timing = {*type, value};
    return std::nullopt;
}

} // namespace

std::optional<LinkNotationProblem> parsePredecessorCell(std::string_view text,
                                                        PredecessorCell &cell)
{
    cell = {};
    std::vector<engine::LinkTiming> timings;
    bool plain = true;
    text = trimmed(text);
    if (text == "-")
        return std::nullopt;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of(",;");
        const std::string_view written = trimmed(text.substr(0, end));
        if (!written.empty()) {
            Item item;
            if (const std::optional<LinkNotationFault> fault = parseItem(written, item))
                return LinkNotationProblem {*fault, std::string(written)};
            cell.ids.push_back(std::move(item.id));
            timings.push_back(item.timing);
            plain = plain && item.timing.plain();
        }
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    if (!plain)
        cell.timings = std::move(timings);
    return std::nullopt;
}

std::optional<engine::LinkType> linkTypeOfCode(std::string_view code)
{
    if (code.size() != 2)
        return std::nullopt;
    for (const auto &[letters, type] : kLinkTypeCodes) {
        if (upper(code[0]) == letters[0] && upper(code[1]) == letters[1])
            return type;
    }
    return std::nullopt;
}

std::string_view linkTypeCode(engine::LinkType type)
{
    for (const auto &[letters, t] : kLinkTypeCodes) {
        if (t == type)
            return letters;
    }
    return "FS";
}

std::string linkItem(const std::string &id, engine::LinkTiming timing)
{
    if (timing.plain()) {
        Item read;
        if (!parseItem(id, read) && read.id == id)
            return id;
    }
    std::string item = id + ' ' + std::string(linkTypeCode(timing.type));
    if (timing.lag > 0)
        item += '+' + std::to_string(timing.lag);
    else if (timing.lag < 0)
        item += std::to_string(timing.lag);
    return item;
}

std::string predecessorCell(const engine::Activity &activity)
{
    std::string cell;
    for (std::size_t k = 0; k < activity.predecessors.size(); ++k) {
        if (k > 0)
            cell += ", ";
        cell += linkItem(activity.predecessors[k], activity.linkTiming(k));
    }
    return cell;
}

std::string_view timeUnitWord(engine::TimeUnit unit)
{
    for (const UnitWords &words : kUnitWords) {
        if (words.unit == unit)
            return words.english;
    }
    return "day";
}

std::optional<engine::TimeUnit> parseTimeUnit(std::string_view word)
{
    const std::string lowered = asciiLowered(trimmed(word));
    for (const UnitWords &words : kUnitWords) {
        if (lowered == words.english || lowered == words.thai)
            return words.unit;
    }
    return std::nullopt;
}

QStringList timeUnitWords()
{
    QStringList names;
    for (const UnitWords &words : kUnitWords)
        names << QString::fromLatin1(words.english);
    for (const UnitWords &words : kUnitWords)
        names << QString::fromUtf8(words.thai);
    return names;
}

} // namespace io
