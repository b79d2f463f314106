#pragma once

// The canvas view's second player: the generated movie runs in it as the SWF preview, and the
// snapshot commands ask that running movie for the values the user has given it (the Flash
// data query).

#include <cstdint>
#include <functional>
#include <map>
#include <vector>
#include <string>

#include "platform/controls/ShockwaveFlash.h"

class CCellValueMap;
class CComponent;
class CParameter;
class CParameterValueList;
class CVariableTable;

class CPreviewFlashCtrl : public CShockwaveFlash {
public:
    static constexpr UINT kControlId = 159;
    // A movie that has not answered by then never will (no movie, a script error, a movie
    // without the query's frame labels); the query gives up rather than hang the program.
    static constexpr unsigned kDefaultTimeoutMs = 10000;

    using ComponentMap = std::map<std::string, CComponent*>;
    // What a query reads, asked afresh for each one: the variable table of the model the
    // movie was built from, and every component instance of the document by instance name.
    struct QuerySources {
        std::function<const CVariableTable*()> variables;
        std::function<ComponentMap()> components;
    };
    void SetQuerySources(QuerySources sources) { m_sources = std::move(sources); }

    enum class QueryResult { Done, TimedOut, Quit, Busy };
    // Calls the movie's "GetData" label (with a change list) or "GetData2" (without) and
    // waits, dispatching the thread's other messages, until the movie says "done". Reported
    // cell values go into values (marked and flagged for export); reported component values
    // are written into the parameters, their previous states appended to changes. A query
    // asked for while one runs is refused (Busy).
    QueryResult RequestFlashData(CCellValueMap* values, CParameterValueList* changes,
                                 unsigned timeoutMs = kDefaultTimeoutMs);
    bool IsQuerying() const { return m_bQuerying; }

    // A reply of the running movie.
    void OnFlashCommand(const std::string& command, const std::string& args);
    BOOL OnFSCommand(const std::string& command, const std::string& args) override;

private:
    QueryResult WaitForFlashDone(unsigned timeoutMs);
    void OnComponentValue(const std::string& args, bool grouped);
    void OnDataValue(const std::string& args);

    QuerySources m_sources;
    bool m_bQuerying = false;
    bool m_bDone = false;
    CCellValueMap* m_pValues = nullptr;
    CParameterValueList* m_pChanges = nullptr;
    ComponentMap m_components;
    const CVariableTable* m_pTable = nullptr;
};

// Writes a value the movie reported into a parameter (a choice stands for its current value,
// a cell binding for its bound value): text, number, "true" for true, or integer by the
// parameter's type; no text makes it undefined. The previous state goes into changes.
void ApplyFlashValue(CParameter* parameter, const std::string* text, CParameterValueList& changes);

// Loads the file of the current directory into a layer of a player.
void LoadMovieFromCurrentDir(CShockwaveFlash& player, long layer, const std::string& fileName);

// The first space-separated tokens of a reply's arguments and the rest after them, spaces
// kept; a run of spaces is one separator. False when the text has fewer tokens.
bool SplitFlashArgs(const std::string& args, std::size_t tokens, std::vector<std::string>& out,
                    std::string& rest, bool& hasRest);
