#pragma once

#include "base/RecordStream.h"

#include <memory>

class CCellModel;
class CCellValueMap;
class CCompiledExpr;
class CFormulaNode;
class CModelVariable;
class CVariableTable;

// The spreadsheet model's records inside a document (docs/sheet-records.md). Each reader is
// the mirror image of its writer; readers throw ModelError (naming the record and the offset)
// on damaged input and never read past it or allocate beyond what it can hold.
namespace sheetrec {

void WriteCellModel(base::RecordWriter& out, const CCellModel& cells);
void ReadCellModel(base::RecordReader& in, CCellModel& cells);

void WriteVariableTable(base::RecordWriter& out, const CVariableTable& table);
void ReadVariableTable(base::RecordReader& in, CVariableTable& table);

// Constant values only (text, boolean, number, no value).
void WriteConstant(base::RecordWriter& out, const CModelVariable& value);
std::unique_ptr<CModelVariable> ReadConstant(base::RecordReader& in);

void WriteValueMap(base::RecordWriter& out, const CCellValueMap& map);
void ReadValueMap(base::RecordReader& in, CCellValueMap& map);

// A compiled expression, or its absence. Function names read back are registered with the
// function library as when they were compiled.
void WriteCompiledExpr(base::RecordWriter& out, const CCompiledExpr* expression);
std::unique_ptr<CCompiledExpr> ReadCompiledExpr(base::RecordReader& in);

} // namespace sheetrec
