#include "common/FileProbe.h"

#include <atomic>
#include <memory>

#include "common/ScopedHandles.h"

namespace {

// Shared by the caller and the pool's thread: whichever lets go last frees it, so a question
// left waiting on the network outlives the caller's wait.
struct Question {
    std::string path;
    ScopedEvent answered{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<bool> exists{false};
};

VOID CALLBACK Ask(PTP_CALLBACK_INSTANCE, PVOID context) {
    const std::unique_ptr<std::shared_ptr<Question>> held(static_cast<std::shared_ptr<Question>*>(context));
    Question& question = **held;
    question.exists = GetFileAttributesA(question.path.c_str()) != INVALID_FILE_ATTRIBUTES;
    SetEvent(question.answered.Get());
}

}  // namespace

bool FileAnswersWithin(const std::string& path, DWORD waitMs) {
    auto question = std::make_shared<Question>();
    question->path = path;
    if (!question->answered.Valid()) {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    auto* context = new std::shared_ptr<Question>(question);
    if (!TrySubmitThreadpoolCallback(Ask, context, nullptr)) {
        delete context;
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    return WaitForSingleObject(question->answered.Get(), waitMs) == WAIT_OBJECT_0 && question->exists;
}
