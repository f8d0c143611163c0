// Colours as the widgets' tests see them: a light or a dark palette, and the contrast ratio of
// two colours.
#pragma once

#include <QColor>
#include <QPalette>

#include <algorithm>
#include <cmath>

namespace testsupport {

// A whole light or dark palette, every colour role of every colour group set, so that nothing
// a widget paints falls back to the platform's palette. Inactive is Active; Disabled greys
// the texts.
inline QPalette paletteOf(bool dark)
{
    struct Role
    {
        QPalette::ColorRole role;
        QRgb light, dark, lightDisabled, darkDisabled;
    };
    static constexpr Role Roles[] = {
        {QPalette::Window, 0xefefef, 0x353535, 0xefefef, 0x353535},
        {QPalette::WindowText, 0x000000, 0xffffff, 0xbebebe, 0x7f7f7f},
        {QPalette::Base, 0xffffff, 0x2a2a2a, 0xefefef, 0x353535},
        {QPalette::AlternateBase, 0xf7f7f7, 0x424242, 0xf7f7f7, 0x424242},
        {QPalette::Text, 0x000000, 0xffffff, 0xbebebe, 0x7f7f7f},
        {QPalette::Button, 0xefefef, 0x353535, 0xefefef, 0x353535},
        {QPalette::ButtonText, 0x000000, 0xffffff, 0xbebebe, 0x7f7f7f},
        {QPalette::BrightText, 0xffffff, 0xff5555, 0xffffff, 0xff5555},
        {QPalette::Highlight, 0x308cc6, 0x2a82da, 0x919191, 0x505050},
        {QPalette::HighlightedText, 0xffffff, 0xffffff, 0xffffff, 0x7f7f7f},
        {QPalette::ToolTipBase, 0xffffdc, 0x202020, 0xffffdc, 0x202020},
        {QPalette::ToolTipText, 0x000000, 0xffffff, 0x000000, 0xffffff},
        {QPalette::PlaceholderText, 0x7f7f7f, 0x9a9a9a, 0xbebebe, 0x5f5f5f},
        {QPalette::Light, 0xffffff, 0x505050, 0xffffff, 0x505050},
        {QPalette::Midlight, 0xcacaca, 0x424242, 0xcacaca, 0x424242},
        {QPalette::Mid, 0xb8b8b8, 0x2b2b2b, 0xb8b8b8, 0x2b2b2b},
        {QPalette::Dark, 0x9f9f9f, 0x232323, 0xbebebe, 0x232323},
        {QPalette::Shadow, 0x767676, 0x141414, 0xb1b1b1, 0x141414},
        {QPalette::Link, 0x0000ff, 0x6fa8ff, 0x0000ff, 0x6fa8ff},
        {QPalette::LinkVisited, 0xff00ff, 0xd08cff, 0xff00ff, 0xd08cff},
    };
    QPalette palette;
    for (const Role& r : Roles) {
        const QColor normal = QColor::fromRgb(dark ? r.dark : r.light);
        palette.setColor(QPalette::Active, r.role, normal);
        palette.setColor(QPalette::Inactive, r.role, normal);
        palette.setColor(QPalette::Disabled, r.role,
                         QColor::fromRgb(dark ? r.darkDisabled : r.lightDisabled));
    }
    return palette;
}

// The contrast ratio of two colours, from 1 to 21, as accessibility guidelines define it.
inline double contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace testsupport
