// The saved control instances of the program's forms, built in from the description files beside
// this header.
#pragma once

#include "forms/property_bag.h"

namespace settings {

const forms::FormDescription& SettingsDialogDescription();

}  // namespace settings
