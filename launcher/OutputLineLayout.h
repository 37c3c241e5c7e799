#pragma once

#include "launcher/TerminalStyle.h"

#include <QString>
#include <vector>

class TerminalLine;

// A piece of a line as the output pane lays it out, in character cells from column 0: text of
// one style (a cell per character), a tab (up to the next multiple of eight), or bytes that are
// not UTF-8 (four cells each, shown as \xNN).
struct OutputSegment
{
    enum Kind
    {
        Text,
        Tab,
        InvalidBytes
    };

    Kind Type;
    QString Characters; // what is drawn: empty for a tab
    int Column;
    int Columns;
    TerminalStyle Style;
};

std::vector<OutputSegment> LayOutLine(const TerminalLine& line);
// The cells the whole line takes.
int LineColumns(const TerminalLine& line);
// Appends the text of the line's characters that start in the cells [fromColumn, toColumn):
// tabs as tabs, bytes that are not UTF-8 as shown.
void AppendLineText(const TerminalLine& line, int fromColumn, int toColumn, QString& text);
