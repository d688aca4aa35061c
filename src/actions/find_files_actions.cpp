#include "find_files_actions.h"

#include <memory>

#include "find_file.h"
#include "host_bridge.h"
#include "param_text.h"
#include "plugin_state.h"
#include "search/found_files.h"
#include "thread_end.h"

namespace kv::actions {
namespace {

// The engine bound to the host: where the results go, and how to write them.
class TNeoFindFile : public TFindFile {
public:
    TNeoFindFile() {
        OnFileMatch = [this](const TFileDetails& file) { Found.Add(file.Folder, file.Name); };
        OnSearchFinish = [this] { DeliverResults(); };
    }
    // The worker adds to Found until it has stopped.
    ~TNeoFindFile() override { Shutdown(); }
    TNeoFindFile(const TNeoFindFile&) = delete;
    TNeoFindFile& operator=(const TNeoFindFile&) = delete;

    std::string GoSubText;
    std::string ResultVariable;
    // Read on the host's thread only, when the results are written.
    FoundFileOptions Options;
    // Filled by the walk; read once it has ended.
    FoundFiles Found;

private:
    void DeliverResults() {
        const std::string text = Found.Text(Options);
        const size_t count = Found.size();
        Found.clear();
        const std::string goSub = GoSubText;
        // The list goes to the host as it stands: it may be megabytes long.
        if (const auto setVar = State().HostSetVar; setVar && !ResultVariable.empty())
            setVar(ResultVariable.c_str(), text.c_str());
        SetVar("[qvFindFilesCount]", FormatUnsigned(static_cast<uint32_t>(count)));
        if (!goSub.empty()) RunHostScript(goSub);
    }
};

// The one engine, made by the first "Find" and kept until the library goes.
struct FindFilesState {
    std::unique_ptr<TNeoFindFile> engine;
    ~FindFilesState() {
        // At process exit the worker was ended wherever it stood, perhaps
        // inside the heap: leave the memory to the system.
        if (engine && engine->Busy() && ProcessIsExiting()) {
            (void)engine.release();
            return;
        }
        engine.reset();
    }
};

FindFilesState& Finder() {
    static FindFilesState state;
    return state;
}

}  // namespace

bool qvFindFiles(std::string masks, std::string folders, std::string options,
                 std::string subroutine, std::string variable, std::string mode) {
    auto& engine = Finder().engine;
    if (EqualsNoCase(mode, "Find")) {
        const std::string words = RemoveBlanks(options);
        const std::string goSub = MakeGoSubText(subroutine);
        if (!engine) engine = std::make_unique<TNeoFindFile>();
        // A search already running keeps its criteria but takes the new
        // variable, subroutine and name options.
        engine->GoSubText = goSub;
        engine->ResultVariable = std::move(variable);
        engine->Options.subFolders = HasOptionWord(words, "+", "SubFolders");
        engine->Options.namesOnly = HasOptionWord(words, "+", "NamesOnly");
        engine->Options.noExt = HasOptionWord(words, "+", "NoExt");
        engine->Threaded = HasOptionWord(words, "+", "Async");
        TFileCriteria& files = engine->Criteria.Files;
        files.SetFileName(std::move(masks));
        files.SetLocation(std::move(folders));
        files.SetSubfolders(engine->Options.subFolders);
        // A failure's error is written by the engine, before the results.
        return !engine->Execute().has_value();
    }
    if (!engine) return true;
    if (EqualsNoCase(mode, "Abort")) {
        engine->Abort();
    } else if (EqualsNoCase(mode, "Suspend")) {
        engine->Suspend();
    } else if (EqualsNoCase(mode, "Resume")) {
        engine->Resume();
    }
    return true;
}

void ReleaseFindFiles() { Finder().engine.reset(); }

}  // namespace kv::actions
