#include "tools/plughost/ParameterSetting.h"

#include "tools/plughost/Lowercase.h"
#include "vst3/sdk/StringConvert.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace plughost {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr size_t kMaxSuggestions = 5;

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

bool SameText(std::string_view a, std::string_view b) {
    return Lowercase(Trim(a)) == Lowercase(Trim(b));
}

size_t EditDistance(const std::string& a, const std::string& b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// Reads a leading number; `rest` receives what follows it, trimmed.
bool ParseLeadingNumber(const std::string& text, double& number, std::string& rest) {
    errno = 0;
    char* end = nullptr;
    number = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || errno == ERANGE)
        return false;
    rest = Trim(end);
    return true;
}

std::string FormatNumber(double value) {
    char text[48];
    std::snprintf(text, sizeof(text), "%g", value);
    return text;
}

Status FindParameter(const std::vector<ParameterEntry>& parameters, const std::string& name,
                     const ParameterEntry*& found) {
    found = nullptr;
    for (const ParameterEntry& p : parameters)
        if (!p.title.empty() && p.title == name) {
            found = &p;
            return Status::Ok();
        }
    std::vector<const ParameterEntry*> caseless;
    for (const ParameterEntry& p : parameters)
        if (!p.title.empty() && Lowercase(p.title) == Lowercase(name))
            caseless.push_back(&p);
    if (caseless.size() == 1) {
        found = caseless[0];
        return Status::Ok();
    }
    if (caseless.size() > 1)
        return Status::Fail("parameter name '" + name + "' is ambiguous: write it as " +
                            caseless[0]->title + " or " + caseless[1]->title);
    if (name.size() > 1 && name[0] == '#') {
        char* end = nullptr;
        errno = 0;
        const unsigned long long id = std::strtoull(name.c_str() + 1, &end, 10);
        if (errno == 0 && *end == 0 && name[1] >= '0' && name[1] <= '9')
            for (const ParameterEntry& p : parameters)
                if (p.info.id == id) {
                    found = &p;
                    return Status::Ok();
                }
        return Status::Fail("no parameter has the id " + name.substr(1) +
                            " (`plughost info BUNDLE` lists them)");
    }
    const std::vector<std::string> close = CloseMatches(parameters, name);
    if (close.empty())
        return Status::Fail("unknown parameter '" + name +
                            "' (`plughost info BUNDLE` lists the parameter titles)");
    std::string list;
    for (const std::string& title : close) {
        if (!list.empty())
            list += ", ";
        list += title;
    }
    return Status::Fail("unknown parameter '" + name + "'; did you mean " + list + "?");
}

// Refuses a plain value outside what the parameter spans from normalised 0 to 1.
Status CheckRange(const PluginInstance& plugin, const ParameterEntry& p, double number,
                  const std::string& value) {
    IEditController* controller = plugin.Controller();
    const double a = controller->normalizedParamToPlain(p.info.id, 0.0);
    const double b = controller->normalizedParamToPlain(p.info.id, 1.0);
    if (!std::isfinite(a) || !std::isfinite(b))
        return Status::Ok();
    const double low = std::min(a, b);
    const double high = std::max(a, b);
    const double tolerance = 1e-9 * std::max(1.0, high - low);
    if (number >= low - tolerance && number <= high + tolerance)
        return Status::Ok();
    std::string lowText = plugin.ValueText(p.info.id, a <= b ? 0.0 : 1.0);
    std::string highText = plugin.ValueText(p.info.id, a <= b ? 1.0 : 0.0);
    if (lowText.empty() || highText.empty()) {
        lowText = FormatNumber(low);
        highText = FormatNumber(high);
    }
    return Status::Fail(p.title + "=" + value + " is outside the parameter's range " + lowText +
                        " to " + highText);
}

} // namespace

std::vector<std::string> CloseMatches(const std::vector<ParameterEntry>& parameters,
                                      std::string_view name) {
    const std::string wanted = Lowercase(name);
    const size_t allowed = std::max<size_t>(1, std::min<size_t>(3, wanted.size() / 3));
    std::vector<std::pair<size_t, std::string>> scored;
    for (const ParameterEntry& p : parameters) {
        if (p.title.empty())
            continue;
        const std::string title = Lowercase(p.title);
        size_t score = EditDistance(wanted, title);
        const bool prefix =
            wanted.size() >= 2 && (title.starts_with(wanted) || wanted.starts_with(title));
        if (prefix)
            score = std::min<size_t>(score, 1);
        if (score <= allowed)
            scored.emplace_back(score, p.title);
    }
    std::stable_sort(scored.begin(), scored.end(),
                     [](const auto& x, const auto& y) { return x.first < y.first; });
    std::vector<std::string> titles;
    for (size_t i = 0; i < scored.size() && i < kMaxSuggestions; ++i)
        titles.push_back(scored[i].second);
    return titles;
}

Status ResolveSetting(const PluginInstance& plugin, const std::vector<ParameterEntry>& parameters,
                      const std::string& setting, ParameterChange& out) {
    const auto equals = setting.find('=');
    if (equals == std::string::npos || equals == 0)
        return Status::Fail("--set needs NAME=VALUE, not '" + setting + "'");
    const std::string name = Trim(std::string_view(setting).substr(0, equals));
    const std::string value = Trim(std::string_view(setting).substr(equals + 1));

    const ParameterEntry* p = nullptr;
    if (Status s = FindParameter(parameters, name, p); !s)
        return s;
    const std::string title = p->title.empty() ? name : p->title;
    if (p->info.flags & ParameterInfo::kIsReadOnly)
        return Status::Fail("parameter " + title + " is read-only");
    if (value.empty())
        return Status::Fail("--set " + title + "= needs a value");
    out.id = p->info.id;

    if (value[0] == '@') {
        double number = 0;
        std::string rest;
        if (!ParseLeadingNumber(value.substr(1), number, rest) || !rest.empty() ||
            !std::isfinite(number) || number < 0 || number > 1)
            return Status::Fail(title + "=" + value +
                                ": a normalised value is a number from 0 to 1");
        out.normalized = number;
        return Status::Ok();
    }

    double number = 0;
    std::string rest;
    const bool numeric = ParseLeadingNumber(value, number, rest) &&
                         (rest.empty() || (!p->units.empty() && SameText(rest, p->units)));
    if (numeric && !std::isfinite(number))
        return Status::Fail(title + "=" + value + ": not a finite number");

    IEditController* controller = plugin.Controller();
    String128 text16 = {};
    str8ToStr16(text16, value.c_str(), 128);
    ParamValue normalized = 0;
    const bool converted =
        controller->getParamValueByString(p->info.id, text16, normalized) == kResultOk &&
        std::isfinite(normalized);
    if (!converted) {
        if (!numeric)
            return Status::Fail("the plug-in does not accept '" + value + "' for " + title);
        normalized = controller->plainParamToNormalized(p->info.id, number);
    } else if (!numeric) {
        // Some controllers read any text, taking what is not a number as 0: accept a text only
        // when the plug-in shows the value it produced the same way.
        const std::string shown = plugin.ValueText(p->info.id, normalized);
        if (!shown.empty() && !SameText(shown, value) && !SameText(shown + p->units, value))
            return Status::Fail("the plug-in does not accept '" + value + "' for " + title +
                                " (it shows values like " + shown + ")");
    }
    if (numeric)
        if (Status s = CheckRange(plugin, *p, number, value); !s)
            return s;
    if (!std::isfinite(normalized) || normalized < -1e-9 || normalized > 1 + 1e-9)
        return Status::Fail("the plug-in does not accept '" + value + "' for " + title);
    out.normalized = std::clamp(normalized, 0.0, 1.0);
    return Status::Ok();
}

Status ResolveSettings(const PluginInstance& plugin, const std::vector<std::string>& settings,
                       std::vector<ParameterChange>& out) {
    const std::vector<ParameterEntry> parameters = plugin.Parameters();
    for (const std::string& setting : settings) {
        ParameterChange change;
        if (Status s = ResolveSetting(plugin, parameters, setting, change); !s)
            return s;
        out.push_back(change);
    }
    return Status::Ok();
}

} // namespace plughost
