#include "find_file.h"

#include <utility>

#include "ansi_text.h"
#include "contain.h"
#include "host_bridge.h"
#include "search_paths.h"
#include "search_thread.h"
#include "thread_end.h"

namespace kv {
namespace {

constexpr const char* kWindowClass = "KelvaneFindFileWindow";
constexpr auto kThreadFailure = AnsiText("Ошибка потока");
// Folders with these bits among the excluded attributes are not entered:
// hidden, system, device, temporary, offline, encrypted, virtual.
constexpr uint32_t kSkippableFolderBits = 0x15146;

HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    ::GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<const char*>(&ThisModule), &module);
    return module;
}

// One class for every engine, unregistered when the last one goes.
std::shared_ptr<win::UniqueWindowClass> SharedWindowClass(WNDPROC proc) {
    static std::weak_ptr<win::UniqueWindowClass> shared;
    if (auto existing = shared.lock()) return existing;
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = ThisModule();
    wc.lpszClassName = kWindowClass;
    auto made = std::make_shared<win::UniqueWindowClass>(wc);
    shared = made;
    return made;
}

bool IsDots(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

}  // namespace

TFindFile::TFindFile() : wake_(::CreateEventA(nullptr, TRUE, TRUE, nullptr)) {
    PrepareShutdownProbe();
    windowClass_ = SharedWindowClass(&WndProc);
    window_.reset(::CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    ThisModule(), nullptr));
    if (window_)
        ::SetWindowLongPtrA(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TFindFile::~TFindFile() {
    Shutdown();
    if (window_) ::SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
}

void TFindFile::Shutdown() {
    destroying_ = true;
    if (busy_) Abort();
    // Waits for the worker before the memory and the window go.
    thread_.reset();
}

std::optional<std::string> TFindFile::Execute() {
    if (busy_) return std::nullopt;
    // What depends on the process's state is read here, on the owner
    // thread: the criteria, the current folder, the code page, the drives'
    // connections. The targets are built at the start of the walk, once the
    // network forms are known (on the worker of a threaded search).
    auto active = std::make_unique<TSearchCriteria>(Criteria);
    active->Files.InvalidateTargets();
    auto folders = std::make_unique<SearchFolders>(active->Files);
    lead_ = SystemLeadBytes();
    active_ = std::move(active);
    folders_ = std::move(folders);
    targets_ = nullptr;
    masks_.clear();
    targetMasks_.clear();
    skippedFolders_ = active_->Attributes.UnsetMask & kSkippableFolderBits;
    failure_.clear();
    aborted_ = false;
    pauses_ = 0;
    ::SetEvent(wake_.get());
    busy_ = true;
    try {
        DoSearchBegin();
        // Without its window the engine could not hear the worker end: it
        // then searches inside the call.
        if (Threaded && window_) {
            thread_ = std::make_unique<TSearchThread>(*this, ThreadPriority);
            return std::nullopt;
        }
        const bool ok = SearchAll();
        std::optional<std::string> failure;
        if (!ok) {
            failure = failure_;  // taken first: OnSearchFinish may start another search
            // Written before the results, as a worker's failure is, so the
            // author's subroutine can read it.
            ReportError(*failure);
        }
        SearchEnd();
        return failure;
    } catch (...) {
        if (busy_ && !thread_) SearchEnd();
        throw;
    }
}

void TFindFile::Abort() {
    if (!busy_) return;
    aborted_ = true;
    ::SetEvent(wake_.get());
}

void TFindFile::Suspend() {
    if (!busy_ || !thread_) return;
    ++pauses_;
    ::ResetEvent(wake_.get());
}

void TFindFile::Resume() {
    if (!busy_ || !thread_ || pauses_.load() == 0) return;
    if (--pauses_ == 0) ::SetEvent(wake_.get());
}

void TFindFile::DoSearchBegin() {
    if (OnSearchBegin) OnSearchBegin();
}

void TFindFile::DoSearchFinish() {
    if (OnSearchFinish && !destroying_) OnSearchFinish();
}

TFolderIgnore TFindFile::DoFolderChange(std::string_view folder) {
    if (aborted_.load() || !OnFolderChange) return TFolderIgnore::fiNone;
    return OnFolderChange(folder);
}

void TFindFile::DoFileMatch(std::string_view folder, const WIN32_FIND_DATAA& entry) {
    if (aborted_.load() || !OnFileMatch) return;
    OnFileMatch(TFileDetails{folder, entry.cFileName, entry.dwFileAttributes});
}

bool TFindFile::IsAcceptable(std::string_view folder, const WIN32_FIND_DATAA& entry) const {
    if (aborted_.load()) return false;
    return active_->Matches(folder, entry.cFileName, entry.dwFileAttributes);
}

bool TFindFile::Checkpoint() {
    while (pauses_.load() > 0 && !aborted_.load()) ::WaitForSingleObject(wake_.get(), INFINITE);
    return !aborted_.load() && failure_.empty();
}

void TFindFile::BuildTargets() {
    folders_->Resolve();
    const TTargetPaths& targets = active_->Files.TargetPaths(folders_->Rules());
    for (const TTargetPath& target : targets) {
        std::vector<size_t>& indexes = targetMasks_.emplace_back();
        for (const std::string& text : target.FileMasks) {
            size_t i = 0;
            while (i < masks_.size() && masks_[i].text() != text) ++i;
            if (i == masks_.size()) masks_.emplace_back(text, lead_);
            indexes.push_back(i);
        }
    }
    targets_ = &targets;
}

bool TFindFile::SearchAll() {
    BuildTargets();
    for (size_t i = 0; i < targets_->size() && Checkpoint(); ++i) {
        level_ = 0;
        currentTarget_ = &(*targets_)[i];
        currentMasks_ = &targetMasks_[i];
        std::string folder = currentTarget_->Folder;
        SearchIn(folder);
    }
    currentTarget_ = nullptr;
    return failure_.empty();
}

bool TFindFile::Test(const TMask& mask, std::string_view folder, const WIN32_FIND_DATAA& entry) {
    if (!mask.valid()) {
        failure_ = mask.error();
        return false;
    }
    if (mask.Matches(entry.cFileName)) DoFileMatch(folder, entry);
    return true;
}

void TFindFile::SearchIn(std::string& folder) {
    if (!Checkpoint()) return;
    ++level_;
    struct LevelBack {
        uint16_t& level;
        ~LevelBack() { --level; }
    } levelBack{level_};

    const TFolderIgnore ignore = DoFolderChange(folder);
    const TTargetPath& target = *currentTarget_;
    const bool files =
        (ignore == TFolderIgnore::fiNone || ignore == TFolderIgnore::fiJustSubfolders) &&
        level_ >= target.MinLevel;
    const bool descend = target.Subfolders &&
                         (ignore == TFolderIgnore::fiNone || ignore == TFolderIgnore::fiJustThis) &&
                         (target.MaxLevel == 0 || level_ < target.MaxLevel);
    if (!files && !descend) return;

    // One listing serves every mask and the subfolders. A folder the ANSI
    // functions cannot name gives nothing.
    const size_t length = folder.size();
    if (length + 1 >= MAX_PATH) return;
    folder += '*';
    WIN32_FIND_DATAA entry;
    win::UniqueFindHandle find(::FindFirstFileA(folder.c_str(), &entry));
    folder.resize(length);
    if (!find) return;

    const std::vector<size_t>& masks = *currentMasks_;
    std::vector<WIN32_FIND_DATAA> accepted;  // kept for the second and later masks
    std::vector<std::string> subfolders;
    do {
        if (!Checkpoint()) return;
        const bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isFolder && IsDots(entry.cFileName)) continue;
        if (files && IsAcceptable(folder, entry)) {
            if (!Test(masks_[masks.front()], folder, entry)) return;
            if (masks.size() > 1) accepted.push_back(entry);
        }
        if (descend && isFolder && (entry.dwFileAttributes & skippedFolders_) == 0)
            subfolders.emplace_back(entry.cFileName);
    } while (::FindNextFileA(find.get(), &entry));
    find.reset();

    for (size_t m = 1; m < masks.size(); ++m) {
        for (const WIN32_FIND_DATAA& e : accepted) {
            if (!Checkpoint()) return;
            if (!Test(masks_[masks[m]], folder, e)) return;
        }
    }
    for (const std::string& name : subfolders) {
        folder += name;
        folder += '\\';
        SearchIn(folder);
        folder.resize(length);
        if (!Checkpoint()) return;
    }
}

void TFindFile::SearchEnd() {
    active_.reset();
    folders_.reset();
    targets_ = nullptr;
    currentTarget_ = nullptr;
    masks_.clear();
    targetMasks_.clear();
    busy_ = false;
    DoSearchFinish();
}

void TFindFile::FinishThreaded() {
    if (!thread_) return;
    const bool failed = thread_->Failed();
    thread_.reset();  // waits for the worker's end
    if (failed) ReportError(kThreadFailure.c_str());
    SearchEnd();
}

LRESULT CALLBACK TFindFile::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kSearchDone) {
        auto* self = reinterpret_cast<TFindFile*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self != nullptr) ContainVoid("qvFindFiles", [self] { self->FinishThreaded(); });
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace kv
