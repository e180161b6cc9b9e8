// The form runtime's namespace. The runtime is written in the platform's own terms (window
// handles, pixels, colours, fonts), so they are all in reach inside it.
#pragma once

namespace os {}

namespace forms {
using namespace os;
}  // namespace forms
