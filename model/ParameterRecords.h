#pragma once

#include "base/RecordStream.h"

#include <memory>

class CParameter;
class CParameterSet;
class CValueList;
class CCellBinding;

// Record forms of the parameter model in documents (described in docs/model-records.md).
// Readers build a new object and throw ModelError on damaged input, so a caller's object is
// never left half-read.
namespace model {

void WriteParameter(base::RecordWriter& out, const CParameter& parameter);
std::unique_ptr<CParameter> ReadParameter(base::RecordReader& in);

void WriteParameterSet(base::RecordWriter& out, const CParameterSet& set);
std::unique_ptr<CParameterSet> ReadParameterSet(base::RecordReader& in);

void WriteValueList(base::RecordWriter& out, const CValueList& list);
std::unique_ptr<CValueList> ReadValueList(base::RecordReader& in);

// The range is stored as its position in the variable table and found there again on reading;
// a position the table does not hold leaves the binding unbound with its texts.
void WriteCellBinding(base::RecordWriter& out, const CCellBinding& binding);
std::unique_ptr<CCellBinding> ReadCellBinding(base::RecordReader& in, const std::string& name);

} // namespace model
