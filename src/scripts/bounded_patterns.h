#pragma once

struct lua_State;

namespace morva {

// Replaces find, match, gmatch and gsub of the string library, opened in L, by ones whose work counts
// toward the sandbox's instruction budget.
void BoundPatternFunctions(lua_State* L);

}  // namespace morva
