#pragma once

#include <string>

namespace morva::testing {

// A complete, valid config.bot whose every key is set; a test changes what it needs with IniWrite.
std::string ValidConfig();

}  // namespace morva::testing
