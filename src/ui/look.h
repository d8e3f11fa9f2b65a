#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>

class QWidget;

// Fonts and colours shared by the windows.
namespace orvel::ui {

// The proportional Gothic face of the Japanese character set; fontconfig
// substitutes the nearest face where it is missing.
inline constexpr auto kGothicFace = "IPAPGothic";

enum class FontSize
{
    Pt7_5,
    Pt9,
    Pt9_75,
    Pt10_5,
    Pt12,
};

QFont gothic(FontSize size, bool bold);

// Colours as the window definitions write them, &H00BBGGRR&.
inline QColor fromBgr(unsigned int bgr)
{
    return QColor::fromRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

inline constexpr unsigned int kSilver = 0x00C0C0C0;
inline constexpr unsigned int kLightCyan = 0x00FFFFC0;
inline constexpr unsigned int kTeal = 0x00C0C000;
inline constexpr unsigned int kWhite = 0x00FFFFFF;
inline constexpr unsigned int kRed = 0x000000FF;

// The panel's own icon: one 32 x 32 picture in 24-bit colour.
QIcon panelIcon();

void setBackground(QWidget *widget, const QColor &colour);
void setForeground(QWidget *widget, const QColor &colour);

} // namespace orvel::ui
