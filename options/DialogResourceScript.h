// Writes dialog resources as resource-script text (DIALOGEX blocks) for the
// Windows build's resource compiler, so that the dialogs it shows are the
// ones the models drive. The script that includes the output must include
// <windows.h> first for the style names.
#pragma once

#include <span>
#include <string>

#include "options/DialogResources.h"

namespace skerrow {

std::string DialogResourceScript(const DialogResource& dialog);
// The blocks of all dialogs, one after the other.
std::string DialogResourceScript(std::span<const DialogResource* const> dialogs);

}  // namespace skerrow
