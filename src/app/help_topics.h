// The help topics the program can ask for, and the HTML page of each.
#pragma once

namespace pinlark {

// The page in the help folder for a help context id: the contents for 0 and for any id the
// help does not know.
const char* HelpPageForContext(int contextId);

}  // namespace pinlark
