#pragma once
// JSON text as the cameras write it: one compact line and a line feed.
// Threading: any thread.

#include <json/json.h>

#include <string>

std::string sample_compact_json(const Json::Value& v);
