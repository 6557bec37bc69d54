#include "colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace quilmo {

namespace {

constexpr TColor kSystemColorFlag = 0x80000000;

// The system colours a stored value can name, by their index.
QColor SystemColor(TColor index)
{
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case 5: return palette.color(QPalette::Base);           // window background
    case 15: return palette.color(QPalette::Button);        // button face
    case 16: return palette.color(QPalette::Dark);          // button shadow
    case 20: return palette.color(QPalette::Light);         // button highlight
    default: return palette.color(QPalette::Window);
    }
}

}  // namespace

QColor ToQColor(TColor color)
{
    if (color & kSystemColorFlag) return SystemColor(color & 0xFF);
    return QColor(ColorRed(color), ColorGreen(color), ColorBlue(color));
}

TColor FromQColor(const QColor& color)
{
    return RGBColor(static_cast<uint8_t>(color.red()), static_cast<uint8_t>(color.green()),
                    static_cast<uint8_t>(color.blue()));
}

}  // namespace quilmo
