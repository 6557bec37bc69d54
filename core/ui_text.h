#pragma once
// The marked texts, for the code that includes them from here.
#include "bigbitmap/ui_text.h"
