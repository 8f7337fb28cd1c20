#include "scene/json_values.h"

#include <cfloat>
#include <cmath>

using nlohmann::ordered_json;

namespace {

// Converts a value that is already known to be numeric, boolean or null.
double asDouble(const ordered_json& value) {
    if (value.is_boolean()) return value.get<bool>() ? 1.0 : 0.0;
    if (value.is_null()) return 0.0;
    return value.get<double>();
}

bool convertible(const ordered_json& value) {
    return value.is_number() || value.is_boolean() || value.is_null();
}

template <class T, class Convert>
bool readRecords(const ordered_json& records, const std::string& where,
                 std::initializer_list<const char*> members, std::vector<T>& out, std::string& error,
                 Convert convert) {
    if (!records.is_array()) {
        error = where + " is not an array";
        return false;
    }
    size_t index = 0;
    for (const ordered_json& record : records) {
        const std::string element = where + "[" + std::to_string(index) + "]";
        if (!record.is_object()) {
            error = element + " is not an object";
            return false;
        }
        for (const char* name : members) {
            const ordered_json* member = jsonMember(record, name);
            if (!member) {
                error = element + " lacks \"" + name + "\"";
                return false;
            }
            T value{};
            if (!convert(*member, value)) {
                error = element + "." + name + " is not a number in range";
                return false;
            }
            out.push_back(value);
        }
        ++index;
    }
    return true;
}

}  // namespace

bool parseJson(const std::string& text, ordered_json& document, std::string& error) {
    document = ordered_json::parse(text, nullptr, false);
    if (document.is_discarded()) {
        error = "not valid JSON";
        return false;
    }
    return true;
}

const ordered_json* jsonMember(const ordered_json& object, const char* name) {
    if (!object.is_object()) return nullptr;
    const auto found = object.find(name);
    return found == object.end() ? nullptr : &*found;
}

bool jsonFloat(const ordered_json& value, float& out) {
    if (!convertible(value)) return false;
    const double d = asDouble(value);
    // Narrowing a double beyond the float range is undefined, not infinity.
    if (!(std::fabs(d) <= static_cast<double>(FLT_MAX))) return false;
    out = static_cast<float>(d);
    return true;
}

bool jsonInteger(const ordered_json& value, int64_t& out) {
    if (value.is_number_integer() && !value.is_number_unsigned()) {
        out = value.get<int64_t>();
        return true;
    }
    if (value.is_number_unsigned()) {
        const uint64_t u = value.get<uint64_t>();
        if (u > static_cast<uint64_t>(INT64_MAX)) return false;
        out = static_cast<int64_t>(u);
        return true;
    }
    if (!convertible(value)) return false;
    const double truncated = std::trunc(asDouble(value));
    constexpr double TWO_TO63 = 9223372036854775808.0;
    if (!(truncated >= -TWO_TO63 && truncated < TWO_TO63)) return false;
    out = static_cast<int64_t>(truncated);
    return true;
}

bool readFloatRecords(const ordered_json& records, const std::string& where,
                      std::initializer_list<const char*> members, std::vector<float>& out,
                      std::string& error) {
    return readRecords(records, where, members, out, error, jsonFloat);
}

bool readIntegerRecords(const ordered_json& records, const std::string& where,
                        std::initializer_list<const char*> members, std::vector<int64_t>& out,
                        std::string& error) {
    return readRecords(records, where, members, out, error, jsonInteger);
}
