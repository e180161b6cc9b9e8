// The saved control instances of the program's forms, built in from the description files beside
// this header.
#pragma once

#include "platform/property_bag.h"

namespace settings {

const os::FormDescription& FrmSettingsDescription();

}  // namespace settings
