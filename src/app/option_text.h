#pragma once

#include <string>

// Reads a whole decimal number from an option's text (mirelo-headless's
// arguments, the web page's query). False, and value untouched, when the text
// is empty, has anything after the digits, overflows or lies outside
// [low, high].
bool parseWhole(const std::string& text, long long low, long long high, long long& value);
