// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

#include "crashkitfile.h"

#include "engineproblems.h"
#include "jsonescapes.h"
#include "jsonvalue.h"
#include "linknotation.h"
#include "utf8.h"
#include "values.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <string_view>

namespace io {

namespace {

struct JsonKey {
    const char *name;
    ValueType type;
    bool required;
};

constexpr JsonKey kProjectKeys[] = {
    {"format", ValueType::Text, true},
    {"version", ValueType::WholeNumber, true},
    {"title", ValueType::Text, false},
    {"target_duration", ValueType::WholeNumber, false}, // null: no target
    {"time_unit", ValueType::Text, false}, // from version 2; absent: day
    {"activities", ValueType::List, true},
};

constexpr JsonKey kActivityKeys[] = {
    {"id", ValueType::Text, true},
    {"name", ValueType::Text, false},
    {"predecessors", ValueType::ListOfTexts, false},
    {"normal_duration", ValueType::WholeNumber, true},
    {"crash_duration", ValueType::WholeNumber, true},
    {"crash_cost_per_unit", ValueType::Amount, true},
    {"estimate", ValueType::Object, false}, // PERT's three estimates; null: none
};

// A link that is not plain, from version 2: {"id": "B", "type": "SS", "lag": 2}.
constexpr JsonKey kLinkKeys[] = {
    {"id", ValueType::Text, true},
    {"type", ValueType::Text, false}, // FS, SS, FF or SF; absent: FS
    {"lag", ValueType::WholeNumber, false}, // absent: 0
};

constexpr JsonKey kEstimateKeys[] = {
    {"optimistic", ValueType::Number, true},
    {"most_likely", ValueType::Number, true},
    {"pessimistic", ValueType::Number, true},
};

// The largest whole number a JSON number holds exactly, 2^53; the target's limit.
constexpr std::int64_t kLargestExact = std::int64_t {1} << 53;

const JsonKey &findKey(std::span<const JsonKey> keys, std::string_view name)
{
    for (const JsonKey &key : keys) {
        if (name == key.name)
            return key;
    }
    Q_UNREACHABLE();
}

QStringList keyNames(std::span<const JsonKey> keys)
{
    QStringList names;
    for (const JsonKey &key : keys)
        names << QString::fromLatin1(key.name);
    return names;
}

std::string utf8(const QString &text)
{
    return text.toStdString();
}

class CrashkitReader {
public:
    CrashkitReader(const QByteArray &bytes, const QString &file) : m_bytes(bytes), m_file(file) { }
    ReadResult read();

private:
    bool checkFormat(const QJsonObject &root);
    void checkKeys(const QJsonObject &object, std::span<const JsonKey> keys, const Place &place);
    // The value under the key, when present and of the key's type; adds a problem
    // when it is missing although required, or of another type.
    std::optional<QJsonValue> valueOf(const QJsonObject &object, const JsonKey &key, Place place);
    // A whole number at most `highest` (at most 2^53), or a problem placed at `place`.
    bool toWholeNumber(const QJsonValue &value, const Place &place, std::int64_t highest,
                       std::int64_t &number);
    void readActivity(const QJsonValue &value, int number);
    bool readPredecessors(const QJsonArray &list, const Place &place, engine::Activity &activity);
    bool readLink(const QJsonObject &link, const Place &place, std::string &id,
                  engine::LinkTiming &timing);
    void readTimeUnit(const QJsonObject &root);
    // A problem when the file's version is older than `version`, which brought what `place`
    // holds; returns whether the file's version has it.
    bool needVersion(int version, const Place &place);
    bool readEstimate(const QJsonObject &object, const Place &place,
                      std::optional<engine::ThreeTimeEstimate> &estimate);
    Place activityPlace(int number, const QString &id) const
    {
        return {.file = m_file, .activity = shownValue(id), .activityNumber = number};
    }

    const QByteArray &m_bytes;
    QString m_file;
    engine::Project m_project;
    std::vector<FieldSet> m_unread;
    ProblemList m_problems;
    int m_version = 1;
};

std::optional<QJsonValue> CrashkitReader::valueOf(const QJsonObject &object, const JsonKey &key,
                                                  Place place)
{
    place.field = QString::fromLatin1(key.name);
    const auto found = object.constFind(place.field);
    if (found == object.constEnd()) {
        if (key.required)
            m_problems.add({.kind = FileProblemKind::MissingKey, .place = place});
        return std::nullopt;
    }
    if (!hasType(*found, key.type)) {
        m_problems.add({.kind = FileProblemKind::WrongType,
                        .place = place,
                        .value = rendered(*found),
                        .expected = key.type,
                        .found = typeOf(*found)});
        return std::nullopt;
    }
    return *found;
}

bool CrashkitReader::toWholeNumber(const QJsonValue &value, const Place &place,
                                   std::int64_t highest, std::int64_t &number)
{
    constexpr double kExact = 9007199254740992.0; // 2^53: every whole number below is exact
    const double d = value.toDouble();
    if (d != std::trunc(d)) {
        m_problems.add(
            {.kind = FileProblemKind::NotWholeNumber, .place = place, .value = rendered(value)});
        return false;
    }
    if (d > static_cast<double>(highest)) {
        m_problems.add({.kind = FileProblemKind::NumberTooLarge,
                        .place = place,
                        .value = rendered(value),
                        .bound = highest});
        return false;
    }
    // A negative number within range is the engine's to name, as any other.
    if (d < -kExact) {
        m_problems.add(
            {.kind = FileProblemKind::NegativeDuration, .place = place, .value = rendered(value)});
        return false;
    }
    number = static_cast<std::int64_t>(d);
    return true;
}

void CrashkitReader::checkKeys(const QJsonObject &object, std::span<const JsonKey> keys,
                               const Place &place)
{
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        bool known = false;
        for (const JsonKey &key : keys)
            known = known || it.key() == QLatin1String(key.name);
        if (!known) {
            Place at = place;
            at.field = shownValue(it.key());
            m_problems.add(
                {.kind = FileProblemKind::UnknownKey, .place = at, .names = keyNames(keys)});
        }
    }
}

void CrashkitReader::readActivity(const QJsonValue &value, int number)
{
    engine::Activity activity;
    FieldSet unread = bit(ActivityField::Id) | bit(ActivityField::Predecessors)
        | bit(ActivityField::NormalDuration) | bit(ActivityField::CrashDuration)
        | bit(ActivityField::Cost);
    if (!value.isObject()) {
        m_problems.add(
            {.kind = FileProblemKind::WrongType,
             .place
             = {.file = m_file, .field = QStringLiteral("activities"), .activityNumber = number},
             .value = rendered(value),
             .expected = ValueType::Object,
             .found = typeOf(value)});
        m_project.activities.push_back(std::move(activity));
        m_unread.push_back(unread);
        return;
    }
    const QJsonObject object = value.toObject();
    const QJsonValue idValue = object.value(QStringLiteral("id"));
    const Place place = activityPlace(number, idValue.isString() ? idValue.toString() : QString());
    checkKeys(object, kActivityKeys, place);

    auto field = [&](const char *key) {
        Place at = place;
        at.field = QString::fromLatin1(key);
        return at;
    };
    if (const auto id = valueOf(object, findKey(kActivityKeys, "id"), place)) {
        activity.id = utf8(id->toString());
        unread &= static_cast<FieldSet>(~bit(ActivityField::Id));
    }
    if (const auto name = valueOf(object, findKey(kActivityKeys, "name"), place))
        activity.name = utf8(name->toString());
    if (const auto predecessors = valueOf(object, findKey(kActivityKeys, "predecessors"), place)) {
        if (readPredecessors(predecessors->toArray(), field("predecessors"), activity))
            unread &= static_cast<FieldSet>(~bit(ActivityField::Predecessors));
    } else if (!object.contains(QStringLiteral("predecessors"))) {
        unread &= static_cast<FieldSet>(~bit(ActivityField::Predecessors));
    }
    const struct {
        const JsonKey &key;
        engine::Duration &duration;
        ActivityField field;
    } durations[] = {
        {findKey(kActivityKeys, "normal_duration"), activity.normalDuration,
         ActivityField::NormalDuration},
        {findKey(kActivityKeys, "crash_duration"), activity.crashDuration,
         ActivityField::CrashDuration},
    };
    for (const auto &d : durations) {
        const auto found = valueOf(object, d.key, place);
        if (found && toWholeNumber(*found, field(d.key.name), engine::kMaxDuration, d.duration))
            unread &= static_cast<FieldSet>(~bit(d.field));
    }
    if (const auto cost = valueOf(object, findKey(kActivityKeys, "crash_cost_per_unit"), place)) {
        if (const auto problem = amountFromDouble(cost->toDouble(), activity.crashCostPerUnit))
            m_problems.add({.kind = *problem,
                            .place = field("crash_cost_per_unit"),
                            .value = rendered(*cost)});
        else
            unread &= static_cast<FieldSet>(~bit(ActivityField::Cost));
    }
    if (!readEstimate(object, place, activity.estimate))
        unread |= bit(ActivityField::Estimate);
    m_project.activities.push_back(std::move(activity));
    m_unread.push_back(unread);
}

// The predecessors: ids for plain links, objects for the others (from version 2). Returns
// false when one cannot be read.
bool CrashkitReader::readPredecessors(const QJsonArray &list, const Place &place,
                                      engine::Activity &activity)
{
    bool read = true;
    for (const QJsonValue &p : list) {
        std::string id;
        engine::LinkTiming timing;
        if (p.isString()) {
            id = utf8(p.toString());
        } else if (!p.isObject() || m_version < kCrashkitLinksVersion) {
            if (p.isObject())
                needVersion(kCrashkitLinksVersion, place);
            else
                m_problems.add({.kind = FileProblemKind::WrongType,
                                .place = place,
                                .value = rendered(p),
                                .expected = m_version < kCrashkitLinksVersion
                                    ? ValueType::Text
                                    : ValueType::TextOrObject,
                                .found = typeOf(p)});
            read = false;
            continue;
        } else if (!readLink(p.toObject(), place, id, timing)) {
            read = false;
            continue;
        }
        activity.predecessors.push_back(std::move(id));
        activity.linkTimings.push_back(timing);
    }
    // Plain links only are kept as none, as the engine and the CSV reader keep them.
    if (std::all_of(activity.linkTimings.begin(), activity.linkTimings.end(),
                    [](const engine::LinkTiming &t) { return t.plain(); }))
        activity.linkTimings.clear();
    return read;
}

// One link object; its problems are placed at "predecessors.<key>".
bool CrashkitReader::readLink(const QJsonObject &link, const Place &place, std::string &id,
                              engine::LinkTiming &timing)
{
    const auto at = [&](const QString &key) {
        Place keyPlace = place;
        keyPlace.field = QStringLiteral("predecessors.") + key;
        return keyPlace;
    };
    bool read = true;
    for (auto it = link.constBegin(); it != link.constEnd(); ++it) {
        bool known = false;
        for (const JsonKey &key : kLinkKeys)
            known = known || it.key() == QLatin1String(key.name);
        if (!known) {
            m_problems.add({.kind = FileProblemKind::UnknownKey,
                            .place = at(shownValue(it.key())),
                            .names = keyNames(kLinkKeys)});
            read = false;
        }
    }
    for (const JsonKey &key : kLinkKeys) {
        const QString name = QString::fromLatin1(key.name);
        const auto found = link.constFind(name);
        if (found == link.constEnd()) {
            if (key.required) {
                m_problems.add({.kind = FileProblemKind::MissingKey, .place = at(name)});
                read = false;
            }
            continue;
        }
        if (!hasType(*found, key.type)) {
            m_problems.add({.kind = FileProblemKind::WrongType,
                            .place = at(name),
                            .value = rendered(*found),
                            .expected = key.type,
                            .found = typeOf(*found)});
            read = false;
            continue;
        }
        if (name == u"id") {
            id = utf8(found->toString());
        } else if (name == u"type") {
            const QString code = found->toString();
            if (const auto type = linkTypeOfCode(utf8(code))) {
                timing.type = *type;
            } else {
                QStringList codes;
                for (const engine::LinkType t :
                     {engine::LinkType::FinishToStart, engine::LinkType::StartToStart,
                      engine::LinkType::FinishToFinish, engine::LinkType::StartToFinish})
                    codes << QString::fromLatin1(linkTypeCode(t));
                m_problems.add({.kind = FileProblemKind::UnknownLinkType,
                                .place = at(name),
                                .value = shownValue(code),
                                .names = codes});
                read = false;
            }
        } else {
            const double lag = found->toDouble();
            if (lag != std::trunc(lag)) {
                m_problems.add({.kind = FileProblemKind::NotWholeNumber,
                                .place = at(name),
                                .value = rendered(*found)});
                read = false;
            } else if (std::abs(lag) > static_cast<double>(engine::kMaxLag)) {
                // The engine's problem, told here: the lag may be beyond any whole number.
                m_problems.add({.kind = FileProblemKind::Engine,
                                .place = at(name),
                                .value = shownValue(id),
                                .engineKind = engine::ProblemKind::LagTooLarge});
                read = false;
            } else {
                timing.lag = static_cast<engine::Duration>(lag);
            }
        }
    }
    return read;
}

bool CrashkitReader::needVersion(int version, const Place &place)
{
    if (m_version >= version)
        return true;
    m_problems.add({.kind = FileProblemKind::NeedsNewerVersion,
                    .place = place,
                    .number = m_version,
                    .bound = version});
    return false;
}

// The time unit under "time_unit" (from version 2): minute, hour, day or week.
void CrashkitReader::readTimeUnit(const QJsonObject &root)
{
    const Place place {.file = m_file, .field = QStringLiteral("time_unit")};
    if (!root.contains(place.field) || !needVersion(kCrashkitLinksVersion, place))
        return;
    const auto found = valueOf(root, findKey(kProjectKeys, "time_unit"), {.file = m_file});
    if (!found)
        return;
    const QString word = found->toString();
    if (const auto unit = parseTimeUnit(utf8(word)))
        m_project.timeUnit = *unit;
    else
        m_problems.add({.kind = FileProblemKind::UnknownTimeUnit,
                        .place = place,
                        .value = shownValue(word),
                        .names = timeUnitWords()});
}

// The estimates under "estimate", when there are any; returns false when they are there
// but cannot be read.
bool CrashkitReader::readEstimate(const QJsonObject &object, const Place &place,
                                  std::optional<engine::ThreeTimeEstimate> &estimate)
{
    if (object.value(QStringLiteral("estimate")).isNull())
        return true;
    const auto found = valueOf(object, findKey(kActivityKeys, "estimate"), place);
    if (!found)
        return !object.contains(QStringLiteral("estimate"));
    const QJsonObject values = found->toObject();
    Place at = place;
    at.field = QStringLiteral("estimate");
    checkKeys(values, kEstimateKeys, at);
    std::array<double, 3> numbers {};
    bool read = true;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (const auto value = valueOf(values, kEstimateKeys[i], at))
            numbers[i] = value->toDouble();
        else
            read = false;
    }
    if (read)
        estimate = engine::ThreeTimeEstimate {numbers[0], numbers[1], numbers[2]};
    return read;
}

bool CrashkitReader::checkFormat(const QJsonObject &root)
{
    const Place place {.file = m_file, .field = QStringLiteral("format")};
    const QJsonValue format = root.value(place.field);
    if (format.toString() != QLatin1String(kCrashkitFormat)) {
        m_problems.add({.kind = FileProblemKind::NotProjectFile,
                        .place = place,
                        .value = format.isUndefined() ? QString() : rendered(format)});
        return false;
    }
    const Place versionPlace {.file = m_file, .field = QStringLiteral("version")};
    const auto version = root.constFind(versionPlace.field);
    if (version == root.constEnd()) {
        m_problems.add({.kind = FileProblemKind::MissingKey, .place = versionPlace});
        return false;
    }
    const double number = version->toDouble();
    if (!version->isDouble() || number != std::trunc(number) || number < 1) {
        m_problems.add({.kind = FileProblemKind::BadVersion,
                        .place = versionPlace,
                        .value = rendered(*version)});
        return false;
    }
    m_version = number > kCrashkitVersion ? kCrashkitVersion + 1 : static_cast<int>(number);
    if (number > kCrashkitVersion) {
        m_problems.add({.kind = FileProblemKind::NewerVersion,
                        .place = versionPlace,
                        .number = number > 1e18 ? std::int64_t {1'000'000'000'000'000'000}
                                                : static_cast<std::int64_t>(number),
                        .bound = kCrashkitVersion});
        return false;
    }
    return true;
}

ReadResult CrashkitReader::read()
{
    const std::string_view original(m_bytes.constData(), static_cast<std::size_t>(m_bytes.size()));
    const std::string_view text = withoutBom(original);
    if (!checkUtf8(original, text, m_file, m_problems))
        return ReadResult::failed(std::move(m_problems));

    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray::fromRawData(text.data(), static_cast<qsizetype>(text.size())), &error);
    if (error.error != QJsonParseError::NoError) {
        const std::size_t offset = std::min<std::size_t>(
            static_cast<std::size_t>(std::max(0, error.offset)), text.size());
        const TextPosition position = positionOf(text, offset);
        m_problems.add({.kind = FileProblemKind::JsonSyntax,
                        .place = {.file = m_file, .line = position.line, .column = position.column},
                        .value = error.errorString()});
        return ReadResult::failed(std::move(m_problems));
    }
    // Only now is every string known to be closed.
    if (!checkSurrogateEscapes(text, m_file, m_problems))
        return ReadResult::failed(std::move(m_problems));
    if (!document.isObject()) {
        m_problems.add(
            {.kind = FileProblemKind::NotProjectFile, .place = {.file = m_file, .line = 1}});
        return ReadResult::failed(std::move(m_problems));
    }
    const QJsonObject root = document.object();
    if (!checkFormat(root))
        return ReadResult::failed(std::move(m_problems));

    const Place place {.file = m_file};
    checkKeys(root, kProjectKeys, place);
    if (const auto title = valueOf(root, findKey(kProjectKeys, "title"), place))
        m_project.title = utf8(title->toString());
    const QJsonValue target = root.value(QStringLiteral("target_duration"));
    if (!target.isNull()) {
        std::int64_t duration;
        if (const auto value = valueOf(root, findKey(kProjectKeys, "target_duration"), place); value
            && toWholeNumber(*value, {.file = m_file, .field = QStringLiteral("target_duration")},
                             kLargestExact, duration))
            m_project.target = duration;
    }
    readTimeUnit(root);
    if (const auto activities = valueOf(root, findKey(kProjectKeys, "activities"), place)) {
        const QJsonArray list = activities->toArray();
        if (static_cast<std::size_t>(list.size()) > engine::kMaxActivities) {
            m_problems.add({.kind = FileProblemKind::Engine,
                            .place = {.file = m_file, .field = QStringLiteral("activities")},
                            .engineKind = engine::ProblemKind::TooManyActivities,
                            .number = list.size()});
            return ReadResult::failed(std::move(m_problems));
        }
        int number = 0;
        for (const QJsonValue &activity : list)
            readActivity(activity, ++number);
    }

    addEngineProblems(
        m_project, m_unread,
        [this](int activity, ActivityField field) {
            Place at {.file = m_file, .field = QString::fromLatin1(keyOf(field))};
            if (activity >= 0) {
                const auto index = static_cast<std::size_t>(activity);
                at.activity = shownValue(m_project.activities[index].id);
                at.activityNumber = activity + 1;
            } else if (field == ActivityField::None) {
                at.field = QStringLiteral("target_duration");
            }
            return at;
        },
        m_problems);
    if (!m_problems.isEmpty())
        return ReadResult::failed(std::move(m_problems));
    return ReadResult::loaded(std::move(m_project));
}

} // namespace

ReadResult readCrashkit(const QByteArray &bytes, const QString &file)
{
    return CrashkitReader(bytes, file).read();
}

} // namespace io
