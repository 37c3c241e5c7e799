#include "launcher/OutputPalette.h"

#include <QPalette>
#include <algorithm>
#include <cmath>

namespace {

// The 16 basic colours, as a usual terminal shows them.
constexpr std::array<QRgb, 16> BasicColors = {
    0x2e3436, 0xcc0000, 0x4e9a06, 0xc4a000, 0x3465a4, 0x75507b, 0x06989a, 0xd3d7cf,
    0x555753, 0xef2929, 0x8ae234, 0xfce94f, 0x729fcf, 0xad7fa8, 0x34e2e2, 0xeeeeec,
};

// The least contrast, as the ratio of relative luminances, of text in an indexed colour on the
// base: enough to read, little enough to keep the colours apart.
constexpr double MinContrast = 3.0;

QColor Mix(const QColor& a, const QColor& b, float share)
{
    const auto channel = [share](int x, int y) {
        return static_cast<int>(static_cast<float>(x) * (1 - share) +
                                static_cast<float>(y) * share + 0.5F);
    };
    return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()),
                  channel(a.blue(), b.blue()));
}

double Luminance(const QColor& color)
{
    const auto linear = [](float channel) {
        return channel <= 0.04045F ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) +
           0.0722 * linear(color.blueF());
}

double Contrast(const QColor& a, const QColor& b)
{
    const double first = Luminance(a);
    const double second = Luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// The colour, moved towards black on a light base or towards white on a dark one until it
// stands out from the base.
QColor Readable(QColor color, const QColor& base)
{
    const QColor away = Luminance(base) > 0.18 ? QColor(Qt::black) : QColor(Qt::white);
    for (int step = 0; step < 10 && Contrast(color, base) < MinContrast; ++step)
        color = Mix(color, away, 0.15F);
    return color;
}

int CubeLevel(std::uint32_t step)
{
    return step == 0 ? 0 : static_cast<int>(55 + step * 40);
}

} // namespace

OutputPalette::OutputPalette(const QPalette& palette)
    : text(palette.color(QPalette::Text)), base(palette.color(QPalette::Base)),
      muted(Mix(text, base, 0.45F))
{
}

QColor OutputPalette::Indexed(std::uint32_t index) const
{
    if (index < BasicColors.size())
        return QColor(BasicColors[index]);
    if (index < 232) {
        const std::uint32_t cube = index - 16;
        return QColor(CubeLevel(cube / 36), CubeLevel(cube / 6 % 6), CubeLevel(cube % 6));
    }
    const int gray = static_cast<int>(8 + (index - 232) * 10);
    return QColor(gray, gray, gray);
}

QColor OutputPalette::Resolve(std::uint32_t color, bool foreground) const
{
    switch (TerminalColor::KindOf(color)) {
    case TerminalColor::IndexedKind: {
        const QColor indexed = Indexed(TerminalColor::ValueOf(color));
        return foreground ? Readable(indexed, base) : indexed;
    }
    case TerminalColor::RgbKind:
        return QColor::fromRgb(TerminalColor::ValueOf(color));
    default:
        return foreground ? text : base;
    }
}

QColor OutputPalette::Foreground(const TerminalStyle& style) const
{
    const QColor front = Resolve(style.Foreground, true);
    const QColor back = Resolve(style.Background, false);
    const bool reverse = style.Has(TerminalStyle::Reverse);
    const QColor color = reverse ? back : front;
    if (style.Has(TerminalStyle::Dim) || style.Has(TerminalStyle::Invalid))
        return Mix(color, reverse ? front : back, 0.45F);
    return color;
}

QColor OutputPalette::Background(const TerminalStyle& style) const
{
    if (style.Has(TerminalStyle::Reverse))
        return Resolve(style.Foreground, true);
    return style.Background == TerminalColor::Default ? QColor() : Resolve(style.Background, false);
}
