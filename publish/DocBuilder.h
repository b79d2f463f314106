#pragma once

#include "publish/DocDescription.h"

#include <vector>

class CBaseMovie;

namespace publish {

// Makes the document a description describes: imports its workbook into the base movie's
// model, places its components from the installed catalogue with their parameters and cell
// bindings, sets the range entries and export settings, compiles the model and writes the
// document file. The instance and definition counters start again from 0, so one
// description always gives the same file. base must hold no model yet (a new one per
// document). Throws DescriptionError naming the faulty part.
std::vector<unsigned char> BuildDocument(const DocDescription& description, CBaseMovie& base);

} // namespace publish
