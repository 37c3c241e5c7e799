#pragma once

#include "document/DefinitionHazards.h"

#include <QString>

#include <cstddef>
#include <vector>

// A text of the document as a field shows it, for the check of what the
// document's encoding cannot store. index counts listed values from 0.
struct ShownText
{
    TextField field;
    QString text;
    std::size_t index = 0;
};

using ShownTexts = std::vector<ShownText>;
