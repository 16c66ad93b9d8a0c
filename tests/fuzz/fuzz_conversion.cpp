// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Crashkit maintainers

// Feeds random texts to the whole-number conversion and compares every answer with a
// second conversion written from the rules alone (fuzzsupport.h). A rejected text must
// throw ConversionError carrying exactly that text and the error box's sentence.

#include "fuzzsupport.h"

#include "applicationerror.h"
#include "wholenumber.h"

#include <cstdio>
#include <exception>
#include <string>

using platform::ConversionError;
using platform::toWholeNumber;
using platform::tryWholeNumber;

namespace {

struct Figures {
    long long inputs = 0;
    long long accepted = 0;
    long long rejected = 0;
    long long failures = 0;
};

std::string describe(const std::optional<std::int32_t> &value)
{
    return value ? std::to_string(*value) : std::string("rejected");
}

// Empty when the program agrees with the reference, else what went wrong.
std::string check(const QString &text)
{
    const std::optional<std::int32_t> expected = fuzz::referenceWholeNumber(text);
    const std::optional<std::int32_t> got = tryWholeNumber(text);
    if (got != expected)
        return "tryWholeNumber gave " + describe(got) + ", the rules give " + describe(expected);

    try {
        const std::int32_t value = toWholeNumber(text);
        if (!expected)
            return "toWholeNumber accepted it as " + std::to_string(value);
        if (value != *expected)
            return "toWholeNumber gave " + std::to_string(value);
    } catch (const ConversionError &error) {
        if (expected)
            return "toWholeNumber threw for a valid number";
        if (error.text() != text)
            return "ConversionError carries " + fuzz::printable(error.text());
        if (error.message() != u'\'' + text + QStringLiteral("' is not a valid integer value."))
            return "ConversionError says " + fuzz::printable(error.message());
    } catch (const std::exception &error) {
        return std::string("toWholeNumber threw something else: ") + error.what();
    }
    return {};
}

} // namespace

int main(int argc, char **argv)
{
    const fuzz::Options options = fuzz::parseOptions(argc, argv);
    fuzz::Random random(options.seed);
    const fuzz::Deadline deadline(options.seconds);
    Figures figures;

    while (figures.failures < 10 && (figures.inputs % 256 != 0 || !deadline.passed())) {
        const QString text = fuzz::randomText(random);
        ++figures.inputs;
        (fuzz::referenceWholeNumber(text) ? figures.accepted : figures.rejected) += 1;
        const std::string problem = check(text);
        if (!problem.empty()) {
            ++figures.failures;
            std::printf("FAIL seed %llu input %lld: %s: %s\n",
                        static_cast<unsigned long long>(options.seed), figures.inputs,
                        fuzz::printable(text).c_str(), problem.c_str());
        }
    }

    std::printf("fuzz_conversion seed %llu: %lld inputs (%lld numbers, %lld rejected), "
                "%lld failures\n",
                static_cast<unsigned long long>(options.seed), figures.inputs, figures.accepted,
                figures.rejected, figures.failures);
    return figures.failures == 0 ? 0 : 1;
}
