#include "app/help_topics.h"

#include "res/resource_ids.h"

namespace pinlark {

const char* HelpPageForContext(int contextId) {
  switch (contextId) {
    case HELP_CTX_PROPERTIES: return "properties.html";
    case HELP_CTX_TRASH: return "trash.html";
    case HELP_CTX_EDIT: return "edit.html";
    default: return "index.html";
  }
}

}  // namespace pinlark
