#include "dialogs/FailureMessage.h"

#include "app/AppState.h"

namespace {

std::string SystemReason(DWORD error) {
    char* text = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string reason = length > 0 ? std::string(text, length) : "Error " + std::to_string(error) + ".";
    LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' ')) {
        reason.pop_back();
    }
    return reason;
}

}  // namespace

std::string FileFailureText(std::string_view whatFailed, const std::string& path, DWORD error) {
    std::string text(whatFailed);
    text.append("\n\n").append(path).append("\n\n").append(SystemReason(error));
    return text;
}

void ShowFileFailure(HWND owner, std::string_view whatFailed, const std::string& path, DWORD error) {
    const ModalLoopScope waiting;
    MessageBoxA(owner, FileFailureText(whatFailed, path, error).c_str(), g_title, MB_OK | MB_ICONWARNING);
}
