#pragma once

#include "win/form_layout.h"

namespace marrowpin::main {

// The main window's layout: every component with its name, kind, placement
// in pixels at 96 dpi, settings and texts.
win::FormLayout FrmMainLayout();

}  // namespace marrowpin::main
