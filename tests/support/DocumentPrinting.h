#pragma once

#include "document/Def.h"
#include "document/Option.h"

#include <string>
#include <vector>

// QTest prints compared values through these, so a failed QCOMPARE of
// records shows every field.
char* toString(const COption& option);
char* toString(const CDef& def);
char* toString(const std::string& text);
char* toString(const std::vector<std::string>& texts);
