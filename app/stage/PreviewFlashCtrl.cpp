#include "app/stage/PreviewFlashCtrl.h"

#include <clocale>
#include <cstdlib>
#include <memory>
#include <vector>

#include "app/stage/MoviePicture.h"
#include "base/PlatformServices.h"
#include "model/Trace.h"
#include "model/CellBinding.h"
#include "model/Component.h"
#include "model/CompoundParameter.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/ValueList.h"
#include "platform/window/MessageQueue.h"
#include "platform/window/Wnd.h"
#include "sheet/cells/CellRef.h"
#include "sheet/cells/CellValueMap.h"
#include "sheet/cells/CellValueRecord.h"
#include "sheet/cells/VariableTable.h"
#include "sheet/formula/ModelVariable.h"

namespace {

// C-locale number reading: the movie writes numbers with a point whatever the user's locale.
double ReadNumber(const std::string& text)
{
    return std::strtod(text.c_str(), nullptr);
}

} // namespace

bool SplitFlashArgs(const std::string& args, std::size_t tokens, std::vector<std::string>& out,
                    std::string& rest, bool& hasRest)
{
    out.clear();
    std::size_t pos = 0;
    const auto skipSpaces = [&] {
        while (pos < args.size() && args[pos] == ' ')
            ++pos;
    };
    skipSpaces();
    for (std::size_t i = 0; i < tokens; ++i) {
        if (pos >= args.size())
            return false;
        std::size_t end = args.find(' ', pos);
        if (end == std::string::npos)
            end = args.size();
        out.push_back(args.substr(pos, end - pos));
        pos = end;
        skipSpaces();
    }
    // The rest keeps the spaces inside it.
    rest = args.substr(std::min(pos, args.size()));
    hasRest = !rest.empty();
    return true;
}

void ApplyFlashValue(CParameter* parameter, const std::string* text, CParameterValueList& changes)
{
    if (parameter == nullptr)
        return;
    if (parameter->GetType() == model::ParamType::Choice && parameter->GetValueList() != nullptr)
        parameter = &parameter->GetValueList()->GetPrototype();
    else if (parameter->GetType() == model::ParamType::CellBinding && parameter->GetBinding() != nullptr)
        parameter = &parameter->GetBinding()->GetValue();
    auto previous = std::make_unique<CParameter>(*parameter);
    if (text == nullptr) {
        parameter->SetUndefined(true);
    } else {
        switch (parameter->GetType()) {
        case model::ParamType::Text: parameter->SetString(*text); break;
        case model::ParamType::Number: parameter->SetDouble(ReadNumber(*text)); break;
        case model::ParamType::Boolean: parameter->SetBool(*text == "true"); break;
        case model::ParamType::Integer:
            parameter->SetInt(static_cast<std::int32_t>(std::strtol(text->c_str(), nullptr, 10)));
            break;
        default: break;
        }
    }
    changes.Add(parameter, std::move(previous));
}

void LoadMovieFromCurrentDir(CShockwaveFlash& player, long layer, const std::string& fileName)
{
    player.LoadMovie(layer, (GetCurrentDirectoryPath() / fileName).string());
}

BOOL CPreviewFlashCtrl::OnFSCommand(const std::string& command, const std::string& args)
{
    OnFlashCommand(command, args);
    return TRUE;
}

CPreviewFlashCtrl::QueryResult CPreviewFlashCtrl::RequestFlashData(CCellValueMap* values, CParameterValueList* changes,
                                                                   unsigned timeoutMs)
{
    if (m_bQuerying)
        return QueryResult::Busy;
    m_bQuerying = true;
    m_pValues = values;
    m_pChanges = changes;
    m_components = m_sources.components ? m_sources.components() : ComponentMap{};
    m_pTable = m_sources.variables ? m_sources.variables() : nullptr;
    // Cleared before the call: a player may answer while the label runs.
    m_bDone = false;
    TCallLabel("/", changes != nullptr ? "GetData" : "GetData2");
    const QueryResult result = WaitForFlashDone(timeoutMs);
    // Replies that come late must not write into lists their owner has freed.
    m_pValues = nullptr;
    m_pChanges = nullptr;
    m_components.clear();
    m_pTable = nullptr;
    m_bQuerying = false;
    return result;
}

CPreviewFlashCtrl::QueryResult CPreviewFlashCtrl::WaitForFlashDone(unsigned timeoutMs)
{
    switch (DispatchUntil(*this, [this] { return m_bDone; }, timeoutMs)) {
    case WaitResult::Done: return QueryResult::Done;
    case WaitResult::Quit: return QueryResult::Quit;
    default: return QueryResult::TimedOut;
    }
}

void CPreviewFlashCtrl::OnFlashCommand(const std::string& command, const std::string& args)
{
    if (command == "Displayf") {
        Trace("%s", args.c_str());
    } else if (command == "done") {
        m_bDone = true;
    } else if (command == "cmp") {
        OnComponentValue(args, false);
    } else if (command == "cmp2") {
        OnComponentValue(args, true);
    } else if (command == "data") {
        OnDataValue(args);
    }
}

void CPreviewFlashCtrl::OnComponentValue(const std::string& args, bool grouped)
{
    // Parameters change only while their previous states can be given back.
    if (!m_bQuerying || m_pChanges == nullptr)
        return;
    std::vector<std::string> tokens;
    std::string rest;
    bool hasRest = false;
    if (!SplitFlashArgs(args, grouped ? 3 : 2, tokens, rest, hasRest))
        return;
    auto found = m_components.find(tokens[0]);
    if (found == m_components.end() || found->second == nullptr || found->second->GetParameters() == nullptr)
        return;
    CParameterSet& set = *found->second->GetParameters();
    CParameter* parameter = set.FindParameter(tokens[1]);
    if (grouped && parameter != nullptr) {
        CParameter* group = parameter;
        if (group->GetType() == model::ParamType::CellBinding && group->GetBinding() != nullptr)
            group = &group->GetBinding()->GetValue();
        parameter = group->GetSet() != nullptr ? group->GetSet()->FindParameter(tokens[2]) : nullptr;
    }
    if (parameter == nullptr)
        return;
    ApplyFlashValue(parameter, hasRest ? &rest : nullptr, *m_pChanges);
}

void CPreviewFlashCtrl::OnDataValue(const std::string& args)
{
    if (!m_bQuerying || m_pValues == nullptr || m_pTable == nullptr)
        return;
    std::vector<std::string> tokens;
    std::string rest;
    bool hasRest = false;
    if (!SplitFlashArgs(args, 2, tokens, rest, hasRest) || tokens[0].size() < 2)
        return;
    char* end = nullptr;
    const long number = std::strtol(tokens[0].c_str() + 1, &end, 10);
    if (end == tokens[0].c_str() + 1 || *end != '\0' || number < 0)
        return;
    std::unique_ptr<CModelVariable> value;
    const std::string& type = tokens[1];
    if (type == "number") {
        value = CModelVariable::MakeNumber(ReadNumber(rest));
    } else if (type == "string") {
        value = CModelVariable::CModelVariableFromText(rest);
    } else if (type == "boolean") {
        // A boolean stays a boolean: as text, "false" would read as true in the movie.
        value = CModelVariable::MakeBoolean(rest == "true");
    } else if (type == "undefined") {
        value = std::make_unique<CModelVariable>(ModelKind::NoValue);
    } else {
        return;
    }
    const std::optional<CCellRef> cell = m_pTable->GetCellAt(static_cast<std::size_t>(number));
    if (!cell)
        return;
    const auto id = static_cast<std::int32_t>(number);
    CCellValueRecord record(id, CellVariableName(id), cell->GetText(), value.get());
    // Marked for the snapshot movie, flagged for the write-back to the workbook.
    record.mark = 1;
    record.exportFlag = 1;
    m_pValues->Replace(record);
}
