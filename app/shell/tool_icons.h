#pragma once
// The tool buttons' icons, drawn by the program so they look the same on every desktop.

#include <QColor>
#include <QIcon>

namespace quilmo {

enum class TToolIcon {
    Open, Batch, Frame, Buffer, Save, ResizeSave, Effects, Copy, Reverse, Clear, Print,
    PrinterSetup, Exit, Help
};

QIcon ToolIcon(TToolIcon icon);
// Quilmo's own icon, as app/shell/quilmo.svg draws it: two pictures joined inside a frame.
QIcon ProgramIcon();
// A swatch of colour, for the colour buttons.
QIcon ColourIcon(const QColor& colour);

}  // namespace quilmo
