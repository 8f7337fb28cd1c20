#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

// Reading helpers shared by the mesh, animation and collider loaders. Nothing
// here throws: every malformed value is a false result with a reason.

// Parses a whole text; false with a reason when it is not valid JSON.
bool parseJson(const std::string& text, nlohmann::ordered_json& document, std::string& error);

// The named member of an object, or null when the value is not an object or
// has no such member.
const nlohmann::ordered_json* jsonMember(const nlohmann::ordered_json& object, const char* name);

// A number narrowed to float; true/false read as 1/0 and null as 0. False for
// other types and for numbers beyond the float range.
bool jsonFloat(const nlohmann::ordered_json& value, float& out);

// The same values truncated toward zero to 64 bits; false for other types and
// for numbers outside the 64-bit range.
bool jsonInteger(const nlohmann::ordered_json& value, int64_t& out);

// For each element of `records`, an array of objects, appends the named
// members in the given order. `where` names the array in the error text
// ("model.vertices", say).
bool readFloatRecords(const nlohmann::ordered_json& records, const std::string& where,
                      std::initializer_list<const char*> members, std::vector<float>& out,
                      std::string& error);
bool readIntegerRecords(const nlohmann::ordered_json& records, const std::string& where,
                        std::initializer_list<const char*> members, std::vector<int64_t>& out,
                        std::string& error);
