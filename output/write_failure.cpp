#include "write_failure.h"

#include "bigbitmap/errors.h"
#include "bigbitmap/ui_text.h"

namespace quilmo {

void FailToWrite(const char* format, const std::string& detail)
{
    throw EWriteError(FillIn(UiText(UI_TEXT("quilmo", "%1 画像を書き出せません: %2")), {format, detail}));
}

}  // namespace quilmo
