// A settings dialog that "opens" for function 1.

#include "plugins/spi_export.h"

int32_t ConfigurationDlg(void*, int32_t functionNumber) { return functionNumber == 1 ? 0 : -1; }
