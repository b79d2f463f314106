#pragma once

// The XML data file of the XML data connection: the data of one side (send or load) as the
// connection exchanges it, written for the user to look at. The bytes are those publishing
// writes beside a movie (publish/DataFiles.h): <data>, one <variable name="..."> per name with
// <row>s of <column>s, CR LF after every line but the last.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class CParameter;
class CXMLDataEntry;

namespace pages {

// The file's text. `names` is the names array (its elements' strings, in order), `ranges` the
// ranges array (a cell binding whose value holds one element per entry that has a range, each
// a list of rows of cells), `entries` the side's entries in the same order as the names. A
// name's values are the next unused element of the ranges array when its entry has a range;
// an entry without one takes no element. Either array may be missing (nothing of it is
// written); an undefined cell is an empty column.
std::string XMLDataFileText(const CParameter* names, const CParameter* ranges,
                            const std::vector<std::unique_ptr<CXMLDataEntry>>& entries);

// Writes that text into the file, replacing it; false when the file cannot be written.
bool WriteXMLDataFile(const std::filesystem::path& path, const CParameter* names, const CParameter* ranges,
                      const std::vector<std::unique_ptr<CXMLDataEntry>>& entries);

} // namespace pages
