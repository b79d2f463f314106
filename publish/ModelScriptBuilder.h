#pragma once

#include "publish/XmlConnectionCode.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

class CActionList;
class CBaseMovie;
class CCellModel;
class CComponent;
class CFormulaNode;
class CModelNetwork;
class CModelVariable;
class CVariableTable;

// The recalculation after a change of one input (a cell a component writes): the formulas of
// the full calculation that depend on it, and those whose value changes by itself (NOW, RAND,
// OFFSET...) with what reads them, in the full calculation's order.
struct InputCalculation {
    int32_t cellId = -1;
    std::vector<const CFormulaNode*> formulas;
};
// The inputs whose changes recalculate only their dependents, by ascending cell id. None when
// the model holds a circular reference; inputs that would take the repeated code past twice
// the model's formulas are left out, and so are inputs whose change recalculates nothing. The manager of the movie runs the full
// calculation for any change it finds no function for.
std::vector<InputCalculation> InputCalculations(const CModelNetwork& network);
// When the network iterates its circles: kvIterCells, the variables of the circles' cells
// separated by spaces, kvIterCount and kvIterDelta, from which the manager repeats kvCalc.
// Nothing otherwise.
void WriteIterationSettings(const CModelNetwork& network, CActionList& actions);
// The movie function recalculating the dependents of the input with that cell id.
std::string InputCalcFunctionName(int32_t cellId);

// A formula reading cells by place (OFFSET, INDIRECT, ...) is calculated after every formula it
// cannot depend on, but it may fetch a cell that itself depends on such a fetch and comes later
// in the order. formulas: the readers and everything that reads them, in the calculation's
// order; fetchable: the cell ids of those on the sheets the readers reach, whose values must
// not change while a calculation runs for it to be settled; passes: how often the movie
// calculates formulas again at most (a fetch in a circle never settles). Empty when no reader
// can fetch such a cell.
struct PlaceSettling {
    std::vector<const CFormulaNode*> formulas;
    std::vector<int32_t> fetchable;
    int passes = 0;
};
PlaceSettling PlaceSettlingOf(const CModelNetwork& network, const CVariableTable& table);

// "A"<index> for every range of the table, as a view (kvRangeC: band b, first band row o,
// rows, cols) on a band "kvB"<k> of rows of variable names that all areas of a sheet over the
// same columns share; the rows of a range of several areas follow one another. Defines
// _global.kvRangeC first unless it is defined. computed: by cell id, the cells the movie's
// calculation writes; a band holding none of them is marked kvNoFormulas (its values change
// only between calculations, so their sums may be read ahead). Without it no band is marked.
// A band over rows that cells hides carries them as kvHidden, an object whose members are the
// band rows hidden (SUBTOTAL's forms 101 to 111 leave them out).
void WriteRangeArrays(const CVariableTable& table, CActionList& actions,
                      const std::vector<bool>* computed = nullptr, const CCellModel* cells = nullptr);

// Builds the scripts of one published movie from the model a base movie holds: the first
// frame's script and the init code, which it hands to the base movie to write, and the sample
// data file of a movie fed by a web service. It reads the model and the export settings and
// flags, and changes nothing of them but the output path, which becomes the sample data
// file's. As the parts of the model code it also serves the connection script of a movie fed
// from outside (publish/XmlConnectionCode.h), which writes them instead of the init code.
class CModelScriptBuilder : public publish::IModelScriptParts {
public:
    explicit CModelScriptBuilder(CBaseMovie& base) : base_(base) {}

    // The first frame's script: the calls of kvCalc and kvInitModel, then (not in a preview)
    // the connection to the collaboration gateway. Replaces the frame script of an earlier
    // build that was never written.
    void BuildConnectCode(bool preview);
    // The first frame's script of a published movie: the function kvAfterFirstCalc, which calls
    // kvInitModel, makes the collaboration connection as BuildConnectCode does, runs the
    // statements of `after` in order and ends with Stop (stopAtEnd) or Play; then the call of
    // the manager's kvFirstCalc, which runs kvCalc's parts and then kvAfterFirstCalc, in the
    // same frame when the calculation is short and over the next frames when it is not.
    // kvAfterFirstCalc is split into numbered parts when too large for one function. Replaces
    // the frame script of an earlier build that was never written.
    void BuildFrameScript(bool preview, std::vector<CActionList> after, bool stopAtEnd);
    // The model code that runs before the first frame: the range arrays, DAT, the calculation
    // and initialisation functions, the locale values, INP, the initial values, the GUID of an
    // export, and for movies fed by a web service or XML maps the static data table and the
    // start-up of the data connection, with the sample data file when the settings ask for it.
    // components are the document's, for the static data table. A preview always computes
    // its model, since it never carries the data connection. Throws std::runtime_error when a
    // single formula or link is too large for a function of the movie or the sample data file
    // cannot be written.
    void BuildModelCode(std::span<CComponent* const> components, bool preview);

    // "A"<index> for every range of the variable table, as views on shared bands.
    void WriteRangeArrays(CActionList& actions) override;
    // DAT = new Array, then DAT[name] = A<index> for each range entry that names a range.
    void WriteDataTable(CActionList& actions) override;
    // kvCalc, with its numbered parts when the formulas do not fit one function, then the
    // recalculation of each input's dependents (InputCalculations), split the same way.
    void WriteCalcFunctions(CActionList& actions) override;
    // The assignments of the initial values of the bound constants, then the plain ones, by
    // ascending cell id; while the snapshot flag is set, a marked value record replaces the
    // cell's own value.
    void WriteInitialValues(CActionList& actions) override;
    // "V"<id> = value.
    static void WriteSnapshotValue(const CModelVariable* value, CActionList& actions, int32_t cellId);

    // Sample data of a movie that takes its data from a web service (publish/DataFiles.h): the
    // compiled constants as loadable variables, bound ones first; the range entries' cells as
    // XML. Staged into the base movie's output batch during a build. False when the file
    // cannot be written, which the export does not report.
    bool WriteTextData(const std::filesystem::path& path) const;
    bool WriteXmlData(const std::filesystem::path& path) const;

private:
    // kvInitModel(), then the collaboration connection unless preview.
    void AppendInitCalls(CActionList& actions, bool preview) const;
    // snapshot: whether marked value records replace the cells' own values.
    void WriteValues(CActionList& actions, bool snapshot) const;

    CBaseMovie& base_;
};
