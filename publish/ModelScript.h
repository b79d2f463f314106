#pragma once

#include "publish/BaseMovie.h"
#include "publish/XmlConnectionCode.h"

// "A"<index> for every range of the table: the rows of its cells' variable names, first row
// first; the rows of a range of several areas follow one another.
void WriteRangeArrays(const CVariableTable& table, CActionList& actions);

// The base movie's model code as the connection script writes it, for movies whose data come
// from a web service or XML maps.
class CBaseMovieScriptParts : public publish::IModelScriptParts {
public:
    explicit CBaseMovieScriptParts(CBaseMovie& movie) : movie_(movie) {}
    void WriteRangeArrays(CActionList& out) override { movie_.WriteRangeArrays(out); }
    void WriteInitialValues(CActionList& out) override { movie_.WriteInitialValues(out); }
    void WriteDataTable(CActionList& out) override { movie_.WriteDataTable(out); }
    void WriteCalcFunctions(CActionList& out) override { movie_.WriteCalcFunctions(out); }

private:
    CBaseMovie& movie_;
};
