#include "publish/FunctionLibrary.h"

#include "model/TextUtil.h"
#include "model/Trace.h"
#include "publish/ProgramContext.h"
#include "sheet/formula/CallingConvention.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfError.h"
#include "swf/SwfMovie.h"

#include <iterator>

CFunctionLibrary* GetFunctionLibrary()
{
    CProgramContext* context = CProgramContext::Current();
    return context ? context->GetFunctionLibrary() : nullptr;
}

CFunctionLibrary::CFunctionLibrary(const std::string& path)
{
    LoadLibraryMovie(path);
}

CFunctionLibrary::~CFunctionLibrary() = default;

void CFunctionLibrary::LoadLibraryMovie(const std::string& path)
{
    std::filesystem::path file = model::NativePath(path);
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        Trace("function library %s is missing; every function is unsupported", file.string().c_str());
        loadProblem_ = file.string() + ": the function library is missing";
        return;
    }
    for (int attempt = 1; attempt <= kLoadAttempts; ++attempt) {
        if (TryLoadLibraryMovie(file))
            return;
    }
    Trace("function library %s could not be read; every function is unsupported", file.string().c_str());
    loadProblem_ = file.string() + ": the function library cannot be read";
}

bool CFunctionLibrary::TryLoadLibraryMovie(const std::filesystem::path& path)
{
    // A fresh movie for every attempt, so nothing of a failed read survives.
    auto movie = std::make_unique<CSwfMovie>();
    try {
        movie->LoadFile(path);
    } catch (const swf::SwfError& error) {
        Trace("function library: %s", error.what());
        return false;
    }
    std::map<std::string, std::unique_ptr<CSwfDoAction>, std::less<>> functions;
    for (ClipEntry& clip : movie->GetClipEntries()) {
        const CSwfRawData* code = clip.GetInitActions();
        // A clip without initialisation actions defines nothing; taking it as a function would
        // have the movie call a name that does not exist instead of reporting it unsupported.
        if (code == nullptr) {
            Trace("function library: clip \"%s\" has no code", clip.GetName().c_str());
            continue;
        }
        // A later clip of the same name replaces the earlier one (whose tag is freed here).
        functions[clip.GetName()] = std::make_unique<CSwfDoAction>(*code);
    }
    std::lock_guard lock(mutex_);
    functions_ = std::move(functions);
    return true;
}

int CFunctionLibrary::GetSymbolKind(std::string_view name)
{
    if (int kind = callconv::OperatorKindOf(name))
        return kind;
    std::lock_guard lock(mutex_);
    return functions_.count(name) ? callconv::kFunction : 0;
}

void CFunctionLibrary::UseFunction(std::string_view name)
{
    if (int kind = callconv::OperatorKindOf(name))
        name = callconv::OperatorFunction(kind);
    std::lock_guard lock(mutex_);
    if (auto function = functions_.find(name); function != functions_.end()) {
        function->second->AddUse();
        return;
    }
    auto [entry, inserted] = unsupported_.try_emplace(std::string(name), 1);
    if (!inserted)
        ++entry->second;
}

void CFunctionLibrary::ReleaseFunction(std::string_view name)
{
    if (int kind = callconv::OperatorKindOf(name))
        name = callconv::OperatorFunction(kind);
    std::lock_guard lock(mutex_);
    // An unsupported name stays listed: the user is told about every name the model asked for.
    if (auto function = functions_.find(name); function != functions_.end())
        function->second->RemoveUse();
}

void CFunctionLibrary::ResetUsage()
{
    std::lock_guard lock(mutex_);
    for (auto& [name, tag] : functions_)
        tag->SetUseCount(0);
    unsupported_.clear();
}

int CFunctionLibrary::GetUnsupportedCount() const
{
    std::lock_guard lock(mutex_);
    return static_cast<int>(unsupported_.size());
}

std::string CFunctionLibrary::GetUnsupportedName(int index) const
{
    std::lock_guard lock(mutex_);
    if (index < 0 || static_cast<size_t>(index) >= unsupported_.size())
        return {};
    return std::next(unsupported_.begin(), index)->first;
}

int CFunctionLibrary::GetFunctionCount() const
{
    std::lock_guard lock(mutex_);
    return static_cast<int>(functions_.size());
}

int CFunctionLibrary::GetUseCount(std::string_view name) const
{
    std::lock_guard lock(mutex_);
    auto function = functions_.find(name);
    return function == functions_.end() ? 0 : function->second->GetUseCount();
}

std::vector<std::string> CFunctionLibrary::GetUsedFunctionNames() const
{
    std::lock_guard lock(mutex_);
    std::vector<std::string> names;
    for (const auto& [name, tag] : functions_)
        if (tag->GetUseCount() > 0)
            names.push_back(name);
    return names;
}

void CFunctionLibrary::Write(swf::Writer& out)
{
    std::lock_guard lock(mutex_);
    for (auto& [name, tag] : functions_)
        if (tag->GetUseCount() > 0)
            tag->Write(out);
}
