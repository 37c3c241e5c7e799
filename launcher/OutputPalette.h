#pragma once

#include "launcher/TerminalStyle.h"

#include <QColor>
#include <array>

class QPalette;

// The colours of the output pane: the default ones are the palette's Text and Base, and the
// indexed colours are kept readable on Base (a basic colour too close to it in lightness is
// moved away), so that programs written for a dark terminal read on a light pane and the
// other way round.
class OutputPalette
{
public:
    explicit OutputPalette(const QPalette& palette);

    QColor Foreground(const TerminalStyle& style) const;
    // Invalid when the style has the pane's own background.
    QColor Background(const TerminalStyle& style) const;
    // The launcher's notes and the retention notice.
    QColor Note() const { return muted; }

private:
    QColor Resolve(std::uint32_t color, bool foreground) const;
    QColor Indexed(std::uint32_t index) const;

    QColor text;
    QColor base;
    QColor muted;
};
