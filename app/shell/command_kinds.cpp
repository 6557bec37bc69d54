// The commands that may run while another one works. Every command not listed here runs alone,
// the plug-in information items among them: a plug-in's settings dialog may change how it decodes
// a picture that is being read.

#include <QString>
#include <algorithm>
#include <iterator>

#include "command_gate.h"

namespace quilmo {

namespace {

struct TAnytimeCommand {
    const char* Window;
    const char* Command;
};

constexpr TAnytimeCommand kAnytime[] = {
    // Join settings: the document takes them at once and builds with them once the running
    // command has ended.
    {"Form1", "combo2"},
    {"Form1", "wrapspin"},
    {"Form1", "combo3"},
    {"Form1", "aligncombo"},
    {"Form1", "SpinEdit"},
    {"Form1", "edgecombo"},
    {"Form1", "viewbox"},
    {"Form1", "ToolButton26"},
    {"Form1", "ToolButton22"},
    {"Form1", "mmxsse"},
    {"Form1", "srgbbox"},
    {"edgeform", "Button1"},
    // Values a save, a print or a batch run reads when it starts, and the look of the windows.
    {"Form1", "Combo"},
    {"Form1", "ComboBox1"},
    {"Form1", "ToolButton20"},
    {"Form2", "RadioGroup2"},
    {"Form2", "CheckBox3"},
    {"Form2", "Radio2"},
    {"Form2", "Panel5"},
    {"resizeform", "CheckBox1"},
    {"resizeform", "CheckBox2"},
    // Windows shown or hidden; the exit button only asks the window to close, which is a
    // command of its own ("close").
    {"Form1", "bufferbtn"},
    {"Form1", "ToolButton7"},
    {"edgeform", "Button2"},
    {"resizeform", "Button2"},
    {"Form6", "Button1"},
    {"Form3", "Button1"},
    // Stopping a batch run has to reach the run.
    {"Form3", "Button2"},
};

}  // namespace

TCommandKind CommandKind(const QString& window, const QString& command)
{
    const bool anytime = std::any_of(std::begin(kAnytime), std::end(kAnytime), [&](const TAnytimeCommand& c) {
        return window == QLatin1String(c.Window) && command == QLatin1String(c.Command);
    });
    return anytime ? TCommandKind::Anytime : TCommandKind::Exclusive;
}

}  // namespace quilmo
