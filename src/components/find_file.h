// TFindFile: walks folder trees and reports every entry that passes the
// attribute criteria, the path filters and a file-name mask of its folder,
// either inside Execute or on a worker thread (TSearchThread) whose end
// reaches the owner thread as a message to the engine's hidden window.
//
// The engine belongs to the thread that creates it; that thread must
// process window messages for a threaded search to end. OnFolderChange and
// OnFileMatch run on the worker in a threaded search; OnSearchBegin and
// OnSearchFinish always run on the owner thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "search/file_mask.h"
#include "search/search_criteria.h"
#include "unique_resource.h"
#include "window_class.h"

namespace kv {

enum class TFolderIgnore {
    fiNone,               // search the folder's entries and its subfolders
    fiJustThis,           // skip its entries, still descend
    fiJustSubfolders,     // search its entries, do not descend
    fiThisAndSubfolders,  // skip both
};

struct TFileDetails {
    std::string_view Folder;  // with its trailing "\"
    std::string_view Name;
    uint32_t Attributes = 0;
};

class SearchFolders;
class TSearchThread;

class TFindFile {
public:
    // Posted to WindowHandle when a threaded search has ended.
    static constexpr UINT kSearchDone = WM_USER + 1;

    TFindFile();
    virtual ~TFindFile();
    TFindFile(const TFindFile&) = delete;
    TFindFile& operator=(const TFindFile&) = delete;

    TSearchCriteria Criteria;
    bool Threaded = false;
    int ThreadPriority = THREAD_PRIORITY_NORMAL;

    std::function<void(const TFileDetails&)> OnFileMatch;
    std::function<TFolderIgnore(std::string_view folder)> OnFolderChange;
    std::function<void()> OnSearchBegin;
    std::function<void()> OnSearchFinish;

    bool Busy() const { return busy_; }
    bool Aborted() const { return aborted_.load(); }
    HWND WindowHandle() const { return window_.get(); }
    // The walk's own state: read them from its events only.
    uint16_t Level() const { return level_; }
    const TTargetPath* CurrentTarget() const { return currentTarget_; }
    const TSearchCriteria* ActiveCriteria() const { return active_.get(); }
    // Subfolders with any of these bits are not entered.
    uint32_t SkippedFolderAttributes() const { return skippedFolders_; }

    // Starts a search with a copy of Criteria; does nothing while Busy. A
    // search inside the call that an invalid mask stopped writes its message
    // as the error before OnSearchFinish, and returns it. Throws when no worker can start. An
    // engine whose window could not be made searches inside the call.
    std::optional<std::string> Execute();
    // Stops the search at its next check, however often it was paused.
    void Abort();
    // Pause and continue a threaded search; pauses nest.
    void Suspend();
    void Resume();
    // Stops a running search and waits for its worker, without the finish
    // event. A subclass whose members the walk's events use calls this in
    // its destructor, before those members go.
    void Shutdown();

protected:
    virtual void DoSearchBegin();
    virtual void DoSearchFinish();
    virtual TFolderIgnore DoFolderChange(std::string_view folder);
    virtual void DoFileMatch(std::string_view folder, const WIN32_FIND_DATAA& entry);
    virtual bool IsAcceptable(std::string_view folder, const WIN32_FIND_DATAA& entry) const;

private:
    friend class TSearchThread;

    // Builds the targets (the network forms looked up first) and runs the
    // walk over them; false when an invalid mask stopped it.
    bool SearchAll();
    void BuildTargets();
    void SearchIn(std::string& folder);
    bool Test(const TMask& mask, std::string_view folder, const WIN32_FIND_DATAA& entry);
    // Waits while paused; false once the search is to stop.
    bool Checkpoint();
    void SearchEnd();
    void FinishThreaded();
    static LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::shared_ptr<win::UniqueWindowClass> windowClass_;
    win::UniqueWindow window_;
    win::UniqueHandle wake_;  // set while the worker may run
    std::atomic<bool> aborted_{false};
    std::atomic<int> pauses_{0};
    bool busy_ = false;
    bool destroying_ = false;
    std::unique_ptr<TSearchThread> thread_;

    // The running search: the criteria and folders read on the owner thread
    // by Execute, the targets and masks built by the walk before it starts.
    std::unique_ptr<TSearchCriteria> active_;
    std::unique_ptr<SearchFolders> folders_;
    LeadByteSet lead_;
    const TTargetPaths* targets_ = nullptr;
    std::vector<TMask> masks_;                      // each mask text once
    std::vector<std::vector<size_t>> targetMasks_;  // per target, into masks_
    uint32_t skippedFolders_ = 0;
    const TTargetPath* currentTarget_ = nullptr;
    const std::vector<size_t>* currentMasks_ = nullptr;
    uint16_t level_ = 0;
    std::string failure_;  // the invalid mask's message
};

}  // namespace kv
