#include "ui/ErrorBox.h"

#include "Identity.h"
#include "ui/Text.h"

namespace ui {

std::string ErrorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
    return message;
}

void ShowErrorBox(HWND owner, const std::string& message) {
    MessageBoxW(owner, FromAnsi(ErrorBoxText(message)).c_str(), identity::kAppTitle, MB_OK | MB_ICONERROR);
}

}  // namespace ui
